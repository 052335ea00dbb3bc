// The reading periods offered, one table: the interval dialog's ring shows
// them and a recording read back is matched to the nearest of them.
#pragma once

#include <span>

struct PeriodeOfferte {
    int periode;        // seconds; 0 is half a second
    const char* texte;  // as the ring shows it
};

// In increasing order, half a second first; the on-request mode (period -1)
// is not among them.
std::span<const PeriodeOfferte> periodes_offertes();
