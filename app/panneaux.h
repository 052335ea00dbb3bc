// Typed bindings of the main window and the splash panel.
#pragma once

#include "socle/ecran/panels.h"

class QLabel;
class QMenuBar;
class QWidget;

struct PnlPrincipal {
    QWidget* racine;
    QMenuBar* barre_menu;
    QWidget* zone_outils;
    static PnlPrincipal lier(QWidget* racine);
};

struct PnlSplash {
    QWidget* racine;
    QLabel* nom_programme;
    QLabel* version;
    static PnlSplash lier(QWidget* racine);
};

// Registers these bindings, so that each such panel is checked as it loads.
void enregistrer_panneaux_programme();
// Registers the bindings of every folder; start-up does it before loading
// the first panel.
void enregistrer_panneaux();
