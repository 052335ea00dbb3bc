// Arrangement of the Data window and the graph windows inside the main
// window: cascade, tile, full screen, the active window and resizing.
#pragma once

#include "socle/ecran/fenetre_graphe.h"

#include "socle/ecran/toolkit.h"

// Space above the child windows (menu bar and toolbar) and at their left.
constexpr int HAUT_ZONE_FENETRES = 70;
constexpr int GAUCHE_ZONE_FENETRES = 5;
constexpr int PAS_CASCADE = 20;
constexpr int HAUT_HORS_MOSAIQUE = 50;     // main height kept out of the tile area
constexpr int RETRAIT_HAUT_TUILE = 25;     // a tiled window is this much shorter than its tile
constexpr int RETRAIT_LARG_TUILE = 9;      // and this much narrower
constexpr int RETRAIT_HAUT_PLEIN = 75;     // full screen: H - 75 high
constexpr int RETRAIT_LARG_PLEIN = 9;      // and W - 9 wide

// Fills the tile tables top/left/haut/larg for windows 0..2 from the tile
// area's width and height and the current nb_panel.
void Calcul_coordonnees_fenetre(int largeur_totale, int hauteur_totale);

// Pure geometry, H and W being the main window's height and width.
tk::Geometrie geometrie_cascade(int i, int H, int W);
// Window i after Tile, from its geometry before (kept where a tile is too small).
tk::Geometrie geometrie_mosaique(int i, const tk::Geometrie& avant);
tk::Geometrie geometrie_plein_ecran(int H, int W);


// Window-menu callback: Cascade, Tile, Full screen and the window items.
void Gestion_fenetre(int menubar, int item, void* data, int panel);
// Panel callback of the Data window and of every graph window.
int Repere_fenetre(int panel, int event, void* data, int e1, int e2);
// Main window callback: re-tiles when the main window is resized.
int Fenetre(int panel, int event, void* data, int e1, int e2);
