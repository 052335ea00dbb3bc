#!/usr/bin/python3
"""Writes the seed inputs of fuzz_jbus into the folder given: measurement
replies made from the register map of link/registres.h (the instrument's
18 words from address 0, the undefined word, each mode word), an exception
reply, a write echo, and the same frames without their CRC for the
target's own-CRC mode. Each input is one control byte, then the bytes."""
import os
import struct
import sys

ESCLAVE = 1
NB_MOTS_MESURE = 18
MOT_MODE = 9
MOT_INDEFINI = 65500
MOT_SURCHARGE = 65000
MODES = [0, 1, 2, 3, 4, 5, 6, 7, 16]


def crc16(octets):
    crc = 0xFFFF
    for o in octets:
        crc ^= o
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def avec_crc(trame):
    return trame + struct.pack('<H', crc16(trame))


def lecture(mots):
    return bytes([ESCLAVE, 3, 2 * len(mots)]) + b''.join(struct.pack('>H', m) for m in mots)


def mesures(mode, indefini=False):
    # 230.00 V, 6.520 A, 1500.0 W, -120.0 var, 1505.0 VA, 0.99, inrush, mode, averages.
    p, q = 15000, -1200
    mots = [23000, 6520, p & 0xFFFF, (p >> 16) & 0xFFFF, q & 0xFFFF, (q >> 16) & 0xFFFF, 15050, 99,
            MOT_SURCHARGE if indefini else 12, mode,
            23010, 6500, p & 0xFFFF, (p >> 16) & 0xFFFF, q & 0xFFFF, (q >> 16) & 0xFFFF, 15040, 98]
    if indefini:
        mots[0] = mots[7] = MOT_INDEFINI
    assert len(mots) == NB_MOTS_MESURE
    return mots


def main(dossier):
    os.makedirs(dossier, exist_ok=True)
    graines = {}
    for mode in MODES:
        trame = lecture(mesures(mode))
        graines['mesure_mode_%d' % mode] = bytes([0]) + avec_crc(trame)
        graines['mesure_mode_%d_crc_cible' % mode] = bytes([4]) + trame
    graines['mesure_indefinie'] = bytes([0]) + avec_crc(lecture(mesures(0, True)))
    graines['deux_lectures'] = bytes([1]) + avec_crc(lecture(mesures(4))) + avec_crc(lecture(mesures(2)))
    graines['exception'] = bytes([0]) + avec_crc(bytes([ESCLAVE, 0x83, 2]))
    graines['autre_esclave'] = bytes([0]) + avec_crc(bytes([2]) + lecture(mesures(0))[1:])
    graines['lecture_3_mots'] = bytes([2 | (2 << 3)]) + avec_crc(lecture([1, 2, 3]))
    graines['ecriture'] = bytes([3]) + avec_crc(bytes([ESCLAVE, 0x10, 1, 0, 0, 2]))
    graines['ecriture_crc_cible'] = bytes([7]) + bytes([ESCLAVE, 0x10, 1, 0, 0, 2])
    for nom, octets in graines.items():
        with open(os.path.join(dossier, nom), 'wb') as f:
            f.write(octets)


if __name__ == '__main__':
    main(sys.argv[1])
