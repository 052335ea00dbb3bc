// The cursors of a graph window's plot: cursor 1 sits on a point of a curve
// and snaps to the nearest stored reading; cursors 2 and 3 (the delta
// cursors) are free crosshairs. The user drags them with the left button;
// with the plot focused, Left/Right move cursor 1 by one reading and
// Home/End to the first and last. No cursor moves while an acquisition runs.
// Each user move calls the panel's cursor callback with the commit event.
#pragma once

using CurseurCallback = int (*)(int panel, int control, int event, void* data, int e1, int e2);

// Gives the graph of graph window `panel` its cursors (one at first) and
// routes the user's moves to `cb`.
void installer_curseurs(int panel, CurseurCallback cb);

// Number of cursors: 1, or 3 with the delta cursors.
int nb_curseurs(int panel);
void fixer_nb_curseurs(int panel, int n);

// Curve handle and point index under cursor 1; false when it sits on no point.
bool point_curseur1(int panel, int& trace, int& index);
// Puts cursor 1 on point `index` of curve `trace` (kept within the curve).
// False when the handle is not a curve of this panel or the curve is empty.
bool placer_curseur1(int panel, int trace, int index);
// Takes cursor 1 off its point (hidden until placed again).
void oublier_curseur1(int panel);
// Position (x, y) of cursor c (1 .. 3) in plot coordinates.
void position_curseur(int panel, int c, double& x, double& y);
// Moves delta cursor c (2 or 3) to (x, y).
void fixer_position_curseur(int panel, int c, double x, double y);
// Colour of cursor c (1 .. 3); its line (cursor 1) or cross (2, 3) is the
// plot's item named "curseur<c>".
void couleur_curseur(int panel, int c, int rgb);

// User moves as the mouse and keys make them (tests and benchmarks):
// cursor 1 to the reading nearest x, or by `pas` readings; each calls the
// callback as the user's move does.
void glisser_curseur1(int panel, double x);
void pas_curseur1(int panel, int pas);
