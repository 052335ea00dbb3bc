// The Display menu on the active graph window: graticule, delta cursors,
// legend, colours and the time zoom with its label; the Edit menu's
// Link the cursors item.
#pragma once

#include <QString>

// File > New with readings stored: the legend of every channel window is
// hidden as the Legend command hides it, delta read-outs included.
void retirer_legendes();
// Display-menu callback (items ITEM_RETICULE .. ITEM_STATISTIQUES).
void Gestion_affichage(int menubar, int item, void* data, int panel);
// The active window's zoom label: "X 1", "X 10", "/ 200".
void Affiche_zoom();
// The zoom-label text for factor f.
QString texte_zoom(double facteur);
// Edit > Link the cursors: lien toggled, the item's check mark follows.
void Gestion_lien(int menubar, int item, void* data, int panel);
