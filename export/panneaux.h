// Typed bindings of the spreadsheet export panel.
#pragma once

#include "socle/ecran/panels.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Spreadsheet export panel (top level, not modal). Each field's label is a
// QLabel of its own, named after the text table that relabels it.
struct PnlExcel {
    QWidget* racine;
    QLabel* travail;
    QLineEdit* repertoire;
    QPushButton* parcour;
    QLabel* nom_feuil;
    QLineEdit* feuille;
    QLabel* message;
    QPlainTextEdit* zone_message;
    QPushButton* lancer;
    QPushButton* exporte;  // dimmed until the spreadsheet program is ready
    QPushButton* quitter;
    static PnlExcel lier(QWidget* racine);
};

// Registers these bindings, so that each such panel is checked as it loads.
void enregistrer_panneaux_export();
