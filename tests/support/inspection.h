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
