// The graph-window slots of the window table: opening and closing windows.
#pragma once

// Creates a graph window in slot nb_panel (not shown) and returns the new nb_panel.
int Ouvrir_graphe();
// Closes the window `grafic` designates.
void Fermer_graphe();
// Closes every graph window; the Data window stays and nb_panel ends at 1.
void fermer_graphes();
// Opens and shows graph window k for channel k = 1..n, with its full-scale
// Y axis (after fermer_graphes, so slots fill from 1).
void ouvrir_graphes_voies(int n);
