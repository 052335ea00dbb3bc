#include "link/jbus_codec.h"

#include <cstring>

std::uint16_t calcule_crc_16(const std::uint8_t* octets, int longueur)
{
    std::uint16_t crc = 0xFFFF;
    for (int i = 0; i < longueur; ++i) {
        crc ^= octets[i];
        for (int b = 0; b < 8; ++b) {
            if (crc & 1u)
                crc = static_cast<std::uint16_t>((crc >> 1) ^ 0xA001u);
            else
                crc = static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return crc;
}

void transforme_mots_long_mot(const std::uint16_t* mots, int index, std::int32_t& valeur)
{
    // Joined as unsigned first: the conversion to int32_t is then modular
    // (two's complement), which C++20 guarantees.
    const std::uint32_t brut = static_cast<std::uint32_t>(mots[index])
        | (static_cast<std::uint32_t>(mots[index + 1]) << 16);
    valeur = static_cast<std::int32_t>(brut);
}

void transforme_signes_mots_long_mot(const std::uint16_t* mots, int index, std::int32_t& valeur)
{
    transforme_mots_long_mot(mots, index, valeur);
}

void transforme_mots_en_octet(std::uint16_t valeur, int index, std::uint8_t* octets)
{
    octets[2 * index] = static_cast<std::uint8_t>(valeur >> 8);
    octets[2 * index + 1] = static_cast<std::uint8_t>(valeur & 0xFFu);
}

std::int16_t transform_mot(std::uint8_t haut, std::uint8_t bas)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((haut << 8) | bas));
}

void ajout_mots_a_ecrir(const std::uint8_t* octets, int nombre_mots, std::uint8_t* trame, int decalage)
{
    if (nombre_mots > 0)
        std::memcpy(trame + decalage, octets, static_cast<std::size_t>(2 * nombre_mots));
}
