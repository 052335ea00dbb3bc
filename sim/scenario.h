// What the simulated instrument does, as set by commands: its mode, fixed or
// live readings, and the faults of its answers. A scenario is a list of
// commands, each at a time in seconds from the start.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Etat {
    // Readings
    int mode = 0;                          // mode word
    double inrush = 42.0;                  // A, reported while in INRUSH mode
    std::optional<double> tension;         // V; live load model when unset
    std::optional<double> courant;         // A
    std::optional<double> fp;              // power factor, lagging
    bool surcharge = false;                // overload and out-of-range readings
    std::set<int> indefinis;               // words sent as 65500
    std::map<int, std::uint16_t> forces;   // raw words that replace the readings

    // Answers
    bool silence = false;                  // no answer at all
    bool corrompre = false;                // one byte altered after the CRC
    bool mauvais_nombre = false;           // wrong byte count (03) or echoed word count (16)
    int esclave_reponse = 0;               // answer under this slave number; 0 = our own
    int exception = 0;                     // answer every request with this exception code
    int retard_ms = 0;                     // extra time before answering
    bool ligne = false;                    // 9600-baud wire timing

    bool quitter = false;
};

// Applies one command. Returns an error text, empty when it was understood.
std::string appliquer_commande(Etat& etat, std::string_view commande);

struct Evenement {
    double temps = 0.0; // seconds from the start
    std::string commande;
};

// "[seconds] command [arguments]". Returns nothing for a blank line or a
// comment (#); sets `erreur` when the time is malformed.
std::optional<Evenement> lire_evenement(std::string_view ligne, std::string& erreur);

// Text of the commands, for --help.
extern const char* const AIDE_COMMANDES;

} // namespace sim
