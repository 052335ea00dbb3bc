// The logger's command line and the plain texts it prints, without a port.
#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

struct OptionsLog {
    int com = 0;               // COM number (0: --device)
    QString peripherique;      // --device PATH
    QVector<int> grandeurs;    // one or two quantity codes, in the order given
    int periode = 0;           // seconds; 0 is half a second
    qint64 duree = 0;          // seconds; 0 runs until stopped (or the cap without --roll)
    bool roulement = false;    // --roll
    bool csv = false;          // --csv
    bool aide = false;         // --help
    QString sortie;            // OUT.dat
};

// Parses the arguments after the program's name. An empty text when they
// are sound; else what is wrong, in one line.
QString lire_options(const QStringList& args, OptionsLog& o);

// A quantity by label (V, Vm, I, Im, P, Pm, Q, Qm, S, Sm, FP, FPm, any case)
// or by code 1..12; 0 when it is neither.
int code_grandeur(const QString& texte);
// The label of a quantity code, as --quantities takes it.
QString etiquette_grandeur(int code);

// A duration as the interval dialog takes it ("DDD hh:mm:ss", the days
// optional) or as a number with a unit: 90s, 15m, 4h, 3d (a bare number is
// seconds). -1 when malformed or zero.
qint64 lire_duree(const QString& texte);

// The data file of the k-th pair of a run (k from 1): OUT.dat, then
// OUT_002.dat, OUT_003.dat...
QString nom_fichier_rang(const QString& sortie, int k);

// The CSV written beside the data file `dat` with --csv: ".csv" in place of ".dat".
QString chemin_csv(const QString& dat);

// "hh:mm:ss", with "Nd " before it from a day on.
QString texte_duree(qint64 secondes);

// The line a terminal shows, refreshed in place: readings in the run, the
// last values with their units, elapsed and remaining time (remaining is
// left out when the run has no end, -1), and the file being written.
QString ligne_progression(qint64 releves, const QString& valeurs, qint64 ecoule, qint64 reste,
                          const QString& fichier);

QString texte_aide();
