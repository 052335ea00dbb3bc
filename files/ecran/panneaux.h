// Typed bindings of the print dialog and the progress panel.
#pragma once

#include "socle/ecran/panels.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

struct PnlImpression {
    QWidget* racine;
    QLabel* printdef;
    QPushButton* bouton_imprimer;
    QPushButton* quitter;
    static PnlImpression lier(QWidget* racine);
};

struct PnlProgression {
    QWidget* racine;
    QProgressBar* jauge;    // 0..100
    QLabel* pourcentage;    // "37 %"
    static PnlProgression lier(QWidget* racine);
};

// Registers these bindings, so that each such panel is checked as it loads.
void enregistrer_panneaux_fichiers();
