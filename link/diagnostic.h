// What stood behind COM n when the program tried it, and why it could not be
// used: the facts a link-failure message names (lang/port_texte.h words them).
#pragma once

#include <QString>

enum class PannePort {
    aucune,         // it worked
    absent,         // nothing at the path (entry missing, link leading nowhere)
    occupe,         // another program holds the device
    permission,     // this account may not read and write it
    systeme,        // another failure of the system; texte_systeme says which
    silence,        // opened, but nothing answered in time
    reponse,        // something answered, but not a valid response
};

struct DiagnosticPort {
    int port = 0;              // COM number; 0 when none was tried
    QString peripherique;      // path tried: the ports/ entry, or the default device
    bool par_defaut = false;   // the default device, no ports/ entry chosen
    QString entree;            // the ports/ entry of COM n (where a link would choose another device)
    QString cible;             // where the entry's link leads; empty when it is no link
    QString appareil;          // the device at the end of the links, when it is there
    PannePort panne = PannePort::aucune;
    int statut = 0;            // the status it comes from
    QString manquant;          // absent: the first path of the chain that is not there
    QString texte_systeme;     // the system's own words for the failure
    qint64 occupant = 0;       // occupe: the process of the VOLTEXA holding it, 0 if another program
    QString groupe;            // permission: the group to join for the device
    double delai = 0.0;        // silence: seconds waited
};

// The diagnosis of a failure with serial status `statut` (ErreurSerie, a JBUS
// status, or 0) on COM `port` through `peripherique`, with the path's chain
// of links read from the file system as it is now.
DiagnosticPort diagnostiquer_port(int port, const QString& peripherique, int statut,
                                  const QString& texte_systeme = QString(), qint64 occupant = 0,
                                  double delai = 0.0);
// The group a user joins to use `appareil`: the device's own group when it
// grants reading and writing (and is not root's), otherwise dialout, the
// serial ports' group of the usual Linux systems.
QString groupe_du_peripherique(const QString& appareil);
