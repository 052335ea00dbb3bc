#include "graph/fenetres.h"
#include "graph/valeurs_curseurs.h"

#include "socle/commandes.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"

#include <QLabel>
#include "socle/ecran/liste_releves.h"
#include <QScrollBar>
#include <qcustomplot.h>

void Calcul_coordonnees_fenetre(int Wt, int Ht)
{
    top[0] = 0;
    left[0] = 0;
    haut[0] = Ht / 3;
    larg[0] = Wt;

    top[1] = Ht / 3;
    left[1] = 0;
    haut[1] = (2 * Ht) / 3;
    larg[1] = nb_panel == 3 ? Wt / 2 : Wt;

    if (nb_panel == 3) {
        top[2] = Ht / 3;
        left[2] = Wt / 2;
        haut[2] = (2 * Ht) / 3;
        larg[2] = Wt / 2;
    }
}

tk::Geometrie geometrie_cascade(int i, int H, int W)
{
    return {HAUT_ZONE_FENETRES + PAS_CASCADE * i, GAUCHE_ZONE_FENETRES + PAS_CASCADE * i, H / 2, W / 2};
}

tk::Geometrie geometrie_mosaique(int i, const tk::Geometrie& avant)
{
    tk::Geometrie g = avant;
    g.top = top[i] + HAUT_ZONE_FENETRES;
    g.left = left[i] + GAUCHE_ZONE_FENETRES;
    if (haut[i] - RETRAIT_HAUT_TUILE > 0)
        g.height = haut[i] - RETRAIT_HAUT_TUILE;
    if (larg[i] - RETRAIT_LARG_TUILE > 0)
        g.width = larg[i] - RETRAIT_LARG_TUILE;
    return g;
}

tk::Geometrie geometrie_plein_ecran(int H, int W)
{
    return {HAUT_ZONE_FENETRES, GAUCHE_ZONE_FENETRES, H - RETRAIT_HAUT_PLEIN, W - RETRAIT_LARG_PLEIN};
}

namespace {

void appliquer(int panel, const tk::Geometrie& g)
{
    tk::deplacer(panel, g.top, g.left);
    tk::SetPanelHeight(panel, g.height);
    tk::SetPanelWidth(panel, g.width);
}

void decocher_fenetres()
{
    for (int i = 0; i < nb_panel && i < NB_FENETRES; ++i)
        tk::SetItemChecked(Info[i].item, false);
}

void prise_de_focus(int panel)
{
    tk::couleurs_titre(panel, color[4], 0xFFFFFF);
    decocher_fenetres();
    for (int i = 0; i < nb_panel && i < NB_FENETRES; ++i)
        if (Info[i].panel == panel) {
            grafic = i;
            tk::SetItemChecked(Info[i].item, true);
        }
}

void redimensionnement(int panel)
{
    tk::Geometrie g = tk::geometrie(panel);
    int h = g.height, w = g.width;
    if (panel == Info[0].panel) {
        PnlDonnees& d = liaison<PnlDonnees>(panel);
        d.liste->resize(w, h - 18);
        d.entete->resize(w, d.entete->height());
        return;
    }
    if (tk::type_panel(panel) != PNL_GRAPHE)
        return;
    int L = 0;
    for (int i = 1; i < NB_FENETRES; ++i)
        if (Info[i].panel == panel)
            L = Info[i].legende;
    PnlGraphe& p = liaison<PnlGraphe>(panel);
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    Memo_curseur(panel, x1, x2, y1, y2);
    if (w - L > 0 && p.graphe->width() != w - L)
        p.graphe->resize(w - L, p.graphe->height());
    // The scroll bar runs under the legend strip and the graph alike: the
    // window's whole width, whether the legend is shown or not, so that a
    // resize (full screen and back, printing) leaves it as long as before.
    if (w > 0 && p.defilement->width() != w)
        p.defilement->resize(w, p.defilement->height());
    if (p.graphe->height() != h - 15) {
        p.graphe->resize(p.graphe->width(), h - 15);
        p.defilement->move(p.defilement->x(), h - 16);
    }
    Restor_curseur(panel, x1, x2, y1, y2);
    ValCurseur(panel, 0, EVENT_COMMIT, nullptr, 0, 0);
    p.label_zoom->move(p.label_zoom->x(), h - 29);
}

void hauteur_largeur_principale(int& H, int& W)
{
    tk::Geometrie g = tk::geometrie(Fen_princ[PNL_PRINC]);
    H = g.height;
    W = g.width;
}

} // namespace

void Gestion_fenetre(int, int item, void*, int)
{
    int H = 0, W = 0;
    hauteur_largeur_principale(H, W);

    if (item == ITEM_CASCADE) {
        for (int i = 0; i < nb_panel && i < NB_FENETRES; ++i) {
            int p = Info[i].panel;
            tk::HidePanel(p);
            appliquer(p, geometrie_cascade(i, H, W));
            Repere_fenetre(p, EVENT_PANEL_SIZE, nullptr, 0, 0);
            tk::DisplayPanel(p);
        }
        return;
    }
    if (item == ITEM_MOSAIQUE) {
        if (nb_panel == 0)
            return;
        Calcul_coordonnees_fenetre(W, H - HAUT_HORS_MOSAIQUE);
        // The tile table covers the Data window and two graph windows.
        for (int i = 0; i < nb_panel && i < 3; ++i) {
            int p = Info[i].panel;
            tk::HidePanel(p);
            appliquer(p, geometrie_mosaique(i, tk::geometrie(p)));
            Repere_fenetre(p, EVENT_PANEL_SIZE, nullptr, 0, 0);
            tk::DisplayPanel(p);
        }
        return;
    }
    if (item == ITEM_ECRAN) {
        if (grafic >= 0 && grafic < NB_FENETRES)
            Repere_fenetre(Info[grafic].panel, EVENT_RIGHT_DOUBLE_CLICK, nullptr, 0, 0);
        return;
    }
    for (int i = 0; i < nb_panel && i < NB_FENETRES; ++i) {
        if (Info[i].item != item)
            continue;
        decocher_fenetres();
        tk::activer(Info[i].panel);
        tk::SetItemChecked(item, true);
        return;
    }
}

int Repere_fenetre(int panel, int event, void*, int, int)
{
    switch (event) {
    case EVENT_LEFT_CLICK:
    case EVENT_GOT_FOCUS:
        prise_de_focus(panel);
        break;
    case EVENT_LOST_FOCUS:
        tk::couleurs_titre(panel, 0xC0C0C0, 0);
        break;
    case EVENT_RIGHT_DOUBLE_CLICK: {
        if (tk::panel_actif() != panel)
            tk::activer(panel);
        else
            prise_de_focus(panel);
        int H = 0, W = 0;
        hauteur_largeur_principale(H, W);
        tk::Geometrie g = tk::geometrie(panel);
        tk::Geometrie plein = geometrie_plein_ecran(H, W);
        if (grafic < 0 || grafic >= NB_FENETRES)
            break;
        int* s = Info[grafic].pos_sauvee;
        if (g == plein) {
            appliquer(panel, {s[0], s[1], s[2], s[3]});
        } else {
            s[0] = g.top;
            s[1] = g.left;
            s[2] = g.height;
            s[3] = g.width;
            appliquer(panel, plein);
        }
        tk::DisplayPanel(panel);
        redimensionnement(panel);
        break;
    }
    case EVENT_PANEL_SIZE:
        redimensionnement(panel);
        break;
    default:
        break;
    }
    return 0;
}

int Fenetre(int, int event, void*, int, int)
{
    if (event == EVENT_PANEL_SIZE)
        Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, Fen_princ[PNL_PRINC]);
    // Closing the main window is quitting: settings written, confirmation.
    if (event == EVENT_CLOSE)
        commander(Commande::quitter);
    return 0;
}
