#include "graph/axe_temps.h"

#include "socle/globals.h"

#include <algorithm>
#include <cmath>

const double table_zoom[11] = {0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10};

int taille_vue(double facteur)
{
    if (!(facteur > 0.0))
        return NB_RELEVES_MAX;
    // 150 / f is exact for the table's factors up to rounding of the last
    // bit; the allowance keeps such a bit from adding a whole reading.
    const double brut = std::ceil(VUE_DE_BASE / facteur - 1e-9);
    if (brut >= NB_RELEVES_MAX)
        return NB_RELEVES_MAX;
    if (brut < 1.0)
        return 1;
    return static_cast<int>(brut);
}

void plage_x(int valeur, int vue, int maximum, int& lo, int& hi)
{
    lo = 0;
    // Summed in 64 bits: the widget's values are not trusted to be small.
    // The right end is bounded by the end of the last view (maximum + view)
    // and by the capacity, not by the bar's maximum alone: every stored
    // reading, up to number 29999, can then be brought into view, at the
    // widest zooms too.
    const long long fin = std::min(static_cast<long long>(valeur), static_cast<long long>(maximum)) + vue;
    hi = static_cast<int>(std::min<long long>(fin, NB_RELEVES_MAX));
}

std::array<double, 5> positions_exactes(double lo, double hi)
{
    return {lo, (3.0 * lo + hi) / 4.0, (lo + hi) / 2.0, (lo + 3.0 * hi) / 4.0, hi};
}

std::array<int, 5> positions_etiquettes(double lo, double hi)
{
    return {static_cast<int>(lo),
            static_cast<int>(3.0 * lo + hi) / 4,
            static_cast<int>(lo + hi) / 2,
            static_cast<int>(lo + 3.0 * hi) / 4,
            static_cast<int>(hi)};
}

int periode_axe()
{
    return Acq.periode_ouverte != PERIODE_DE_REGLAGE ? Acq.periode_ouverte : Acq.periode;
}

QString texte_etiquette(double position, int periode)
{
    if (periode == -1)
        return QString::asprintf("%i", static_cast<int>(position));
    const double t = position * (periode == 0 ? 0.5 : periode);
    const int h = static_cast<int>(t / 3600.0);
    const int m = static_cast<int>((t - 3600.0 * h) / 60.0);
    const int s = static_cast<int>(t - 3600.0 * h - 60.0 * m);
    return QString::asprintf("%i:%02i:%02i", h, m, s);
}

std::vector<int> etiquettes_lisibles(const std::array<double, 5>& centres, const std::array<double, 5>& largeurs,
                                     double ecart)
{
    const std::vector<int> choix[] = {{0, 1, 2, 3, 4}, {0, 2, 4}, {0, 4}};
    for (const std::vector<int>& c : choix) {
        bool libre = true;
        for (std::size_t k = 1; k < c.size() && libre; ++k) {
            const int a = c[k - 1], b = c[k];
            libre = centres[b] - centres[a] >= (largeurs[a] + largeurs[b]) / 2.0 + ecart;
        }
        if (libre)
            return c;
    }
    return {0};
}
