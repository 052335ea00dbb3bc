// The interval dialog: the reading period and an optional recording
// duration, with the capacity they leave.
#pragma once

// Loads the interval dialog into Fen_princ[PNL_INTERVAL], relabels it, fills
// it from the current settings, locks the menu bar and shows it.
void ouvrir_intervalle();
// Callback of the dialog's controls; acts on the commit event only.
int intervalle(int panel, int control, int event, void* data, int e1, int e2);
enum ControleIntervalle { INTERVALLE_ANNEAU = 1, INTERVALLE_CASE_DUREE, INTERVALLE_OK, INTERVALLE_ANNULER };
// Relabels the interval dialog in the current language.
void traduc_intervalle();
