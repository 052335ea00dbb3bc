// The one test of the window table every folder asks: is window w an open
// graph window.
#pragma once

// True when window w (1 .. NB_FENETRES - 1) of the window table holds a
// loaded graph panel.
bool fenetre_graphe(int w);
