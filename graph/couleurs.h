// The display colours: the role table's defaults, their application to the
// screen, and the colour dialog that edits them with live preview.
#pragma once

// Defaults of colour indexes 0 .. 10, as Default in the dialog restores them.
extern const int couleurs_par_defaut[11];

// Applies colo[k] for k in 0 .. 10 as its role says; 11 applies all eleven in
// order; other values do nothing.
void Maj_couleurs(int k);
// Relabels the colour dialog (Fen_princ[PNL_COULEUR]): title, buttons, and
// the role list from the titres rows 0 .. 8, each item's value its row.
void Traduc_couleur();
// Display > Colours: the colour dialog, modal, with colo a copy of color.
void ouvrir_couleurs();
// Callback of the colour dialog's controls.
int couleurs(int panel, int control, int event, void* data, int e1, int e2);
enum ControleCouleur { COULEUR_OK = 1, COULEUR_ANNULER, COULEUR_DEFAUT, COULEUR_ROLE, COULEUR_CHOIX };
// The colour chooser embedded in the open dialog (tests choose through it).
class QColorDialog;
QColorDialog* selecteur_couleur(int panel);
