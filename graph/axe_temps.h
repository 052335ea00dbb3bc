// Arithmetic of a graph window's time axis: the view size per zoom factor,
// the X range the scroll bar gives, and the five labels.
#pragma once

#include <QString>

#include <array>
#include <vector>

// Zoom factors by zoom index 0..10; a new window starts at index 7 (1.0).
extern const double table_zoom[11];
constexpr int NB_ZOOMS = 11;
constexpr int ZOOM_INDEX_INITIAL = 7;  // factor 1, a new window's
constexpr int VUE_DE_BASE = 150;  // readings shown at factor 1

// Readings shown at zoom factor f: ceil(150 / f), from 15 at 10 to 30000 at
// 0.005. Kept within 1..30000; a factor that is not positive gives 30000.
int taille_vue(double facteur);

// X range for a scroll bar at value `valeur` with view size `vue` and
// maximum `maximum`: from 0 to valeur + vue, the value taken at most at the
// maximum and the end at most at the capacity (30000).
void plage_x(int valeur, int vue, int maximum, int& lo, int& hi);

// The five label positions lo, (3lo+hi)/4, (lo+hi)/2, (lo+3hi)/4, hi, each
// cut to a whole number.
std::array<int, 5> positions_etiquettes(double lo, double hi);
// The same positions, not cut: the label texts are computed from these.
std::array<double, 5> positions_exactes(double lo, double hi);

// Period the time axis of the readings in hand stands on: the opened
// recording's own, else the reading-interval setting.
int periode_axe();

// Label text at an exact position for the reading period `periode` (seconds,
// 0 = half a second, -1 = on request): with -1 the reading number, otherwise
// the elapsed time h:mm:ss.
QString texte_etiquette(double position, int periode);

// Which of the five labels stand on the axis, their centres and widths in
// pixels given in axis order: all five while each keeps `ecart` pixels from
// its neighbour, else the two ends and the middle, else the two ends, else
// the first alone. Indexes in axis order.
std::vector<int> etiquettes_lisibles(const std::array<double, 5>& centres, const std::array<double, 5>& largeurs,
                                     double ecart);
