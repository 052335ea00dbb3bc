// The simulated wattmeter as a JBUS slave: its readings at a given time, and
// the answer it gives to one request.
#pragma once

#include "sim/registres.h"
#include "sim/scenario.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// Words 0..17 are the measurements (read only); 18..255 are plain storage
// that function 16 writes.
constexpr int NB_MOTS_BANQUE = 256;

class Instrument {
public:
    // The measurement words at t seconds from the start, as set by `etat`.
    std::array<std::uint16_t, NB_MOTS_MESURE> mesures(const Etat& etat, double t);

private:
    Lissage lissage_;
    double t_precedent_ = -1.0;
    bool fige_ = false; // display held: the readings stay as they were
    Releve releve_fige_;
};

// Length of the request at the head of `octets` from its function code;
// 0 while too few bytes are there to tell, -1 for a function this slave does
// not know (its end is then the line's silence).
int longueur_requete(const std::uint8_t* octets, std::size_t n);

class Esclave {
public:
    explicit Esclave(int numero = 1) : numero_(numero) {}

    // Answer to a request whose CRC is valid; empty when none is due (another
    // slave's request, a broadcast, or silence).
    std::vector<std::uint8_t> repondre(const std::uint8_t* requete, std::size_t n, const Etat& etat,
                                       const std::array<std::uint16_t, NB_MOTS_MESURE>& mesures);

    int numero() const { return numero_; }

private:
    int numero_;
    std::array<std::uint16_t, NB_MOTS_BANQUE> banque_{};
};

} // namespace sim
