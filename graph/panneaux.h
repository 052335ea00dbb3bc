// Typed bindings of the graph windows, the Data window and the dialogs that
// dress them.
#pragma once

#include "socle/ecran/panels.h"

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class ListeReleves;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QWidget;

struct PnlDonnees {
    QWidget* racine;
    QLabel* entete;      // heading of the readings list
    ListeReleves* liste; // one line per reading
    static PnlDonnees lier(QWidget* racine);
};

struct PnlGraphe {
    QWidget* racine;
    QCustomPlot* graphe;
    QScrollBar* defilement;
    QLabel* label_zoom;
    static PnlGraphe lier(QWidget* racine);
};

struct PnlCouleur {
    QWidget* racine;
    QListWidget* liste_roles;     // row i is colour index i (row 0 has no name)
    QPushButton* choix_couleur;   // shows the colour of the selected role
    QPushButton* bouton_ok;
    QPushButton* annuler;
    QPushButton* defaut;
    static PnlCouleur lier(QWidget* racine);
};

struct PnlEchelle {
    QWidget* racine;
    QComboBox* mode_echelle;  // item data: 1 automatic, 0 manual
    QDoubleSpinBox* y_min;
    QDoubleSpinBox* y_max;
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlEchelle lier(QWidget* racine);
};

// Insert-text dialog.
struct PnlTexte {
    QWidget* racine;
    QLineEdit* champ_texte;
    QPushButton* bouton_haut;
    QPushButton* bouton_bas;
    QPushButton* bouton_droite;
    QPushButton* bouton_gauche;
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlTexte lier(QWidget* racine);
};

struct PnlAlarme {
    QWidget* racine;
    QCheckBox* case_bas;
    QDoubleSpinBox* seuil_bas;   // dimmed while case_bas is off
    QCheckBox* case_haut;
    QDoubleSpinBox* seuil_haut;  // dimmed while case_haut is off
    QCheckBox* case_alarme;      // beep beyond an active limit
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlAlarme lier(QWidget* racine);
};

// Display > Statistics: a row per figure, a column per channel.
struct PnlStatistiques {
    QWidget* racine;
    QTableWidget* tableau;
    QPushButton* copier;
    QPushButton* quitter;
    static PnlStatistiques lier(QWidget* racine);
};

// Registers these bindings, so that each such panel is checked as it loads.
void enregistrer_panneaux_graphe();
