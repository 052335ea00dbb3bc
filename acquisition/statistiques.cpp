#include "acquisition/statistiques.h"

#include "acquisition/ligne.h"
#include "socle/globals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace stats {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// Readings per block of the lowest and highest values.
constexpr int BLOC = 64;

// Running sums of one channel; entry i of a prefix covers readings 0..i-1.
struct Voie {
    std::vector<int> nb_definis{0};
    std::vector<double> somme{0.0};
    // Area of the interval ending at each defined reading (from the defined
    // reading before it), summed.
    std::vector<double> aire{0.0};
    std::vector<double> aire_de;  // that area, per reading (0 for the others)
    std::vector<int> definis;     // the defined readings, in order
    std::vector<double> valeur;
    std::vector<double> bloc_mini, bloc_maxi;
};

struct Cache {
    unsigned generation = ~0u;
    int periode = PERIODE_DE_REGLAGE;
    int n = 0;
    std::vector<qint64> seconde;  // stamped second, -1 none
    std::vector<double> temps;    // NaN: none
    std::array<Voie, 2> voies;
};

Cache cache;

// Whether the x positions of the stored readings never go down, checked
// as far as `x_n`.
struct Abscisses {
    unsigned generation = ~0u;
    int n = 0;
    bool croissantes = true;
};

Abscisses abscisses;

int nb_stockes()
{
    return std::clamp(std::min(Acq.nb_points, nb_releves_ranges()), 0, NB_RELEVES_MAX);
}

qint64 seconde_de(const Releve& r)
{
    if (r.secondes < 0)
        return -1;
    if (r.relatif || !r.date.isValid())
        return r.secondes;
    return r.date.toJulianDay() * 86400 + r.secondes;
}

// Longest interval that still counts: twice the period.
double ecart_max(int periode)
{
    if (periode < 0)
        return std::numeric_limits<double>::infinity();
    return periode == 0 ? 1.0 : 2.0 * periode;
}

// The caches of readings s and after dropped.
void tronquer(int s)
{
    cache.seconde.resize(std::size_t(s));
    cache.temps.resize(std::size_t(s));
    for (Voie& v : cache.voies) {
        const int d = v.nb_definis[std::size_t(s)];
        v.nb_definis.resize(std::size_t(s) + 1);
        v.somme.resize(std::size_t(s) + 1);
        v.aire.resize(std::size_t(s) + 1);
        v.aire_de.resize(std::size_t(s));
        v.valeur.resize(std::size_t(s));
        v.definis.resize(std::size_t(d));
        v.bloc_mini.resize(std::size_t(s / BLOC));
        v.bloc_maxi.resize(std::size_t(s / BLOC));
    }
    cache.n = s;
}

void a_jour(int periode)
{
    const int n = nb_stockes();
    if (cache.generation != generation_releves() || cache.periode != periode || n < cache.n) {
        cache.generation = generation_releves();
        cache.periode = periode;
        tronquer(0);
    }
    if (n == cache.n)
        return;
    const int ancien = cache.n;
    // The new readings' stamps; at the half-second period the second the
    // last kept readings share with the first new one is spread again.
    std::vector<Releve> nouveaux;
    nouveaux.reserve(std::size_t(n - ancien));
    for (int i = ancien; i < n; ++i)
        nouveaux.push_back(releve(i));
    int s = ancien;
    if (periode == 0) {
        const qint64 sec = seconde_de(nouveaux.front());
        while (s > 0 && sec >= 0 && cache.seconde[std::size_t(s - 1)] == sec)
            --s;
    }
    std::vector<Releve> a_refaire;
    for (int i = s; i < ancien; ++i)
        a_refaire.push_back(releve(i));
    a_refaire.insert(a_refaire.end(), nouveaux.begin(), nouveaux.end());
    tronquer(s);

    for (int i = s; i < n; ++i)
        cache.seconde.push_back(seconde_de(a_refaire[std::size_t(i - s)]));
    for (int i = s; i < n;) {
        int j = i + 1;
        const qint64 sec = cache.seconde[std::size_t(i)];
        if (periode == 0 && sec >= 0)
            while (j < n && cache.seconde[std::size_t(j)] == sec)
                ++j;
        for (int m = i; m < j; ++m)
            cache.temps.push_back(sec < 0 ? NaN : double(sec) + double(m - i) / double(j - i));
        i = j;
    }
    const double limite = ecart_max(periode);
    for (int k = 0; k < 2; ++k) {
        Voie& v = cache.voies[std::size_t(k)];
        for (int i = s; i < n; ++i) {
            const Releve& r = a_refaire[std::size_t(i - s)];
            const bool defini = k < r.nb_voies && !r.indefini[k] && std::isfinite(r.valeur[k]);
            const double x = defini ? r.valeur[k] : NaN;
            double a = 0.0;
            if (defini && !v.definis.empty()) {
                const int p = v.definis.back();
                const double dt = cache.temps[std::size_t(i)] - cache.temps[std::size_t(p)];
                if (dt >= 0.0 && dt <= limite)
                    a = dt * (v.valeur[std::size_t(p)] + x) / 2.0;
            }
            v.valeur.push_back(x);
            v.aire_de.push_back(a);
            v.nb_definis.push_back(v.nb_definis.back() + (defini ? 1 : 0));
            v.somme.push_back(v.somme.back() + (defini ? x : 0.0));
            v.aire.push_back(v.aire.back() + a);
            if (defini)
                v.definis.push_back(i);
        }
        for (int b = s / BLOC; (b + 1) * BLOC <= n; ++b) {
            double lo = NaN, hi = NaN;
            for (int i = b * BLOC; i < (b + 1) * BLOC; ++i) {
                const double x = v.valeur[std::size_t(i)];
                if (std::isnan(x))
                    continue;
                lo = std::isnan(lo) ? x : std::min(lo, x);
                hi = std::isnan(hi) ? x : std::max(hi, x);
            }
            v.bloc_mini.push_back(lo);
            v.bloc_maxi.push_back(hi);
        }
    }
    cache.n = n;
}

bool croissantes(int n)
{
    if (abscisses.generation != generation_releves() || n < abscisses.n) {
        abscisses = Abscisses();
        abscisses.generation = generation_releves();
    }
    for (int i = std::max(abscisses.n, 1); i < n && abscisses.croissantes; ++i)
        abscisses.croissantes = ptx[i] >= ptx[i - 1];
    abscisses.n = std::max(abscisses.n, n);
    return abscisses.croissantes;
}

void etendre(double& lo, double& hi, double a, double b)
{
    if (std::isnan(a))
        return;
    lo = std::isnan(lo) ? a : std::min(lo, a);
    hi = std::isnan(hi) ? b : std::max(hi, b);
}

} // namespace

bool releves_entre(double xa, double xb, int& premier, int& dernier)
{
    premier = dernier = -1;
    if (std::isnan(xa) || std::isnan(xb))
        return false;
    const double lo = std::min(xa, xb), hi = std::max(xa, xb);
    const int n = nb_stockes();
    if (croissantes(n)) {
        premier = int(std::lower_bound(ptx, ptx + n, lo, [](int x, double v) { return x < v; }) - ptx);
        dernier = int(std::upper_bound(ptx, ptx + n, hi, [](double v, int x) { return v < x; }) - ptx) - 1;
    } else {
        for (int i = 0; i < n; ++i)
            if (ptx[i] >= lo && ptx[i] <= hi) {
                if (premier < 0)
                    premier = i;
                dernier = i;
            }
    }
    if (premier < 0 || dernier < premier) {
        premier = dernier = -1;
        return false;
    }
    return true;
}

Statistiques statistiques(int k, int premier, int dernier, int periode)
{
    Statistiques r;
    r.moyenne = r.mini = r.maxi = r.debut = r.fin = NaN;
    if (k < 1 || k > 2)
        return r;
    a_jour(periode);
    const int n = cache.n;
    if (premier > dernier)
        std::swap(premier, dernier);
    premier = std::max(premier, 0);
    dernier = std::min(dernier, n - 1);
    if (premier > dernier)
        return r;
    const Voie& v = cache.voies[std::size_t(k - 1)];
    const auto a = std::size_t(premier), b = std::size_t(dernier) + 1;
    r.premier = premier;
    r.dernier = dernier;
    r.nb_releves = dernier - premier + 1;
    const int definis = v.nb_definis[b] - v.nb_definis[a];
    r.nb_indefinis = r.nb_releves - definis;
    r.debut = cache.temps[a];
    r.fin = cache.temps[b - 1];
    if (definis == 0)
        return r;
    r.moyenne = (v.somme[b] - v.somme[a]) / definis;
    // The interval ending at the span's first defined reading starts before
    // the span.
    const int f = v.definis[std::size_t(v.nb_definis[a])];
    r.integrale = (v.aire[b] - v.aire[std::size_t(f) + 1]) / 3600.0;
    // Lowest and highest: whole blocks inside the span, readings at its ends.
    double lo = NaN, hi = NaN;
    const int b0 = (premier + BLOC - 1) / BLOC, b1 = (dernier + 1) / BLOC;
    if (b0 < b1) {
        for (int i = premier; i < b0 * BLOC; ++i)
            etendre(lo, hi, v.valeur[std::size_t(i)], v.valeur[std::size_t(i)]);
        for (int c = b0; c < b1; ++c)
            etendre(lo, hi, v.bloc_mini[std::size_t(c)], v.bloc_maxi[std::size_t(c)]);
        for (int i = b1 * BLOC; i <= dernier; ++i)
            etendre(lo, hi, v.valeur[std::size_t(i)], v.valeur[std::size_t(i)]);
    } else {
        for (int i = premier; i <= dernier; ++i)
            etendre(lo, hi, v.valeur[std::size_t(i)], v.valeur[std::size_t(i)]);
    }
    r.mini = lo;
    r.maxi = hi;
    return r;
}

Statistiques statistiques_tout(int k, int periode)
{
    return statistiques(k, 0, nb_stockes() - 1, periode);
}

bool integrable(int code)
{
    return code >= CODE_COURANT && code <= CODE_S_MOY;
}

const char* unite_integrale(int code)
{
    switch (code) {
    case CODE_COURANT:
    case CODE_COURANT_MOY: return "Ah";
    case CODE_P:
    case CODE_P_MOY: return "Wh";
    case CODE_Q:
    case CODE_Q_MOY: return "varh";
    case CODE_S:
    case CODE_S_MOY: return "VAh";
    default: return "";
    }
}

} // namespace stats
