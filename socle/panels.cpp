#include "socle/panels.h"

#include "socle/liste_releves.h"
#include "socle/panels_dialogues.h"
#include "socle/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <qcustomplot.h>

QWidget* controle_brut(QWidget* racine, const char* nom, const char* classe)
{
    if (!racine)
        throw ErreurLiaison(std::string("no panel to find control ") + nom + " in");
    QWidget* w = racine->objectName() == QLatin1String(nom)
                     ? racine
                     : racine->findChild<QWidget*>(QLatin1String(nom));
    if (!w || !w->inherits(classe))
        throw ErreurLiaison("panel " + racine->objectName().toStdString() + ": control " + nom +
                            (w ? " is not a " : " missing, expected a ") + classe);
    return w;
}

PnlPrincipal PnlPrincipal::lier(QWidget* r)
{
    return {r, controle<QMenuBar>(r, "barre_menu"), controle<QWidget>(r, "zone_outils")};
}

PnlDonnees PnlDonnees::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "entete"), controle<ListeReleves>(r, "liste")};
}

PnlGraphe PnlGraphe::lier(QWidget* r)
{
    return {r, controle<QCustomPlot>(r, "graphe"), controle<QScrollBar>(r, "defilement"),
            controle<QLabel>(r, "label_zoom")};
}

PnlSplash PnlSplash::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "nom_programme"), controle<QLabel>(r, "version")};
}

PnlApropos PnlApropos::lier(QWidget* r)
{
    return {r,
            controle<QLabel>(r, "description"),
            controle<QLabel>(r, "develop"),
            controle<QLabel>(r, "auteurs"),
            controle<QLabel>(r, "chefpro"),
            controle<QLabel>(r, "chef"),
            controle<QPushButton>(r, "quitter")};
}

PnlSimple PnlSimple::lier(QWidget* r)
{
    if (!r)
        throw ErreurLiaison("no panel");
    return {r};
}

void verifier_liaison(PanelKind kind, QWidget* r)
{
    switch (kind) {
    case PNL_PRINC: PnlPrincipal::lier(r); break;
    case PNL_DONNEES: PnlDonnees::lier(r); break;
    case PNL_GRAPHE: PnlGraphe::lier(r); break;
    case PNL_SPLASH: PnlSplash::lier(r); break;
    case PNL_APROPOS: PnlApropos::lier(r); break;
    case PNL_LIBRE: break;
    default:
        if (!verifier_liaison_dialogue(kind, r))
            PnlSimple::lier(r);
        break;
    }
}

bool lier_ou_signaler(PanelKind kind, QWidget* racine)
{
    try {
        verifier_liaison(kind, racine);
        return true;
    } catch (const ErreurLiaison& e) {
        const QString texte = QString::fromStdString(e.what());
        qCritical("VOLTEXA: %s", qPrintable(texte));
        plateforme().popups->message(QStringLiteral("VOLTEXA"), texte + QLatin1Char('\n'));
        return false;
    }
}
