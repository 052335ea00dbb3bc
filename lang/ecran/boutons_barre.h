// The toolbar's buttons are laid out once, in lang/ecran/langue.cpp (each with its
// tooltip text); the others find a button by the menu item it raises.
#pragma once

// Position in the toolbar (from 1, separators counted) of the button that
// raises menu item `item`; 0 when no button does.
int position_bouton(int item);
