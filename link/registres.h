// The instrument's register map and the JBUS limits: one source for the
// program's link and decoding and for the simulated wattmeter. Plain C++,
// no Qt.
#pragma once

#include <cstdint>

// JBUS slave number of the instrument.
constexpr int JBUS_ESCLAVE = 1;
// Word counts the standard allows in one function-03 read and one
// function-16 write.
constexpr int JBUS_MOTS_MAX_03 = 125;
constexpr int JBUS_MOTS_MAX_16 = 123;

// One measurement read: NB_MOTS_MESURE words from ADRESSE_MESURES.
constexpr int ADRESSE_MESURES = 0;
constexpr int NB_MOTS_MESURE = 18;

// Word numbers of the measurement block.
enum MotMesure : int {
    MOT_TENSION = 0,      // hundredths of a volt
    MOT_COURANT = 1,      // milliamperes
    MOT_P = 2,            // and 3: tenths of a watt, signed 32 bits, low word first
    MOT_Q = 4,            // and 5: tenths of a var, likewise
    MOT_S = 6,            // tenths of a VA
    MOT_FP = 7,           // hundredths
    MOT_INRUSH = 8,       // tenths of an ampere
    MOT_MODE = 9,         // the mode word
    MOT_TENSION_MOY = 10, // then the averages, scaled as above
    MOT_COURANT_MOY = 11,
    MOT_P_MOY = 12,       // and 13
    MOT_Q_MOY = 14,       // and 15
    MOT_S_MOY = 16,
    MOT_FP_MOY = 17,
};

// Raw value the instrument sends for a quantity it cannot measure.
constexpr std::uint16_t MOT_INDEFINI = 65500;
// Raw inrush value of an overload.
constexpr std::uint16_t MOT_SURCHARGE = 65000;
// The inrush word scaled to amperes, for both codes.
constexpr double INRUSH_INDEFINI = MOT_INDEFINI / 10.0;
constexpr double INRUSH_SURCHARGE = MOT_SURCHARGE / 10.0;

// Mode word: bits of normal, T3FE, Hold and Smooth, and INRUSH as a mode of
// its own.
constexpr int MODE_NORMAL = 0;
constexpr int MODE_T3FE = 1;
constexpr int MODE_HOLD = 2;
constexpr int MODE_SMOOTH = 4;
constexpr int MODE_INRUSH = 16;
