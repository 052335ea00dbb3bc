// The statistics of the readings as the user sees them: the Statistics
// block of a graph window's legend (under the delta read-outs), the Display >
// Statistics dialog with its Copy, and the figures the print and the
// workbook carry. Each channel's span is the readings between the delta
// cursors of its window when they are on, else the whole recording.
#pragma once

#include "acquisition/statistiques.h"

#include <QString>
#include <QStringList>

#include <vector>

// Channel k's figures over its span, on the time axis's period.
stats::Statistiques statistiques_voie(int k);

// One figure of a channel: the text shown, and for a spreadsheet the number
// (NaN: a text cell, `brut`) and its unit.
struct CelluleStat {
    QString texte;
    double nombre = 0.0;
    QString brut;
    QString unite;
};
struct LigneStat {
    int ligne = 0;  // tx::LigneStat
    QString libelle;
    std::vector<CelluleStat> voies;
};
// The figures of channels 1 .. Mesure.nb_voies (or of channel `seule` alone,
// 1 or 2): a row per figure in the language in force; the energy and charge
// rows only when a channel has one.
struct TableauStat {
    QStringList voies;  // the channels' labels
    std::vector<LigneStat> lignes;
};
TableauStat tableau_statistiques(int seule = 0);
// Tab-separated, a line per row under a heading of the channels' labels;
// per channel a number and its unit (times as yyyy-MM-dd hh:mm:ss).
QString texte_copie(const TableauStat& t);
// "label: value" lines, for the print.
QString texte_imprime(const TableauStat& t);

// The Statistics block of window w's legend: made under the delta frames
// (delta cursors and legend on), written, discarded.
void creer_bloc_statistiques(int w);
void ecrire_bloc_statistiques(int w);
void retirer_bloc_statistiques(int w);
// Lines of the block, most of a width in any language: it sizes the strip.
int caracteres_bloc_statistiques();
// The block's lines of channel k (heading first), as written.
QStringList lignes_bloc(int k, const stats::Statistiques& s);

// Display > Statistics.
void ouvrir_statistiques();
// Callback of the dialog's buttons.
int Statistiques(int panel, int control, int event, void* data, int e1, int e2);
enum ControleStatistiques { STATISTIQUES_COPIER = 1, STATISTIQUES_FERMER };
void Traduc_statistiques();
