// Identification of the instrument before the choice of quantities: one
// read tells its mode word, which decides the quantities that may be chosen.
#pragma once

// Reads the instrument (up to five reads). False when it did not answer:
// Stop, then message 20 (or the port in use).
bool lire_identification();
// Whether mode word `mot` is one the instrument defines (0..7, 16 INRUSH).
bool mode_identifie(int mot);
// Whether quantity code `code` may be chosen in mode word `mot`: the
// instantaneous quantities (odd codes) for 0..3, the averages (even codes)
// for 4..7, current alone for 16 (INRUSH).
bool grandeur_offerte(int code, int mot);
// After the read, the mode's own effects: INRUSH clears the selection and
// sets ModeEnCours_actuel to 16; a held display is told for one second
// (modele::annoncer_information) and returns -1. 0 when quantities may be
// chosen.
int conclure_identification();
