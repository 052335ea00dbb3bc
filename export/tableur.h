// The exported sheet built from the stored readings and the list's label,
// and the text rules of the spreadsheet panel: plain functions, no widgets.
//
// Sheet layout (row 1 is the header, reading k of n is row k + 2):
//   A  "N°", then k + 1 as a number
//   B  the date header, then the reading's date as a date number shown as
//      the list shows dates in the language in force (month first in
//      English, day first in the others)
//   C  the time header, then the reading's date and time as a number shown
//      as hh:mm:ss, or in relative-time mode the time elapsed since the
//      first reading shown as [h]:mm:ss
//   D  channel 1's piece of the label, then its value
//   E  channel 2's piece of the label (whatever the label holds there, even
//      with one channel), then its value, only with two channels in use
// Texts lose their surrounding blanks; a value is written as the number its
// three decimals in the list give, shown with three decimals; an undefined
// reading is the text "----"; a reading without a date or time leaves that
// cell empty.
#pragma once

#include "acquisition/ligne.h"
#include "export/classeur.h"
#include "graph/vue_statistiques.h"

#include <QString>
#include <QStringView>

#include <functional>

// Style indexes of the exported workbook.
enum StyleReleves { STYLE_ENTETE = 1, STYLE_VALEUR = 2, STYLE_DATE = 3, STYLE_HEURE = 4 };

// What the exported workbook takes from the program besides the list.
struct TextesFeuille {
    QString nom_feuille; // of the sheet holding the readings
    QString date;        // headers of columns B and C
    QString heure;
    bool mois_premier = false; // dates shown month first (English)
    bool relatif = false;      // the times are time elapsed since the first reading
    QString titre_y[2];        // vertical axis titles of channels 1 and 2: quantity and unit
};

// The label's 15-character piece naming channel `voie` (1 or 2), found by its
// " CH<voie>:" opening wherever the language's column headers put it; a
// label without it gives the 15 characters from index 25 (channel 1) or 42
// (channel 2), possibly none.
QString piece_etiquette(const QString& etiquette, int voie);

// The workbook of n readings: the sheet above, its header row bold and kept
// in view, column widths fitted to their contents; and with readings, a
// sheet holding a chart of the channels in use (one or two) against time
// (column C, labelled as times or durations), titled with the channels'
// pieces of the label, each vertical axis titled with its channel's
// quantity: channel 2 on a secondary axis with its own scale. `releve(k)`
// gives reading k; `avance(k)` runs before it is read.
Classeur classeur_releves(const QString& etiquette, int n, int nb_voies,
                          const std::function<Releve(int)>& releve, const TextesFeuille& textes,
                          const std::function<void(int)>& avance = {});

// A sheet of the statistics, `nom`, to add to a workbook of classeur_releves
// (its header style): row 1 the channels' labels over two columns each, then
// a row per figure, its label in column A, each channel's number (or text,
// for a clock time) and its unit.
Feuille feuille_statistiques(const QString& nom, const TableauStat& t);

// Percentage shown before reading k of n (k from 0): (100k + 100) / n.
int pourcentage(int k, int n);

// A typed name cleaned for use: ASCII letters and digits and the characters
// = - . : / + * \ are kept, and a blank (space, tab, line end) is kept but a
// run of two or more ends the text after its first; everything else is
// dropped. At most the first 300 characters are examined.
QString compres(QStringView texte);

// The workbook name proposed for export `numero`: the base followed by the
// number, two digits with a leading zero below 100, else at least three.
QString nom_propose(const QString& base, int numero);

// The chosen path ending in ".xlsx": a ".xls" ending becomes ".xlsx", one
// already there is kept, any other name gets it appended (letter case
// ignored).
QString completer_nom(const QString& chemin);
