// What the tests read of the program's state that the program itself never
// asks for, through the same handles the program uses.
#pragma once

#include <QString>

// Whether control `handle` (graph/legende.h) still exists.
bool controle_existe(int handle);
// The text of label control `handle`; empty for another kind or an unknown handle.
QString texte_controle(int handle);

namespace tk {
// Whether menu item `item` is dimmed (false for an unknown item).
bool ItemDimmed(int item);
// The text of menu item `item` as shown, with Qt's '&' markers.
QString ItemName(int item);
} // namespace tk

// The buttons of toolbar `toolbar` (socle/barre_outils.h), at positions
// counted from 1 with the separators, as the user sees them.
bool Toolbar_ItemDimmed(int toolbar, int position);
int Toolbar_NbItems(int toolbar);
QString Toolbar_InfoBulle(int toolbar, int position);
bool Toolbar_Separateur(int toolbar, int position);
bool Toolbar_AUneImage(int toolbar, int position);
// Presses the button at `position` as a person would.
void Toolbar_Presser(int toolbar, int position);

// The acquisition timer, found by its name among the application's objects:
// seconds between ticks it is set to; milliseconds it waits while it runs
// (0 stopped); milliseconds left before the next tick (-1 stopped).
double intervalle_minuterie();
int attente_minuterie_ms();
int reste_minuterie_ms();

namespace tk {
// Colour painted in the title bar of child panel `panel` (RGB as
// red*65536 + green*256 + blue); 0 for a panel without one.
int couleur_barre_titre(int panel);
} // namespace tk

class QCPItemText;
// Plots (curves, lines, texts) held in the graph of panel `panel`.
int nb_traces(int panel);
// The text plot `handle` of that panel's graph; nullptr when it is none.
QCPItemText* texte_trace(int panel, int handle);
// Colour of cursor c (1 .. 3) as painted; 0 when the cursor is not shown.
int couleur_de_curseur(int panel, int c);

// Requests to end the event loop (app/quitter.h) since the start: without a
// running loop they are otherwise invisible.
int nb_fins_demandees();
