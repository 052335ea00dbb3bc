// Typed bindings of the about panel.
#pragma once

#include "socle/ecran/panels.h"

class QLabel;
class QPushButton;
class QWidget;

struct PnlApropos {
    QWidget* racine;
    QLabel* description;
    QLabel* develop;
    QLabel* auteurs;
    QLabel* chefpro;
    QLabel* chef;
    QPushButton* quitter;
    static PnlApropos lier(QWidget* racine);
};

// Registers these bindings, so that each such panel is checked as it loads.
void enregistrer_panneaux_langue();
