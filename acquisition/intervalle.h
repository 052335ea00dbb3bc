// The interval dialog: the reading period and an optional recording
// duration, with the capacity they leave.
#pragma once

#include <QString>

// Kept from one opening of the interval dialog to the next (not saved with
// the settings): 1 when the last applied OK had the duration box ticked, and
// the duration it held.
extern int check;
extern char s1[20];

// Recording capacity in seconds at reading period `periode`: 30000 readings,
// 15000 s for the half-second period 0; 0 for the on-request mode (-1).
double capacite_periode(int periode);
// The capacity shown beside the period: "08:20:00" below four days, then
// "4d 04:00" up to ten days, "20d" beyond, with the day letter of the
// current language.
QString texte_capacite(double secondes);

// Outcome of a typed recording duration.
struct ControleDuree {
    int erreur = 0;  // 0 accepted; else the error message to show (25 or 27)
    int nb_max = 0;  // readings after which the acquisition stops (when accepted)
};
// Checks a duration "DDD hh:mm:ss" (12 characters, minutes and seconds below
// 60) against the capacity in seconds and converts it into a number of
// readings at `periode` (0 = half a second). Message 25 for a malformed text
// or a duration of zero; 27 for a duration beyond the capacity or too short
// for a single period.
ControleDuree controler_duree(const QString& texte, int periode, double capacite);
