// Texts of the cursor read-outs: elapsed times and measured values with a
// unit prefix letter and the quantity's unit.
#pragma once

#include <QString>

// Seconds of a reading number x for the reading period p (seconds; 0 = half
// a second; -1 = one per Run, where the reading number itself is shown):
// p = -1: floor(x); p > 0: floor(x.p + 0.5); p = 0: floor((x + 0.5) / 2).
double secondes_position(double x, int periode);

// prefix then h:mm:ss; from 100000 hours on, h:mm.
QString Format_Seconde(const char* prefixe, double secondes);

// prefix, value, a blank, the unit prefix letter (p n µ m k M G or blank) and
// the unit of quantity `code`. With `simple` set: one decimal, no letter.
// Power factors (codes 11 and 12) and 0 take no letter.
QString Format_Mesure(int code, const char* prefixe, double x, int simple);

// The scaled form with another unit: an integral of quantity `code` ("Wh",
// "Ah"...), its digits as the quantity's own read-out shows them.
QString Format_Mesure_unite(int code, const char* prefixe, double x, const char* unite);
