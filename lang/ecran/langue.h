// Language switching, the Options and Help menus.
#pragma once

#include "lang/langue.h"

// Relabels the menu bar, rebuilds the toolbar, the readings-list heading and
// the channel windows' titles in the current language, then clears the
// recording (File > New).
void Changement_langue(int menubar);
// Relabels the about panel.
void Traduc_pres();

// Options menu: language items and Save settings on exit. A language item
// first runs the command New (unsaved readings offered for saving, then the
// recording cleared); when the user abandons it nothing is switched or
// relabelled.
void Gestion_options(int menubar, int item, void* data, int panel);
// Help menu: Contents, Search for help on, About.
void Gestion_aide(int menubar, int item, void* data, int panel);
// Close button of the about panel.
int Quitter_aide(int panel, int control, int event, void* data, int e1, int e2);

