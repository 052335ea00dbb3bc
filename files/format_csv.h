// The readings as a comma-separated text file that any tool reads: one
// record per reading, RFC 4180 (UTF-8, ',' between fields, '.' as decimal
// point, CRLF after every record, a field quoted only when it holds a comma,
// a quote or a line end).
//
//   n,time,V (V),P (W)
//   1,2026-12-08T14:03:27,229.877,1502.500
//   2,2026-12-08T14:03:28,,1497.250
//
// n counts from 1; time is the reading's date and clock time in ISO 8601,
// or in relative-time mode the seconds since the first reading; a value is
// written with the three decimals the readings list shows, an undefined
// reading ("----") as an empty field. The list stamps whole seconds: with
// readings every half second, the readings that share a second are spread
// over it (".0" and ".5") and every time carries one decimal.
#pragma once

#include "acquisition/ligne.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

struct FormeCsv {
    QStringList grandeurs;     // column headers of the channels in use (0 to 2)
    bool relatif = false;      // time column: seconds since the first reading
    bool demi_seconde = false; // readings every half second
};

// The whole file for n readings, reading j being releve(j) (acquisition/ligne.h).
// A reading without a time gets an empty time field, an undefined value an
// empty value field.
QByteArray csv_releves(int n, const std::function<Releve(int)>& releve, const FormeCsv& forme);

// A channel's column header from its label: the quantity and its unit apart,
// "V(V)" -> "V (V)", "FP" as it is; a blank label gives "CH<voie>".
QString entete_grandeur(const QString& libelle, int voie);

// One field as written: quoted, its quotes doubled, when it holds a comma,
// a quote, a carriage return or a line feed.
QByteArray champ_csv(const QString& texte);

// The layout of the readings in memory: the headers of the channels in use
// (Mesure, Donnee), the time column as Acq.temps_relatif sets it.
FormeCsv forme_csv(bool demi_seconde);
