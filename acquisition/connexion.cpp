#include "acquisition/connexion.h"

#include "acquisition/modele.h"
#include "socle/globals.h"
#include "lang/langue.h"
#include "lang/port_texte.h"
#include "link/jbus.h"
#include "link/serial.h"

#include <QFileInfo>
#include <QSerialPortInfo>

int retour_com = 0;

PortResolu resoudre_port(int numero)
{
    PortResolu r;
    const QString peripherique = nom_peripherique_com(numero);
#ifdef Q_OS_WIN
    r.chemin = peripherique;
    for (const QSerialPortInfo& i : QSerialPortInfo::availablePorts())
        r.present = r.present || i.portName() == peripherique;
#else
    const QFileInfo f(peripherique);
    r.lien = f.isSymLink();
    r.chemin = r.lien ? f.symLinkTarget() : peripherique;
    r.present = f.exists();
#endif
    return r;
}

QString texte_port_indisponible()
{
    const EchecOuverture& e = dernier_echec_ouverture();
    if (e.cause != SERIE_ERREUR_ABSENT && e.cause != SERIE_ERREUR_OCCUPE)
        return {};
    return texte_diagnostic_port(diagnostiquer_port(e.port, e.peripherique, e.cause, e.texte_systeme, e.occupant));
}

bool Popup_port_indisponible()
{
    const QString detail = texte_port_indisponible();
    if (detail.isEmpty())
        return false;
    Popup_erreur(dernier_echec_ouverture().cause == SERIE_ERREUR_OCCUPE ? MSG_PORT_OCCUPE : MSG_PORT_INVALIDE,
                 detail);
    return true;
}

void Popup_echec_liaison()
{
    if (dernier_echec_ouverture().cause == SERIE_ERREUR_OCCUPE && !port_com_ouvert(comport)
        && Popup_port_indisponible())
        return;
    Popup_erreur(MSG_LIAISON, texte_diagnostic_port(diagnostic_liaison()));
}


int ouvrir_port_instrument()
{
    modele::port_ouvert(false);
    const int r = ouverture_com(Mesure.port, JBUS_BAUD, 0, 8, 1, JBUS_DELAI);
    modele::port_ouvert(r == 0);
    return r;
}

int reouvrir_port_instrument()
{
    const double delai = port_serie().delai();
    const int r = ouverture_com(comport, JBUS_BAUD, 0, 8, 1, delai > 0.0 ? delai : JBUS_DELAI);
    modele::port_ouvert(r == 0);
    return r;
}
