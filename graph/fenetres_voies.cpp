#include "graph/fenetres_voies.h"

#include "acquisition/modele.h"

#include "graph/fenetres.h"
#include "socle/commandes.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/emplacements.h"
#include "graph/courbes.h"
#include "graph/couleurs.h"
#include "graph/defilement.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QLabel>
#include "socle/ecran/liste_releves.h"
#include <qcustomplot.h>

namespace {

bool fenetre_existe(int w)
{
    return w < nb_panel && fenetre_graphe(w);
}

// Decimals of the Y labels by quantity code: voltages and powers to the
// tenth, currents to the milliampere, power factors to the hundredth.
int decimales_axe_y(int code)
{
    switch (code) {
    case CODE_COURANT:
    case CODE_COURANT_MOY:
        return 3;
    case CODE_FP:
    case CODE_FP_MOY:
        return 2;
    default:
        return 1;
    }
}

// Creates the graph window of channel k and scales it for its quantity.
// Returns its window index, -1 when every slot is taken.
int creer_fenetre(int k)
{
    const int avant = nb_panel;
    if (Ouvrir_graphe() == avant)
        return -1;
    const int w = nb_panel - 1;
    modele::voie_en_fenetre(k, w);
    Init_min_max_axe_Y(k);
    tk::DisplayPanel(Info[w].panel);
    Zoom_AXE_Y(k, Info[w].panel);
    return w;
}

} // namespace

QString titre_voie(int voie)
{
    const char* t = voie >= 1 && voie < NB_VOIES_TABLE ? Donnee[voie].titre : "";
    return QString("%1 %2 : %3").arg(qtxt(tx::canal), QString::number(voie), QString::fromUtf8(t));
}

void Maj_connexion()
{
    QLabel* entete = nullptr;
    if (tk::panel_valide(Info[0].panel)) {
        PnlDonnees& d = liaison<PnlDonnees>(Info[0].panel);
        d.liste->clear();
        entete = d.entete;
    }

    // Without a port the list has no channels to name.
    QString e;
    if (Mesure.port != 0) {
        for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
            modele::oublier_trace(k);
            // A window index left over from windows closed since does not count.
            int w = Donnee[k].num_fenetre;
            if (!fenetre_existe(w))
                w = creer_fenetre(k);
            copie_texte(Donnee[k].titre, Donnee[k].libelle);
            if (w != -1) {
                const QString t = titre_voie(k);
                tk::SetPanelTitle(Info[w].panel, t);
                tk::SetItemName(Info[w].item, QString(t).replace('&', "&&"));

                QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
                graduer_axe_y(Info[w].panel, decimales_axe_y(Donnee[k].grandeur));
                g->replot(QCustomPlot::rpQueuedReplot);

                maj_axe_x(Info[w].panel);
            }
        }
        e = entete_releves();
    }
    if (entete)
        entete->setText(e);
    Maj_couleurs(3);

    commander(Commande::nouveau);
}
