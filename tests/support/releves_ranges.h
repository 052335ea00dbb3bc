// Readings stored as an acquisition stores them, for tests that need
// readings in hand without running the cycle.
#pragma once

#include <QDate>
#include <QTime>

// Stores reading i, taken on `jour` at `heure` (in relative time, `heure`
// is the time elapsed since the first reading), with `nb_voies` values (NaN:
// undefined), its date shown as in `langue_lignes`, and lists its line. The
// records keep the language and the time-stamp mode in force.
void ranger_essai(int i, const QDate& jour, const QTime& heure, bool relatif, int langue_lignes, int nb_voies,
                  double v1, double v2 = 0.0);
