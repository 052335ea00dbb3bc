// Decoding of the instrument's 18 measurement words and of its mode word.
#pragma once

#include "link/registres.h"

// Decodes words 0..17 into the latest-value globals (MesureTension ...
// MesureFacteurPuisMoy, MesureInrush, MesureTypeReseau) and sets the twelve
// undefined flags of memo_grandeur_indefinie: an undefined quantity reads 0.0
// with its flag at 1.
void decoder_mesures(const unsigned short* mots);

// Maps the mode word (MesureTypeReseau) to ModeEnCours_actuel: 0/1 -> 1
// (instantaneous), 4/5 -> 2 (averages), 2/3/6/7 -> 3 (held); any other word
// leaves it alone. Returns 1 when the change seen at this reading ends an
// acquisition, 0 when it may go on (held now, or held before).
int suite_annule();

