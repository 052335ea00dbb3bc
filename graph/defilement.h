// The scroll bar under a graph: value, view size, minimum and maximum in
// readings, width and height in pixels, proportional thumb.
#pragma once

enum AttributDefilement {
    SB_VALEUR,
    SB_TAILLE_VUE,
    SB_MINIMUM,
    SB_MAXIMUM,
    SB_LARGEUR,
    SB_HAUTEUR,
    SB_CURSEUR_PROPORTIONNEL,
};

using DefilementCallback = int (*)(int panel, int control, int event, void* data, int e1, int e2);

// Makes the graph window's scroll-bar control the graph's scroll bar; user
// moves call `cb` with event kinds 1 to 6.
void ScrollBar_ConvertFromGraph(int panel, DefilementCallback cb);
// Sets an attribute. The value is kept between minimum and maximum; a
// minimum not below the maximum, or a maximum not above the minimum, is
// refused (returns -1).
int ScrollBar_SetAttribute(int panel, AttributDefilement attribut, int valeur);
int ScrollBar_GetAttribute(int panel, AttributDefilement attribut);

// Sets the X axis of graph window `panel` from its scroll bar: from 0 to the
// end of the view, with its five time labels.
void maj_axe_x(int panel);
// Callback of a graph window's scroll bar (event kinds 1 to 6): the X axis
// follows the bar (maj_axe_x) while a window is active.
int ScrollBarCallback(int panel, int control, int event, void* data, int e1, int e2);
