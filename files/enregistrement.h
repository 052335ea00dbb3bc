// Recordings from the File menu: Open, Save, the recent-file items.
#pragma once

#include <QString>

void commande_ouvrir();
// Save: offered only with readings stored.
void commande_enregistrer();
// A recent-file item of the File menu.
void commande_recent(int item);
// Opens the recording whose data or configuration file is `chemin`.
int Ouverture_fichier(const QString& chemin);
// Puts `chemin` at the top of the recent-file list and its menu items.
void Memo_fichier(const QString& chemin);
