#include "graph/emplacements.h"

#include "acquisition/modele.h"

#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/axe_temps.h"
#include "graph/courbes.h"
#include "graph/defilement.h"
#include "graph/edition.h"
#include "graph/fenetres.h"
#include "graph/affichage.h"
#include "graph/curseurs.h"
#include "graph/valeurs_curseurs.h"
#include "lang/textes.h"

#include <qcustomplot.h>

int Ouvrir_graphe()
{
    int n = nb_panel;
    if (n < 1 || n >= NB_FENETRES)
        return nb_panel;
    InfoRecord& w = Info[n];
    w.item = tk::NewMenuItem(menu, BARRE_FENETRE, -1, QString(), Gestion_fenetre);

    // The template carries the colours every new window starts with.
    QCustomPlot* modele = liaison<PnlGraphe>(Fen_princ[PNL_GRAPHE]).graphe;
    modele->axisRect()->setBackground(tk::couleur(color[5]));
    modele->xAxis->grid()->setPen(QPen(tk::couleur(color[10]), 0, Qt::DotLine));
    modele->yAxis->grid()->setPen(QPen(tk::couleur(color[10]), 0, Qt::DotLine));

    w.panel = tk::DuplicatePanel(Fen_princ[PNL_PRINC], Fen_princ[PNL_GRAPHE], QString(), 70 + 20 * n, 5 + 20 * n);
    tk::SetPanelCallback(w.panel, Repere_fenetre);
    QCustomPlot* g = liaison<PnlGraphe>(w.panel).graphe;
    // A curve is redrawn at every reading: fast polylines without antialiasing
    // keep that cost low with 30000 points.
    g->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
    g->setNotAntialiasedElements(QCP::aePlottables);
    // Room at the right for the last time label, centred on the axis end.
    g->axisRect()->setMinimumMargins(QMargins(0, 0, 28, 0));
    g->axisRect()->setBackground(tk::couleur(color[5]));
    g->xAxis->grid()->setPen(QPen(tk::couleur(color[10]), 0, Qt::DotLine));
    g->yAxis->grid()->setPen(QPen(tk::couleur(color[10]), 0, Qt::DotLine));

    w.legende = 0;
    w.zoom = 1.0;
    w.zoom_index = ZOOM_INDEX_INITIAL;
    w.cadre_legende = w.cadre_ecart[0] = w.cadre_ecart[1] = 0;
    w.lect_x = w.lect_y = w.lect_x1 = w.lect_x2 = w.lect_dx = w.lect_y1 = w.lect_y2 = w.lect_dy = 0;
    installer_curseurs(w.panel, ValCurseur);
    liaison<PnlGraphe>(w.panel).label_zoom->setText(texte_zoom(w.zoom));
    copie_texte(w.texte[0], "Min");
    copie_texte(w.texte[1], "Max");
    for (int i = 2; i < NB_TEXTES; ++i)
        copie_texte(w.texte[i], txt(tx::texte));
    w.limite = 0;
    w.alarme = 0;
    w.seuil_bas = w.seuil_haut = 0.0;
    w.trace_bas = w.trace_haut = 0;

    ScrollBar_ConvertFromGraph(w.panel, ScrollBarCallback);
    ScrollBar_SetAttribute(w.panel, SB_HAUTEUR, 16);
    ScrollBar_SetAttribute(w.panel, SB_VALEUR, 0);
    ScrollBar_SetAttribute(w.panel, SB_MINIMUM, 0);
    ScrollBar_SetAttribute(w.panel, SB_MAXIMUM, 30000);
    ScrollBar_SetAttribute(w.panel, SB_TAILLE_VUE, 150);
    ScrollBar_SetAttribute(w.panel, SB_CURSEUR_PROPORTIONNEL, 1);
    maj_axe_x(w.panel);

    return ++nb_panel;
}

void Fermer_graphe()
{
    if (grafic < 0 || grafic >= NB_FENETRES)
        return;
    InfoRecord& w = Info[grafic];
    retirer_textes(grafic);
    --nb_panel;
    if (nb_panel > 0 && grafic > 0) {
        tk::DiscardPanel(w.panel);
        tk::DiscardMenuItem(menu, w.item);
        w.panel = 0;
        w.item = 0;
    }
    w.lect_x = 0;
    w.lect_y = 0;
    Gestion_fenetre(menu, Info[0].item, nullptr, Fen_princ[PNL_PRINC]);
}

void fermer_graphes()
{
    int G = nb_panel - 1;
    for (int k = 1; k <= G; ++k) {
        grafic = k;
        Fermer_graphe();
    }
}

void ouvrir_graphes_voies(int n)
{
    for (int k = 1; k <= n && k < NB_VOIES_TABLE; ++k) {
        grafic = k;
        modele::voie_en_fenetre(k, -1);
        Ouvrir_graphe();
        modele::voie_en_fenetre(k, nb_panel - 1);
        Init_min_max_axe_Y(grafic);
        tk::DisplayPanel(Info[k].panel);
        modele::oublier_trace(k);
    }
}
