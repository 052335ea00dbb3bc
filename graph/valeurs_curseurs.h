// What the cursors of the graph windows read: the read-outs of the legend,
// the readings list following cursor 1, and cursor 1 following the list
// when the cursors are linked (lien).
#pragma once

// Cursor callback of every graph window's plot; acts on the commit event only,
// with a graph window active and no acquisition running. Returns 0.
int ValCurseur(int panel, int control, int event, void* data, int e1, int e2);
// Callback of the Data window's readings list (value-changed event). Returns 0.
int IndexTableau(int panel, int control, int event);
// Makes the readings list of the Data window call IndexTableau when the
// user chooses a line.
void relier_liste_releves(int panel_donnees);
// Rewrites the read-outs of graph window w (none while it has no legend).
void Maj_valeurs_curseurs(int w);
// Cursor 1 of each channel's window on reading `index` of its curve (kept
// within the curve), its read-outs written and the readings list's line
// selected, as a user's move would leave them; after Stop (the last
// reading) and after Open (the first). Nothing while an acquisition runs.
void poser_curseurs_releve(int index);

// x and y of cursors 2 and 3 (x2, x3, y2, y3), read and put back around a
// resize; untouched while the plot has only cursor 1.
void Memo_curseur(int panel, double& x1, double& x2, double& y1, double& y2);
void Restor_curseur(int panel, double x1, double x2, double y1, double y2);
