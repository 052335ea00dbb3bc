"""Reads an exported CSV with Python's csv module, a reader independent of the
program's writer, and checks it against the data file (.dat) of the same
readings: the reading number, the time (the .dat's date and hh:mm:ss, the
CSV's ISO 8601 date-time or seconds since the start, cut to the second) and
each value ("----" against an empty field). Prints JSON: the header, the
records as read, and the differences found.

    lire_csv.py FILE.csv FILE.dat (month|day|relative)
"""
import csv
import datetime
import json
import math
import sys


def attendu_temps(ligne, mode):
    h, m, s = (int(x) for x in ligne[17:25].split(":"))
    if mode == "relative":
        return h * 3600 + m * 60 + s
    a, b, an = ligne[6:16].split("-")
    mois, jour = (a, b) if mode == "month" else (b, a)
    return datetime.datetime(int(an), int(mois), int(jour), h, m, s)


def lu_temps(champ, mode):
    if mode == "relative":
        return math.floor(float(champ))
    return datetime.datetime.fromisoformat(champ).replace(microsecond=0)


def main(chemin_csv, chemin_dat, mode):
    with open(chemin_csv, newline="", encoding="utf-8") as f:
        brut = f.read()
    with open(chemin_csv, newline="", encoding="utf-8") as f:
        lignes = list(csv.reader(f, strict=True))
    with open(chemin_dat, encoding="utf-8") as f:
        dat = f.read().splitlines()
    entete, enregistrements = lignes[0], lignes[1:]
    voies = len(entete) - 2
    ecarts = []
    if len(enregistrements) != len(dat):
        ecarts.append(f"{len(enregistrements)} records for {len(dat)} lines")
    for j, (r, l) in enumerate(zip(enregistrements, dat)):
        if len(r) != len(entete):
            ecarts.append(f"record {j + 1}: {len(r)} fields")
            continue
        if int(r[0]) != int(l[0:5]):
            ecarts.append(f"record {j + 1}: n {r[0]}")
        if lu_temps(r[1], mode) != attendu_temps(l, mode):
            ecarts.append(f"record {j + 1}: time {r[1]}")
        for k in range(voies):
            debut = 27 if k == 0 else 42
            colonne = l[debut:debut + 9].strip()
            if colonne == "----":
                if r[2 + k] != "":
                    ecarts.append(f"record {j + 1}: channel {k + 1} {r[2 + k]!r} for ----")
            elif r[2 + k] == "" or float(r[2 + k]) != float(colonne):
                ecarts.append(f"record {j + 1}: channel {k + 1} {r[2 + k]!r} for {colonne}")
    fins = brut.count("\r\n")
    print(json.dumps({"entete": entete, "enregistrements": enregistrements, "ecarts": ecarts,
                      "crlf": fins == brut.count("\n") == len(lignes)}))


if __name__ == "__main__":
    main(*sys.argv[1:4])
