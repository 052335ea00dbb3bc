// The acquisition timer of the main window. Its tick calls the callback set
// with fixer_callback_minuterie (the reading cycle).
#pragma once

using TickCallback = void (*)();

void fixer_callback_minuterie(TickCallback cb);
// Interval in seconds; a value below 0.001 s is kept but the timer does not tick.
void fixer_intervalle_minuterie(double secondes);
// Seconds between ticks for a reading period (0 = half a second).
double intervalle_periode(int periode);
double intervalle_minuterie();
void activer_minuterie(bool actif);
bool minuterie_active();
// Restarts the count of the timer from now.
void ResetTimer();
