// The reading line: one text line per stored reading, listed in the Data
// window, written as is to the data file and printed.
//
// Layout (character positions from 0):
//   0..4   reading number, right-aligned
//   5      blank
//   6..15  date, MM-DD-YYYY in English, DD-MM-YYYY in every other language
//   16     blank
//   17..24 hh:mm:ss, clock time or time elapsed since the first reading
//   25     blank
//   26..   value columns:
//          one channel:  " %9.3f   " (13 characters), or "      ----" padded to 13
//          two channels: " %9.3f     " (15), or "   ----" padded to 15,
//                        then channel 2 as the one-channel field (13),
//                        then six blanks.
// The data-file reader takes channel k's value from colonne_lecture(k) on.
// Values have three decimals in a width of 9: every reading the range checks
// let through (-6300.000 to 6553.500) fits, so a two-channel line is always
// 60 characters.
//
// Each stored reading keeps its instant and flags here beside its values
// (point[1..2][i]); every line, file row and exported row is made from them.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTime>

#include <array>
#include <vector>

constexpr int LARGEUR_NUMERO = 5;
constexpr int POS_DATE = 6;
constexpr int LARGEUR_DATE = 10;
constexpr int POS_HEURE = 17;
constexpr int LARGEUR_HEURE = 8;
constexpr int LONG_TETE_LIGNE = 26;
constexpr int POS_VALEUR_VOIE1 = 27;  // first character of channel 1's value
constexpr int POS_VALEUR_VOIE2 = 42;  // first character of channel 2's value
constexpr int LARGEUR_VALEUR = 9;

// Column where channel k's value is read (26 and 37: from the blank before
// channel 1's value, and from within the blanks before channel 2's).
constexpr int colonne_lecture(int k)
{
    return LONG_TETE_LIGNE + 11 * (k - 1);
}

// The head: number, date and time, each followed by a blank. With `relatif`
// the time is h:m:s elapsed, each part two digits with a leading zero;
// otherwise it is the clock time `heure`. `langue` 1 (English) keeps the date
// month first.
QString tete_ligne(int numero, const QDate& date, const QTime& heure, bool relatif,
                   int h, int m, int s, int langue);

// The value columns for 1 or 2 channels (empty for any other count); an
// undefined channel shows the dash marker instead of its value.
QString colonnes_ligne(int nb_grandeurs, double v1, bool indefini1, double v2, bool indefini2);

// A value as the lines show it, three decimals (halfway between two
// thousandths away from zero), written at t; returns its end. t must have
// room for LONG_VALEUR_MAX characters.
constexpr int LONG_VALEUR_MAX = 400;
char* valeur_affichee(char* t, double v);

// Whole seconds since midnight of a clock time.
int secondes_depuis_minuit(const QTime& heure);

// Seconds elapsed from `debut` to `maintenant`, both in seconds since
// midnight; a day is added while the difference is negative, so a run past
// midnight keeps counting. Only clock times are compared: a run longer than
// a day starts again from 0 after each full day.
double ecoule(double maintenant, double debut);

// Whole hours, minutes and seconds of a duration in seconds, each cut.
void decoupe_hms(double secondes, int& h, int& m, int& s);

// ---- stored readings ------------------------------------------------------------

// One stored reading as its line shows it.
struct Releve {
    int numero = 0;
    QDate date;                // invalid: none
    int secondes = -1;         // clock time since midnight, or with `relatif` the
                               // seconds elapsed since the first reading; -1: none
    bool relatif = false;
    bool mois_premier = false; // the date is shown month first
    int nb_voies = 0;          // value columns, 0 to 2
    double valeur[2] = {};
    bool indefini[2] = {};     // shown as "----"
};

// The line of a reading.
QString ligne_de(const Releve& r);

// Readings stored: reading i exists for i below this count (the readings
// count Acq.nb_points may run ahead of it, never the other way).
int nb_releves_ranges();
// Changes each time a stored reading may have changed (a reading stored again,
// readings dropped or read from a file), never when one is appended: what is
// worked out from the readings stays good while it is the same.
unsigned generation_releves();
// Reading i: its instant and flags, its values from point[1..2][i]. A default
// reading outside the stored ones.
Releve releve(int i);
// The line of reading i; empty outside the stored ones.
QString ligne_releve(int i);
// The same line appended to `sortie` in the data file's encoding (Latin-1),
// without a text in between: what Save writes.
void ajouter_ligne_releve(QByteArray& sortie, int i);

// Stores reading i of the acquisition, taken at `instant` (`ecart` seconds
// after the first reading), its values already in point[1..2][i] and its
// undefined flags in Donnee[1..2].indefini: the time-stamp mode and the
// language's date order in force, compteur_grandeur value columns. Readings
// after i are dropped. Returns its line.
QString ranger_releve(int i, const QDateTime& instant, double ecart);

// Stores the first n lines of a recording read from its data file, their
// values already in point[1..2]: `valeurs` holds what the reader made of each
// line's columns (NaN: undefined). Number, date and time are read from each
// line; the date order is the one the lines show (a first number above 12 is
// a day, a second one a month), else `mois_premier`. A line the formatter
// would not give back exactly is kept as read, so the recording saved again
// is the same file. Readings after n are dropped.
void ranger_releves_lus(const QStringList& lignes, int n, const std::array<std::vector<double>, 2>& valeurs,
                        int nb_voies, bool relatif, bool mois_premier);

// No reading stored.
void vider_releves();

// Seconds of the hh:mm:ss of a reading line, -1 without one (an elapsed time
// may pass 23 h, a clock time may not when `horloge`).
int secondes_de_ligne(QStringView ligne, bool horloge = false);
