// Recording files: a data file (".dat") holding the reading lines exactly as
// the readings list shows them, one per line, and its configuration file
// (".cfg") holding the channel set-up, the time-stamp mode, the reading count
// and the x position of every reading:
//
//   line 1     channel 1: port, network type, quantity code, channel count,
//              window index, label padded to 9 ("%i %i %i %i %i %-9s")
//   line 2     channel 2, the same fields (its port, type and count win)
//   line 3     relative-time origin, fixed point with 6 decimals
//   line 4     time-stamp mode (1 = relative)
//   line 5     reading count N
//   6..5+N     x position of each reading
//
// Lines end with the platform's text line end; the readers take "\n" and
// "\r\n" alike, so recordings move between systems.
//
// Everything here is plain: paths, texts and records in, texts and records
// out. The File-menu commands (files/ecran/enregistrement.cpp) move them to and
// from the global records.
#pragma once

#include "acquisition/ligne.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QIODevice;

// ---- paths ------------------------------------------------------------------

// Path rules: Windows separates with '\' or '/' and ignores letter case, so
// paths are kept upper case and compared without regard to it; other systems
// separate with '/' only and distinguish case, so paths keep theirs.
enum class Systeme { Windows, Autre };
Systeme systeme_local();

// Index of the file name's first character (after the last separator).
qsizetype debut_nom(const QString& chemin, Systeme s = systeme_local());
QString nom_seul(const QString& chemin, Systeme s = systeme_local());

// The configuration file paired with a data file: the path with the file
// name's extension replaced by ".cfg", or ".cfg" added to a name without one
// (D:\REC.V2\SITE.A.DAT gives D:\REC.V2\SITE.A.cfg). Each data file has its
// own: names that differ only after a dot do not share one.
QString chemin_configuration(const QString& chemin, Systeme s = systeme_local());
// The names earlier versions paired a data file with, the latest rule first:
// cut at the first '.' of the file name (D:\REC.V2\SITE.cfg in the example),
// then at the first '.' of the whole path (D:\REC.cfg). Recordings saved
// that way are still found; the paired name and repeats are left out.
QStringList chemins_configuration_anciens(const QString& chemin, Systeme s = systeme_local());

// What a chosen path names, decided on its file name alone (a ".dat" in a
// folder's name does not count): the extension first, then, for names such
// as MESURE1.DAT.BAK, the first of ".cfg" and ".dat" it contains. Letter case
// is ignored.
enum class GenreFichier { Aucun, Donnees, Configuration };
GenreFichier genre_fichier(const QString& chemin, Systeme s = systeme_local());

// A path as the recent-file list keeps it: on Windows with '\' separators and
// upper case; elsewhere unchanged.
QString chemin_memorise(const QString& chemin, Systeme s = systeme_local());
// Same path by the rules of `s` (case-blind on Windows, exact elsewhere).
bool memes_chemins(const QString& a, const QString& b, Systeme s = systeme_local());

// The main window's title after opening `chemin`: "VOLTEXA - MESURE1.DAT".
QString titre_fichier(const QString& chemin, Systeme s = systeme_local());

// ---- recent files ---------------------------------------------------------------

// The four recent-file entries, most recent first, each "__k path" with k its
// rank, or empty. Puts `chemin` (already as chemin_memorise gives it) at the
// top: an entry naming it moves up, those above it move down one place, a
// new path pushes the fourth out. Returns false when it already is the first
// entry (nothing changes).
bool placer_en_tete(std::array<QString, 4>& entrees, const QString& chemin, Systeme s = systeme_local());

// ---- configuration file -----------------------------------------------------------

constexpr int LARGEUR_LIBELLE = 9;
// No line of either file is longer; a longer one is not a recording's.
constexpr int LONG_LIGNE_MAX = 256;

// Largest relative-time origin a file may hold: its line stays short enough
// to be read back.
constexpr double HEURE_REL_MAX = 1e9;

struct VoieFichier {
    int port = 0;
    int type_reseau = 0;
    int grandeur = 0;
    int nb_voies = 0;
    int num_fenetre = -1;
    QString libelle;
};

struct Configuration {
    std::array<VoieFichier, 2> voies;
    double heure_rel = 0.0;
    int temps_relatif = 0;
    int nb_points = 0;
    std::vector<int> x;  // x positions; nb_points of them when read with them
};

// The channel line of the configuration file and of the settings file:
// "1 1 5 2 1 P(W)     " (port, mode, quantity, channels, window, label)
// without the line end; the label is cut or padded to 9.
QByteArray ligne_voie(const VoieFichier& v);
// Reads the five numbers in order into `v` until one is missing or
// malformed, and returns how many were read; with all NB_NOMBRES_VOIE read
// the label is read too: the rest of the line cut to 9 characters, without
// blanks at either end. Fields not read keep their values.
constexpr int NB_NOMBRES_VOIE = 5;
int lire_ligne_voie(const QByteArray& ligne, VoieFichier& v);
// A label as a channel record holds it: UTF-8, cut between characters to
// LARGEUR_LIBELLE bytes, without the blanks or returns the cut leaves last
// (the file would not give them back).
QByteArray libelle_du_canal(const QString& libelle);

// Called with the index of each line or position as it is written or read,
// and with their number.
using Avance = std::function<void(int i, int n)>;

// Writes the whole configuration file (c.x must hold c.nb_points positions).
bool ecrire_configuration(QIODevice& f, const Configuration& c, const Avance& avance = {});

enum class Lecture {
    Bonne,
    Format,    // not a recording: malformed, truncated, over-long lines, binary
    Capacite,  // a reading count outside 0..30000
};
// Reads a configuration file; the x positions only `avec_x`. A count over the
// capacity, a missing or malformed value, a channel count other than 0..2, a
// channel in use without a quantity code 1..12, a window index outside the
// window table, or missing x positions refuse the file.
Lecture lire_configuration(QIODevice& f, bool avec_x, Configuration& c, const Avance& avance = {});

// ---- data file -----------------------------------------------------------------------

// Writes n lines, line j being ligne(j).
bool ecrire_donnees(QIODevice& f, int n, const std::function<QString(int)>& ligne, const Avance& avance = {});
// Writes the first n stored readings, each as the one formatter makes its line.
bool ecrire_releves(QIODevice& f, int n, const Avance& avance = {});

// What a data file holds: its lines (at most the count asked for) and, for
// each of `nb_valeurs` channels, the value read from each line; NaN where the
// column does not hold a number (an undefined reading's "----").
struct Releves {
    QStringList lignes;
    std::array<std::vector<double>, 2> valeurs;
};
// Reads up to n lines; a file with fewer lines gives fewer. A line longer
// than LONG_LIGNE_MAX or holding control characters refuses the file.
Lecture lire_donnees(QIODevice& f, int n, int nb_valeurs, Releves& r, const Avance& avance = {});

// Reading period of a recording, from the time column of its lines (clock or
// elapsed time, hh:mm:ss after the number and the date): the period of the
// interval dialog (0 = half a second, else seconds) nearest the mean step;
// -1 when the steps are too irregular for a period (readings on request);
// PERIODE_DE_REGLAGE when fewer than two lines carry a time.
int periode_des_releves(const QStringList& lignes);

// The real number in `ligne` from character `debut` on, leading blanks
// skipped; false when there is none (then `v` is left alone).
bool lire_reel(const QString& ligne, int debut, double& v);

// Channel k's value is read from colonne_lecture(k) (acquisition/ligne.h).

// ---- saving -------------------------------------------------------------------------------

// Writes both files of a recording so that a failure leaves the previous
// ones as they were: each is written to a temporary file beside it, and the
// old files are replaced only once both are complete and synced to the disk
// (EcritureFichier): a full disk leaves the old pair byte for byte. A file
// that exists and is read-only is not replaced. `ecrire` fills each in turn (0 data, 1
// configuration); false from it, or any failure, writes nothing.
bool enregistrer_paire(const QString& donnees, const QString& configuration,
                       const std::function<bool(QIODevice&, int)>& ecrire);

// The records as a recording's configuration: set-up, time-stamp mode,
// reading count and x positions.
Configuration configuration_courante();
