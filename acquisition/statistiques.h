// Figures of a channel over a span of stored readings: how many, their mean,
// lowest and highest, and for the currents and powers their integral over
// time (charge in Ah, energy in Wh, varh, VAh).
//
// The integral follows the readings' own times (their time column, as
// `releve(i)` gives it), not their numbers: trapezoids between consecutive
// defined readings, none across an interval longer than twice the reading
// period (a pause, a lost link, a replug) nor across a time going backwards.
// On request (period -1) every interval counts. At the half-second period the
// readings that share a stamped second are spread evenly over it.
//
// Undefined readings are counted apart and left out of every figure. Running
// sums over the stored readings are kept and brought up to date lazily, so
// the figures of any span cost the same whatever its length.
#pragma once

namespace stats {

struct Statistiques {
    int premier = -1, dernier = -1;  // readings of the span, -1: none
    int nb_releves = 0;              // readings in the span
    int nb_indefinis = 0;            // of which undefined, out of the figures
    // Over the defined readings; NaN without one.
    double moyenne = 0.0, mini = 0.0, maxi = 0.0;
    // Value x hours over the intervals counted (0 without one).
    double integrale = 0.0;
    // Times of the first and last readings, in seconds (relative time: since
    // the recording's first reading; clock time: Julian day x 86400 + seconds
    // since midnight); NaN when a reading has no time.
    double debut = 0.0, fin = 0.0;
    // fin - debut: how long the span lasted, pauses included.
    double duree() const { return fin - debut; }
    bool vide() const { return nb_releves == 0; }
};

// The readings whose x positions (ptx) lie between xa and xb, bounds
// included, in either order: the first and last of them. False when none.
bool releves_entre(double xa, double xb, int& premier, int& dernier);

// Channel k's (1 or 2) figures over readings premier..dernier (either order,
// kept within the stored readings; -1, -1: none), the reading period being `periode`
// (seconds; 0: half a second; -1: on request).
Statistiques statistiques(int k, int premier, int dernier, int periode);

// Over every stored reading.
Statistiques statistiques_tout(int k, int periode);

// True for the quantities whose integral has a meaning: currents and powers
// (codes 3 to 10).
bool integrable(int code);
// Unit of the integral of quantity `code`: "Ah", "Wh", "varh", "VAh"; empty
// for the others.
const char* unite_integrale(int code);

} // namespace stats
