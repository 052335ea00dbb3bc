// Recordings from the File menu: Open, Save, the recent-file items.
#pragma once

#include "files/format.h"

#include <QString>

void commande_ouvrir();
// Save: offered only with readings stored. True when both files were
// written; false when the user cancelled, the name was refused or the
// writing failed.
bool commande_enregistrer();
// Before readings in hand are discarded (New, Open, a recent file, a
// language switch, Exit): when they were acquired and never saved, asks
// whether to save them, Save behind Yes (the default), No letting them go,
// Cancel (and Escape) keeping them. True when the command may go on:
// nothing to ask, saved, or No. False when it must be abandoned: Cancel, or
// Yes whose save was cancelled or failed; the readings then stay in hand,
// still unsaved.
bool proposer_enregistrement();
// The data file the readings in hand were opened from or last saved to;
// empty for readings not saved yet (a new acquisition, a journal taken up).
QString chemin_releves();
// The readings in hand are new: they have no file yet.
void oublier_chemin_releves();
// A file chosen for writing exists: asks whether to replace it, with No as
// the default and the Escape answer. True for Yes.
bool accepter_remplacement();
// A recent-file item of the File menu.
void commande_recent(int item);
// Opens the recording whose data or configuration file is `chemin`: the
// set-up, one graph window per channel, and for a data file the readings
// listed and drawn. A missing file or partner file (message 18) or a file
// that is not a recording (message 7) changes nothing. Once the file is
// read, unsaved readings in hand get their save question
// (proposer_enregistrement); abandoning it changes nothing either. Returns
// 0, or -1 when nothing was opened.
int Ouverture_fichier(const QString& chemin);
// Opens the acquisition journal `chemin` (files/journal.h) as Ouverture_fichier
// does, as the unsaved recording in hand: Save asks where to keep it, it is
// not listed among the recent files and the title stays "VOLTEXA".
int ouvrir_reprise(const QString& chemin);
// Puts `chemin` at the top of the recent-file list and its menu items; on
// Windows the entry is upper case.
void Memo_fichier(const QString& chemin);
