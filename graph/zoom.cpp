#include "graph/zoom.h"

#include "graph/fenetres.h"
#include "socle/globals.h"
#include "graph/panneaux.h"
#include "graph/axe_temps.h"
#include "graph/defilement.h"
#include "graph/affichage.h"
#include "graph/curseurs.h"
#include "graph/legende.h"

#include <qcustomplot.h>

bool zoomer_fenetre(int w, int sens)
{
    if (!fenetre_graphe(w))
        return false;
    InfoRecord& f = Info[w];
    int index = f.zoom_index + (sens > 0 ? 1 : -1);
    if (index < 0 || index >= NB_ZOOMS)
        return false;
    f.zoom_index = index;
    f.zoom = table_zoom[index];
    int vue = taille_vue(f.zoom);
    QCustomPlot* g = liaison<PnlGraphe>(f.panel).graphe;
    ScrollBar_SetAttribute(f.panel, SB_VALEUR, static_cast<int>(g->xAxis->range().lower));
    ScrollBar_SetAttribute(f.panel, SB_TAILLE_VUE, vue);
    // At the widest zoom the maximum would be 0, which the scroll bar refuses:
    // the view then stays at 15000 readings.
    ScrollBar_SetAttribute(f.panel, SB_MAXIMUM, NB_RELEVES_MAX - vue);
    maj_axe_x(f.panel);
    liaison<PnlGraphe>(f.panel).label_zoom->setText(texte_zoom(f.zoom));
    return true;
}

void remettre_vue_initiale(int w)
{
    if (!fenetre_graphe(w))
        return;
    InfoRecord& f = Info[w];
    if (nb_curseurs(f.panel) > 1) {
        fixer_nb_curseurs(f.panel, 1);
        retirer_delta(w);
    }
    oublier_curseur1(f.panel);
    ecrire_texte(f.lect_x, QString());
    ecrire_texte(f.lect_y, QString());
    f.zoom_index = ZOOM_INDEX_INITIAL;
    f.zoom = table_zoom[ZOOM_INDEX_INITIAL];
    ScrollBar_SetAttribute(f.panel, SB_MAXIMUM, NB_RELEVES_MAX);
    ScrollBar_SetAttribute(f.panel, SB_TAILLE_VUE, VUE_DE_BASE);
    ScrollBar_SetAttribute(f.panel, SB_VALEUR, 0);
    maj_axe_x(f.panel);
    liaison<PnlGraphe>(f.panel).label_zoom->setText(texte_zoom(f.zoom));
}
