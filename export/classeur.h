// A workbook described in plain records, and the spreadsheet service's Qt
// implementation (socle/platform.h): written as an Office Open XML file
// (.xlsx) with libxlsxwriter and shown in the desktop's spreadsheet program.
// Tests install a double that records every cell (tests/support/fake_platform.h).
#pragma once

#include "socle/platform.h"

#include <QString>

#include <memory>
#include <vector>

// How a cell looks. Style 0 of a workbook is the plain one.
struct StyleCellule {
    bool gras = false;
    QString format_nombre; // as the spreadsheet writes it, e.g. "0.000"; empty: General
};

struct Cellule {
    int ligne = 0;   // from 0: cell A1 is row 0, column 0
    int colonne = 0;
    bool est_nombre = false;
    double nombre = 0.0; // when est_nombre
    QString texte;       // otherwise
    int style = 0;       // index in Classeur::styles
};

struct Feuille {
    QString nom;                   // a refused or empty name gets the default one
    std::vector<Cellule> cellules; // row by row, each row left to right
    std::vector<double> largeurs;  // column widths in characters, from column A
    int lignes_figees = 0;         // top rows that stay in view while scrolling
};

// One curve: the values of column `colonne_y` against those of `colonne_x`,
// rows premiere_ligne..derniere_ligne (from 0, inclusive) of a worksheet.
// A curve on the secondary axis has its own vertical scale, on the right.
struct SerieGraphique {
    QString nom;
    int colonne_x = 0;
    int colonne_y = 0;
    int premiere_ligne = 0;
    int derniere_ligne = 0;
    bool axe_secondaire = false;
};

// A chart of lines through (x, y) points on a worksheet of its own, after
// the others: both axes are value axes, so x may be a date-time or a
// duration and the curves keep the spacing of their x values.
struct Graphique {
    QString nom;      // of its sheet
    QString titre;
    QString titre_x;  // of the horizontal axis
    QString format_x; // number format of the horizontal axis's labels; empty: General
    QString titre_y;  // of the vertical axis on the left
    QString titre_y2; // of the secondary vertical axis, on the right
    int feuille = 0;  // index in Classeur::feuilles of the worksheet the series read
    std::vector<SerieGraphique> series;
};

struct Classeur {
    std::vector<StyleCellule> styles{StyleCellule{}};
    std::vector<Feuille> feuilles;
    std::vector<Graphique> graphiques;
};

// The writer behind the Qt service, for doubles that write real files.
bool ecrire_xlsx(const Classeur& c, const QString& chemin);
std::unique_ptr<Tableur> tableur_qt();
