// The measurement-type dialog prepared from the instrument's identification
// (acquisition/identification.h): its mode word decides the boxes left enabled.
#pragma once

#include "acquisition/identification.h"

// Reads the instrument (up to five reads), loads the measurement-type dialog
// into Fen_princ[PNL_TYPEMES] and enables only the boxes that suit the mode
// word: instantaneous quantities for 0..3, averages for 4..7, current alone
// for 16 (INRUSH, which also clears the selection and sets ModeEnCours_actuel
// to 16). Returns 0 when the dialog is ready to be shown; -1 when the
// instrument did not answer (Stop, then message 20), when the mode word is
// none of those (no message), or when its display is held (a one-second
// notice). The dialog stays loaded, shown or not: the caller decides.
int essai_mesure_jbus();

// In INRUSH mode, ticks the current box of the loaded dialog and selects
// current as a click on that box would; otherwise does nothing.
void test_Inrush();

