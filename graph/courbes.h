// Curves of the channels and the Y axis of their graph windows: drawing,
// full-scale ranges, the per-tick Y adjustment and the scale dialog.
#pragma once

// Draws channel `voie`'s curve again from ptx and point[voie], with
// Acq.nb_points + 1 points, in Donnee[voie].coul; the previous curve goes.
void tracer_courbe(int voie);

// Sets the Y axis of channel `voie`'s window to the quantity's full scale
// (unless the user fixed a manual range).
void Init_min_max_axe_Y(int voie);
// Adjusts the Y axis of channel `voie`'s window (panel `panel`) to the readings.
void Zoom_AXE_Y(int voie, int panel);

// Relabels the scale dialog (Fen_princ[PNL_ECHELLE]) in the current language.
void Traduc_echelle();
// Opens the scale dialog for the active graph window (error 4 without one,
// nothing for the Data window or while an acquisition runs).
void ouvrir_echelle();
// Callback of the scale dialog's controls.
int Echelle(int panel, int control, int event, void* data, int e1, int e2);
// Controls of the scale dialog, as passed to Echelle.
enum ControleEchelle { ECHELLE_MODE = 1, ECHELLE_OK, ECHELLE_ANNULER };
