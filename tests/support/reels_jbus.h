// Reals in JBUS words, as the simulated instrument's registers hold them:
// the real's 32 bits split as for a long, low half first.
#pragma once

#include <cstdint>

void transforme_reel_mots(float valeur, int index, std::uint16_t* mots);
// The inverse of transforme_reel_mots.
void transforme_mots_reel(const std::uint16_t* mots, int index, float& valeur);
// word[index] = low 16 bits, word[index + 1] = high 16 bits.
void transforme_long_mot_mots(std::int32_t valeur, int index, std::uint16_t* mots);
