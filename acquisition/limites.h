// Range checks of a stored reading and the user's limit levels of a graph
// window.
#pragma once

#include "socle/globals.h"

// Range check of the reading just stored in channel `voie` at Acq.nb_points
// for an instantaneous quantity `code`: voltage outside 0..618 V, current
// outside 0..10.3 A, or any value equal to 6500 or beyond +-6300 is replaced
// by the full scale Val_maxi. Returns 0 in range, -1 out of range.
int test_limite(int code, int voie);
// The same for an averaged quantity (checks the average voltage and current).
int test_limite_moyenne(int code, int voie);
// With `indefini` 1: marks the channel undefined, stores 0.0 and returns 1;
// otherwise clears the mark and returns 0.
int test_indefinie(int voie, int indefini);

// Beeps a reading `v` gives in window `w`: one when an active low limit is
// above it, one when an active high limit is below it (equal gives none).
// With the levels in order (ordonner_limites) that is at most one.
int bips_limites(const InfoRecord& w, double v);

// Both limits active with the high level below the low one: exchanges the
// levels and their line handles.
void ordonner_limites(InfoRecord& w);

// A limit mode up to 10 has the low limit active, from 10 the high one.
inline bool limite_basse_active(int limite) { return limite == LIMITE_BASSE || limite == LIMITE_DEUX; }
inline bool limite_haute_active(int limite) { return limite == LIMITE_DEUX || limite == LIMITE_HAUTE; }
