// The reading cycle: one instrument read per timer tick.
#pragma once

#include <QString>

// Results of Mesure_jbus, as the work routines' convention numbers them.
enum ResultatMesure {
    MESURE_BONNE = 0,     // read and decoded
    MESURE_ABANDON = -1,  // the read failed and the user declined to go on (Stop done)
    MESURE_ENCORE = -2,   // the read failed and the user asked to try again
    MESURE_REMISE = -3,   // the mode changed: the acquisition was reset
};

// Timer callback: acts on EVENT_TIMER_TICK only.
int cadence(int panel, int control, int event, void* data, int e1, int e2);
// One read of the 18 words and its decoding; a ResultatMesure.
int Mesure_jbus();
// Mesure_jbus up to five times, while the user asks to try again; returns
// the last result.
int Mesure_jbus_essais();
