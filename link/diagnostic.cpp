#include "link/diagnostic.h"

#include "link/jbus.h"
#include "link/serial.h"
#include "socle/platform.h"

#include <QFileInfo>

namespace {

PannePort panne_du_statut(int statut)
{
    switch (statut) {
    case SERIE_OK:
        return PannePort::aucune;
    case SERIE_ERREUR_ABSENT:
        return PannePort::absent;
    case SERIE_ERREUR_OCCUPE:
        return PannePort::occupe;
    case SERIE_ERREUR_PERMISSION:
        return PannePort::permission;
    case SERIE_ERREUR_DELAI:
        return PannePort::silence;
    case JBUS_ESCLAVE_ERRONE:
    case JBUS_FONCTION_ERRONEE:
    case JBUS_NOMBRE_ERRONE:
    case JBUS_CRC_ERRONE:
        return PannePort::reponse;
    default:
        return PannePort::systeme;
    }
}

// Links followed at most: a loop of links ends there.
constexpr int LIENS_MAX = 16;

// The first path of the chain of links from `chemin` that is not there;
// `chemin` itself when the whole chain is there (the device went and came back).
QString premier_manquant(const QString& chemin)
{
    QString c = chemin;
    for (int i = 0; i < LIENS_MAX; ++i) {
        const QFileInfo f(c);
        if (!f.isSymLink())
            return f.exists() ? chemin : c;
        c = f.symLinkTarget();
    }
    return chemin;
}

} // namespace

QString groupe_du_peripherique(const QString& appareil)
{
    const QFileInfo f(appareil);
    if (f.exists()) {
        const QString g = f.group();
        const auto droits = f.permissions();
        if (!g.isEmpty() && g != QLatin1String("root") && (droits & QFileDevice::ReadGroup)
            && (droits & QFileDevice::WriteGroup))
            return g;
    }
    return QStringLiteral("dialout");
}

DiagnosticPort diagnostiquer_port(int port, const QString& peripherique, int statut, const QString& texte_systeme,
                                  qint64 occupant, double delai)
{
    DiagnosticPort d;
    d.port = port;
    d.peripherique = peripherique;
    d.panne = panne_du_statut(statut);
    d.statut = statut;
    d.texte_systeme = texte_systeme;
    if (port < 1 || peripherique.isEmpty())
        return d;
#ifndef Q_OS_WIN
    d.entree = chemin_programme(FichierProgramme::port, QStringLiteral("COM%1").arg(port));
    d.par_defaut = peripherique != d.entree;
    const QFileInfo f(peripherique);
    if (f.isSymLink())
        d.cible = f.symLinkTarget();
    d.appareil = f.canonicalFilePath();
#endif
    switch (d.panne) {
    case PannePort::absent:
        d.manquant = premier_manquant(peripherique);
        break;
    case PannePort::occupe:
        d.occupant = occupant;
        break;
    case PannePort::permission:
        d.groupe = groupe_du_peripherique(d.appareil.isEmpty() ? peripherique : d.appareil);
        break;
    case PannePort::silence:
        d.delai = delai;
        break;
    default:
        break;
    }
    return d;
}
