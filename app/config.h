// Settings: the file voltexa.ini (beside the executable, or in the user's
// configuration folder: chemin_programme), its defaults, how it is applied at
// start-up and written at quit.
//
// Layout, one value per line: 1 save-on-exit flag; 2 reading period;
// 3 and 4 the channel lines "port type quantity channels -1 label(9)";
// 5 time value; 6 time-stamp mode; 7 spreadsheet directory; 8..18 the
// eleven colours; 19 language; 20..24 main-window top, left, height, width,
// maximised state; 25 "***"; 26..29 the recent-file entries as the quit
// command writes them (line 26 "<entry> ", lines 27..29 " <entry> ").
#pragma once

#include <QByteArray>
#include <QList>

class QIODevice;

// Sets every setting to its default (all but the save-on-exit check mark).
void valeur_par_defaut();
// Loads the settings at start-up and applies them to the main window, the
// File menu, the language, the Setup check marks, the timer and the channels.
// A missing file, or a folder, device or pipe in its place, shows message 0
// and is written anew with the defaults (message 24 when it cannot be). Of a
// damaged file every good line is kept and the others take their defaults;
// a notice names the lines, and the file is written again from what was
// kept. Only the first megabyte is read: a file past it is said to be so.
void charge_config();
// Reads the settings held in `contenu` (its first megabyte) over the values
// in force, line by line: a line that reads sets its values, a missing line
// or one that does not read leaves them as they were (a channel line is
// taken whole or not at all). Then puts back the default of every value the
// program cannot use. Returns the numbers (1-based) of the lines 1..24 that
// are missing or did not read and of the recent-file lines 26..29 that hold
// something other than an entry ("_" first) or blanks; those entries are
// emptied. Line 25 and recent-file lines past the end are not required.
QList<int> lire_parametres(const QByteArray& contenu, int& enregistrer_en_quittant);
// The whole file as the quit command writes it with Save settings on exit,
// from the values in force.
QByteArray texte_parametres();
// Applies the loaded settings (window placement, check marks, recent files,
// language, timer interval, channel colours); `enregistrer_en_quittant` is
// the save-on-exit flag.
void appliquer_config(int enregistrer_en_quittant);

// Writes lines 1..25 into `f`, open for writing at its start; does not close it.
void Sauvegarde_Ini(QIODevice& f);
// The settings part of the quit command. With Save settings on exit checked:
// the whole file with the main window's current placement, then the recent
// files. Unchecked: line 1 becomes "0", lines 2..25 stay as they are and the
// recent files follow the "***" line (message 0 if the file cannot be
// opened). A file that cannot be written shows message 24.
void enregistrer_config_sortie();
