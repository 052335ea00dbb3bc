// The simulated wattmeter's measurements: a single-phase load model, the
// instrument's smoothing, and the encoding of physical values into its 18
// measurement words. Plain functions, no input or output.
#pragma once

#include "link/registres.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

struct Grandeurs {
    double tension = 0.0; // V
    double courant = 0.0; // A
    double p = 0.0;       // W
    double q = 0.0;       // var
    double s = 0.0;       // VA
    double fp = 0.0;      // |P| / S
};

struct Releve {
    Grandeurs inst;
    Grandeurs moy;
    double inrush = 0.0; // A
    int mode = MODE_NORMAL;
};

// round(valeur * echelle) as an unsigned word. Clamped to 0..65499: a
// defined value never comes out as the undefined code.
inline std::uint16_t mot_non_signe(double valeur, double echelle)
{
    const double brut = std::round(valeur * echelle);
    if (!(brut > 0.0))
        return 0;
    if (brut >= MOT_INDEFINI)
        return MOT_INDEFINI - 1;
    return static_cast<std::uint16_t>(brut);
}

// round(valeur * echelle) as a signed 32-bit value in words index (low half)
// and index + 1 (high half). Clamped to the 32-bit range; the one value equal
// to the undefined code moves to its neighbour.
inline void long_signe(double valeur, double echelle, std::uint16_t* mots, int index)
{
    double brut = std::round(valeur * echelle);
    if (std::isnan(brut))
        brut = 0.0;
    brut = std::fmax(brut, static_cast<double>(std::numeric_limits<std::int32_t>::min()));
    brut = std::fmin(brut, static_cast<double>(std::numeric_limits<std::int32_t>::max()));
    auto v = static_cast<std::int32_t>(brut);
    if (v == MOT_INDEFINI)
        v = MOT_INDEFINI - 1;
    const auto u = static_cast<std::uint32_t>(v);
    mots[index] = static_cast<std::uint16_t>(u & 0xFFFFu);
    mots[index + 1] = static_cast<std::uint16_t>(u >> 16);
}

// The 18 measurement words: voltage x100, current x1000, powers x10 (P and Q
// signed 32-bit, low word first), power factor x100, inrush x10, mode word.
inline std::array<std::uint16_t, NB_MOTS_MESURE> encoder_registres(const Releve& r)
{
    std::array<std::uint16_t, NB_MOTS_MESURE> m{};
    auto groupe = [&m](const Grandeurs& g, int v, int i, int p, int q, int s, int fp) {
        m[v] = mot_non_signe(g.tension, 100.0);
        m[i] = mot_non_signe(g.courant, 1000.0);
        long_signe(g.p, 10.0, m.data(), p);
        long_signe(g.q, 10.0, m.data(), q);
        m[s] = mot_non_signe(g.s, 10.0);
        m[fp] = mot_non_signe(g.fp, 100.0);
    };
    groupe(r.inst, MOT_TENSION, MOT_COURANT, MOT_P, MOT_Q, MOT_S, MOT_FP);
    groupe(r.moy, MOT_TENSION_MOY, MOT_COURANT_MOY, MOT_P_MOY, MOT_Q_MOY, MOT_S_MOY, MOT_FP_MOY);
    m[MOT_INRUSH] = mot_non_signe(r.inrush, 10.0);
    m[MOT_MODE] = static_cast<std::uint16_t>(r.mode);
    return m;
}

// Marks word n undefined; a word of a 32-bit pair makes the whole pair the
// value 65500 (low word 0xFFDC, high word 0).
inline void rendre_indefini(std::array<std::uint16_t, NB_MOTS_MESURE>& m, int n)
{
    switch (n) {
    case MOT_P: case MOT_P + 1: case MOT_Q: case MOT_Q + 1:
    case MOT_P_MOY: case MOT_P_MOY + 1: case MOT_Q_MOY: case MOT_Q_MOY + 1: {
        const int bas = n - (n % 2);
        m[bas] = MOT_INDEFINI;
        m[bas + 1] = 0;
        break;
    }
    default:
        if (n >= 0 && n < NB_MOTS_MESURE)
            m[n] = MOT_INDEFINI;
    }
}

// P, Q, S and power factor of a load from its voltage, current and phase
// angle (current lagging for phi > 0).
inline Grandeurs puissances(double tension, double courant, double phi)
{
    Grandeurs g;
    g.tension = tension;
    g.courant = courant;
    g.s = tension * courant;
    g.p = g.s * std::cos(phi);
    g.q = g.s * std::sin(phi);
    g.fp = g.s > 0.0 ? std::fabs(g.p) / g.s : 0.0;
    return g;
}

// A household-like single-phase load at t seconds: about 230 V, a current
// that wanders between roughly 1.5 and 6.5 A, power factor 0.85 to 0.97.
inline Grandeurs charge(double t)
{
    constexpr double pi = 3.14159265358979323846;
    const double tension = 230.0 + 1.8 * std::sin(2 * pi * t / 47.0) + 0.4 * std::sin(2 * pi * t / 3.1);
    const double courant = 4.0 + 1.8 * std::sin(2 * pi * t / 23.0) + 0.6 * std::sin(2 * pi * t / 6.7);
    const double phi = std::acos(0.91 + 0.06 * std::sin(2 * pi * t / 31.0));
    return puissances(tension, courant, phi);
}

// The instrument's smoothed values: first-order averages of V, I, P, Q and
// S with time constant `tau`; the average power factor follows from them.
class Lissage {
public:
    explicit Lissage(double tau = 8.0) : tau_(tau) {}

    const Grandeurs& ajouter(const Grandeurs& g, double dt)
    {
        if (!amorce_) {
            moy_ = g;
            amorce_ = true;
            return moy_;
        }
        const double a = dt > 0.0 ? 1.0 - std::exp(-dt / tau_) : 0.0;
        moy_.tension += a * (g.tension - moy_.tension);
        moy_.courant += a * (g.courant - moy_.courant);
        moy_.p += a * (g.p - moy_.p);
        moy_.q += a * (g.q - moy_.q);
        moy_.s += a * (g.s - moy_.s);
        moy_.fp = moy_.s > 0.0 ? std::fabs(moy_.p) / moy_.s : 0.0;
        return moy_;
    }
    const Grandeurs& moyenne() const { return moy_; }

private:
    double tau_;
    bool amorce_ = false;
    Grandeurs moy_;
};

// Mode word from its name: normal, t3fe, hold, smooth, inrush, or bits
// joined with '+' ("t3fe+smooth+hold"), or a number.
inline std::optional<int> mode_depuis_nom(std::string_view nom)
{
    if (nom.empty())
        return std::nullopt;
    if (std::isdigit(static_cast<unsigned char>(nom[0]))) {
        int v = 0;
        for (char c : nom) {
            if (!std::isdigit(static_cast<unsigned char>(c)) || v > 6553)
                return std::nullopt;
            v = v * 10 + (c - '0');
        }
        return v <= 65535 ? std::optional<int>(v) : std::nullopt;
    }
    int mode = 0;
    while (!nom.empty()) {
        const auto plus = nom.find('+');
        std::string partie(nom.substr(0, plus));
        for (auto& c : partie)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (partie == "normal")
            mode |= MODE_NORMAL;
        else if (partie == "t3fe")
            mode |= MODE_T3FE;
        else if (partie == "hold")
            mode |= MODE_HOLD;
        else if (partie == "smooth")
            mode |= MODE_SMOOTH;
        else if (partie == "inrush")
            mode |= MODE_INRUSH;
        else
            return std::nullopt;
        if (plus == std::string_view::npos)
            return mode;
        nom.remove_prefix(plus + 1);
    }
    return std::nullopt; // ends with '+'
}

} // namespace sim
