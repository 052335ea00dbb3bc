// Curves of the channels and the Y axis of their graph windows: drawing,
// full-scale ranges, the per-tick Y adjustment and the scale dialog.
#pragma once

// Draws channel `voie`'s curve from ptx and point[voie] with its first `n`
// points (at most the channel's capacity), in Donnee[voie].coul. A curve
// already drawn is extended when it is the start of the new one; otherwise
// it goes and the new one replaces it.
void tracer_courbe(int voie, int n);

// Sets the Y axis of channel `voie`'s window to the quantity's full scale
// (unless the user fixed a manual range).
void Init_min_max_axe_Y(int voie);
// Adjusts the Y axis of channel `voie`'s window (panel `panel`) to the readings,
// the one at Acq.nb_points included though the curve may not hold it yet; in
// automatic mode a margin of a few per cent keeps the extremes inside the frame.
void Zoom_AXE_Y(int voie, int panel);

// Step between the Y labels for a rough step `brut` (span / label count) on
// an axis written with `decimales` decimals: 1, 2 or 5 times a power of ten,
// never finer than the last decimal shown, so that each label is exactly the
// value its grid line stands at.
double pas_graduation_y(double brut, int decimales);
// Writes the Y labels of graph panel `panel` with `decimales` decimals, on
// steps of pas_graduation_y.
void graduer_axe_y(int panel, int decimales);

// Relabels the scale dialog (Fen_princ[PNL_ECHELLE]) in the current language.
void Traduc_echelle();
// Opens the scale dialog for the active graph window (error 4 without one,
// nothing for the Data window or while an acquisition runs).
void ouvrir_echelle();
// Callback of the scale dialog's controls.
int Echelle(int panel, int control, int event, void* data, int e1, int e2);
// Controls of the scale dialog, as passed to Echelle.
enum ControleEchelle { ECHELLE_MODE = 1, ECHELLE_OK, ECHELLE_ANNULER };
