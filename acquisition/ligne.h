// The reading line: one text line per stored reading, listed in the Data
// window and written as is to the data file.
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
// The data-file reader and the spreadsheet export take channel 1's value at
// 27..35 and channel 2's at 42..50. Values have three decimals in a width of
// 9: every reading the range checks let through (-6300.000 to 6553.500) fits,
// so a two-channel line is always 60 characters.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

constexpr int LONG_TETE_LIGNE = 26;
constexpr int POS_VALEUR_VOIE1 = 27;  // first character of channel 1's value
constexpr int POS_VALEUR_VOIE2 = 42;  // first character of channel 2's value
constexpr int LARGEUR_VALEUR = 9;

// The head: number, date and time, each followed by a blank. With `relatif`
// the time is h:m:s elapsed, each part two digits with a leading zero;
// otherwise it is the clock time `heure`. `langue` 1 (English) keeps the date
// month first.
QString tete_ligne(int numero, const QDate& date, const QTime& heure, bool relatif,
                   int h, int m, int s, int langue);

// The value columns for 1 or 2 channels (empty for any other count); an
// undefined channel shows the dash marker instead of its value.
QString colonnes_ligne(int nb_grandeurs, double v1, bool indefini1, double v2, bool indefini2);

// Whole seconds since midnight of a clock time.
int secondes_depuis_minuit(const QTime& heure);

// Seconds elapsed from `debut` to `maintenant`, both in seconds since
// midnight; a day is added while the difference is negative, so a run past
// midnight keeps counting. Only clock times are compared: a run longer than
// a day starts again from 0 after each full day.
double ecoule(double maintenant, double debut);

// Whole hours, minutes and seconds of a duration in seconds, each cut.
void decoupe_hms(double secondes, int& h, int& m, int& s);
