// The settings a lower layer changes: it asks for the change by its intent and
// goes on with its own display (relabel, redraw). The composition (app/) alone
// writes the settings records (langue, color/colo, rep, rep_ini,
// Excel.repertoire, the recent files nom/fichier_menu, comport, lien,
// gToolbar) and installs at start-up what each operation does. An operation
// nobody installed changes nothing: the setting keeps its value.
#pragma once

#include <QString>

#include <functional>

namespace reglages {

struct Operations {
    std::function<void(int)> choisir_langue;
    std::function<void(int)> remplacer_barre_outils;
    std::function<void(int, int)> essayer_couleur;
    std::function<void()> garder_couleurs;
    std::function<void()> reprendre_couleurs;
    std::function<void(bool)> lier_curseurs;
    std::function<void(int)> choisir_port;
    std::function<void(const QString&)> ajouter_fichier_recent;
    std::function<void(const QString&)> choisir_repertoire_tableur;
};

// Replaces every operation (an empty one changes nothing).
void installer(Operations o);

// The language of the texts, 0 French .. 4 Italian.
void choisir_langue(int langue);
// The toolbar just built in place of the previous one (its handle).
void remplacer_barre_outils(int poignee);
// Colour k (0 .. 10) shown as `rgb` while the colour dialog is open; kept
// only by garder_couleurs.
void essayer_couleur(int k, int rgb);
// The colours shown become the colours in force.
void garder_couleurs();
// The colours shown go back to the colours in force.
void reprendre_couleurs();
// Cursors of the graph windows linked or not (Edit menu).
void lier_curseurs(bool lies);
// The COM port number of the instrument chosen in the connection dialog.
void choisir_port(int numero);
// A recording just saved or opened goes first in the File menu's recent
// files (the others move down, the oldest goes); a path too long for its
// entry is not listed.
void ajouter_fichier_recent(const QString& chemin);
// The spreadsheet directory, kept in the settings file.
void choisir_repertoire_tableur(const QString& repertoire);

} // namespace reglages
