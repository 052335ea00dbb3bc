// The acquisition timer of the main window. Its tick calls the callback set
// with fixer_callback_minuterie (the reading cycle).
#pragma once

using TickCallback = void (*)();

void fixer_callback_minuterie(TickCallback cb);
// Interval in seconds; a value below 0.001 s is kept but the timer does not tick.
void fixer_intervalle_minuterie(double secondes);
// Seconds between ticks for a reading period (0 = half a second).
double intervalle_periode(int periode);
// Reading periods: -1 one reading per Run, 0 half a second, else whole
// seconds up to an hour.
constexpr int PERIODE_MAX = 3600;
inline bool periode_valide(int periode) { return periode >= -1 && periode <= PERIODE_MAX; }
void activer_minuterie(bool actif);
bool minuterie_active();
// Restarts the count of the timer from now.
void ResetTimer();
