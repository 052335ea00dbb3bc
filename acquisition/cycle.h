// The reading cycle: one instrument read per timer tick.
#pragma once

// Timer callback: acts on EVENT_TIMER_TICK only.
int cadence(int panel, int control, int event, void* data, int e1, int e2);
// One read of the 18 words and its decoding: 0 good, -1 the user declined to
// go on, -2 the user asked to go on, -3 mode change (acquisition reset).
int Mesure_jbus();
