// The measurement-type dialog: one box per quantity code, OK and Cancel.
#pragma once

// Loads the dialog into Fen_princ[PNL_TYPEMES] (a dialog loaded before is
// discarded), relabels it and wires its controls to the callbacks below.
// Not shown. Returns the panel, or a negative value when it cannot load.
int charger_type_mesure();
// Loads, relabels and shows the dialog (modal, menus locked), ticking the
// boxes of the assigned channels. A dialog already loaded (and prepared by
// its caller) is used as it is.
void ouvrir_type_mesure();
// Re-reads the twelve boxes of dialog `panel` into grandeur_mesure; 1 when
// at least one is ticked (0 at once for a null panel).
int relire_selection_mesure(int panel);
// Callbacks: the boxes (control = quantity code 1..12), OK and Cancel.
int Selectionner(int panel, int control, int event, void* data, int e1, int e2);
int Choix_Grandeur(int panel, int control, int event, void* data, int e1, int e2);
int Annuler_mesure(int panel, int control, int event, void* data, int e1, int e2);
// Control identifiers of OK and Cancel (the boxes are their quantity codes).
enum ControleTypeMesure { TYPEMES_OK = 13, TYPEMES_ANNULER = 14 };
// Relabels the dialog in the current language.
void Traduc_typedemesure();
