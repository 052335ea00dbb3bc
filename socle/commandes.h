// Commands a lower layer asks for by name. The composition (app/) fills each
// one at start-up with what the program does for it, usually what its menu
// item does; a layer below never reaches a menu item itself.
#pragma once

#include <functional>

enum class Commande {
    lancer,            // Run
    arreter,           // Stop (asks to save what was acquired)
    nouveau,           // New: clears the readings, asking to save them first
    choisir_mesure,    // the measurement-type dialog
    connecter,         // the connection dialog
    quitter,           // Exit (settings written, confirmation)
    exporter_classeur, // the spreadsheet panel
    exporter_csv,      // the CSV export
    reprendre_journal, // the acquisition journal opened as the unsaved recording in hand
};

// What a command does; false when the user declined it (New's save question
// cancelled). A command nobody filled does nothing and answers true: there
// was nothing to decline.
using ActionCommande = std::function<bool()>;

void fixer_commande(Commande c, ActionCommande action);
bool commander(Commande c);
