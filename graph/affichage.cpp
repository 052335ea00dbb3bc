#include "graph/affichage.h"

#include "graph/couleurs.h"
#include "graph/curseurs.h"
#include "graph/fenetres.h"
#include "graph/legende.h"
#include "graph/valeurs_curseurs.h"
#include "graph/vue_statistiques.h"
#include "graph/zoom.h"
#include "lang/langue.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/reglages.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"

#include <QLabel>
#include <qcustomplot.h>

namespace {

// Graticule, Variation cursors and Legend need a graph window: error 4
// without an active window, nothing for the Data window.
bool garde_graphe()
{
    if (grafic == -1) {
        Popup_erreur(MSG_AUCUN_GRAPHE);
        return false;
    }
    return fenetre_graphe(grafic);
}

QCustomPlot* graphe_actif()
{
    return liaison<PnlGraphe>(Info[grafic].panel).graphe;
}

void valider_curseur(int event)
{
    ValCurseur(Info[grafic].panel, 0, event, nullptr, 0, 0);
}

void reticule()
{
    QCustomPlot* g = graphe_actif();
    const bool v = g->xAxis->grid()->visible();
    g->xAxis->grid()->setVisible(!v);
    g->yAxis->grid()->setVisible(!v);
    g->replot(QCustomPlot::rpQueuedReplot);
}

void curseurs_delta()
{
    const int p = Info[grafic].panel;
    if (nb_curseurs(p) == 1) {
        fixer_nb_curseurs(p, 3);
        couleur_curseur(p, 2, color[6]);
        couleur_curseur(p, 3, color[7]);
        QCustomPlot* g = graphe_actif();
        const QCPRange x = g->xAxis->range(), y = g->yAxis->range();
        fixer_position_curseur(p, 2, x.lower + x.size() / 5, y.upper - y.size() / 4);
        fixer_position_curseur(p, 3, x.upper - x.size() / 5, y.lower + y.size() / 4);
        if (Info[grafic].legende)
            Affiche_delta();
        valider_curseur(EVENT_COMMIT);
    } else {
        fixer_nb_curseurs(p, 1);
        if (Info[grafic].legende)
            Retire_delta();
    }
}

void legende()
{
    if (Acq.nb_points <= 0)
        return;
    InfoRecord& f = Info[grafic];
    PnlGraphe& pg = liaison<PnlGraphe>(f.panel);
    // The strip as wide as it was shown: the graph gives back what it gave.
    const int montree = pg.graphe->x();
    f.legende = montree ? 0 : largeur_legende();
    pg.label_zoom->move(f.legende + 2, pg.label_zoom->y());

    const int n = nb_curseurs(f.panel);
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    if (n > 1)
        Memo_curseur(f.panel, x1, x2, y1, y2);

    if (montree) {
        for (int* h : {&f.lect_x, &f.lect_y, &f.cadre_legende}) {
            detruire_controle(*h);
            *h = 0;
        }
        const int w = pg.graphe->width();
        pg.graphe->move(0, pg.graphe->y());
        pg.graphe->resize(w + montree, pg.graphe->height());
        if (n > 1)
            Retire_delta();
    } else {
        creer_lectures_curseur1(grafic);
        Affiche_legende();
        if (n > 1)
            Affiche_delta();
        valider_curseur(EVENT_COMMIT);
    }
    if (n > 1) {
        Restor_curseur(f.panel, x1, x2, y1, y2);
        valider_curseur(EVENT_VAL_CHANGED);
    }
}

void zoom(int sens)
{
    if (grafic < 1 || grafic >= NB_FENETRES)
        return;
    if (zoomer_fenetre(grafic, sens))
        valider_curseur(EVENT_COMMIT);
}

} // namespace

QString texte_zoom(double f)
{
    if (f < 1.0)
        return QString("/ %1").arg(1.0 / f, 0, 'f', 0);
    return QString("X %1").arg(f, 0, 'f', 0);
}

void Affiche_zoom()
{
    if (!fenetre_graphe(grafic))
        return;
    liaison<PnlGraphe>(Info[grafic].panel).label_zoom->setText(texte_zoom(Info[grafic].zoom));
}

void retirer_legendes()
{
    for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
        const int w = Donnee[k].num_fenetre;
        if (!fenetre_graphe(w) || Info[w].legende <= 0)
            continue;
        InfoRecord& f = Info[w];
        PnlGraphe& pg = liaison<PnlGraphe>(f.panel);
        for (int* h : {&f.lect_x, &f.lect_y, &f.cadre_legende}) {
            detruire_controle(*h);
            *h = 0;
        }
        const int largeur = pg.graphe->width();
        pg.graphe->resize(largeur + pg.graphe->x(), pg.graphe->height());
        pg.graphe->move(0, pg.graphe->y());
        pg.label_zoom->move(2, pg.label_zoom->y());
        if (nb_curseurs(f.panel) > 1)
            retirer_delta(w);
        f.legende = 0;
    }
}

void Gestion_affichage(int, int item, void*, int)
{
    switch (item) {
    case ITEM_RETICULE:
        if (garde_graphe())
            reticule();
        break;
    case ITEM_CURSEUR:
        if (garde_graphe())
            curseurs_delta();
        break;
    case ITEM_LEGENDE:
        if (garde_graphe())
            legende();
        break;
    case ITEM_COULEUR:
        ouvrir_couleurs();
        break;
    case ITEM_ZOOMPLUS:
        zoom(1);
        break;
    case ITEM_ZOOMMOINS:
        zoom(-1);
        break;
    case ITEM_STATISTIQUES:
        ouvrir_statistiques();
        break;
    default:
        break;
    }
}

void Gestion_lien(int, int, void*, int)
{
    reglages::lier_curseurs(!lien);
    tk::SetItemChecked(ITEM_LIER, lien != 0);
}
