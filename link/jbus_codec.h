// JBUS codec: values to 16-bit words, words to bytes and back, and the
// frame check. No state and no input or output; every buffer belongs to the
// caller.
//
// A word travels high byte first. A 32-bit value takes two consecutive words,
// the low-order half first (word i = bits 0..15, word i+1 = bits 16..31).
#pragma once

#include <cstdint>

// CRC-16 of Modbus RTU (init 0xFFFF, reflected polynomial 0xA001, no final
// XOR) over the first `longueur` bytes. Appended to a frame low byte first.
std::uint16_t calcule_crc_16(const std::uint8_t* octets, int longueur);

// word[index] + 65536 * word[index + 1], as a 32-bit two's-complement value.
void transforme_mots_long_mot(const std::uint16_t* mots, int index, std::int32_t& valeur);
// The same conversion; the acquisition uses it for the signed power words.
void transforme_signes_mots_long_mot(const std::uint16_t* mots, int index, std::int32_t& valeur);
// byte[2 * index] = high byte, byte[2 * index + 1] = low byte.
void transforme_mots_en_octet(std::uint16_t valeur, int index, std::uint8_t* octets);
// The signed 16-bit word haut * 256 + bas.
std::int16_t transform_mot(std::uint8_t haut, std::uint8_t bas);
// Copies 2 * nombre_mots bytes of `octets` into `trame` from `decalage` on.
void ajout_mots_a_ecrir(const std::uint8_t* octets, int nombre_mots, std::uint8_t* trame, int decalage);
