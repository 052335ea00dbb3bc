#include "support/reels_jbus.h"

#include <cstring>

void transforme_long_mot_mots(std::int32_t valeur, int index, std::uint16_t* mots)
{
    const auto brut = static_cast<std::uint32_t>(valeur);
    mots[index] = static_cast<std::uint16_t>(brut & 0xFFFFu);
    mots[index + 1] = static_cast<std::uint16_t>(brut >> 16);
}

void transforme_reel_mots(float valeur, int index, std::uint16_t* mots)
{
    static_assert(sizeof(float) == 4, "single-precision reals are 32 bits");
    std::uint32_t brut;
    std::memcpy(&brut, &valeur, sizeof brut);
    mots[index] = static_cast<std::uint16_t>(brut & 0xFFFFu);
    mots[index + 1] = static_cast<std::uint16_t>(brut >> 16);
}

void transforme_mots_reel(const std::uint16_t* mots, int index, float& valeur)
{
    const std::uint32_t brut = static_cast<std::uint32_t>(mots[index])
        | (static_cast<std::uint32_t>(mots[index + 1]) << 16);
    std::memcpy(&valeur, &brut, sizeof valeur);
}
