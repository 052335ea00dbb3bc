#include "files/ecran/panneaux.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

PnlImpression PnlImpression::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "printdef"), controle<QPushButton>(r, "bouton_imprimer"),
            controle<QPushButton>(r, "quitter")};
}

PnlProgression PnlProgression::lier(QWidget* r)
{
    return {r, controle<QProgressBar>(r, "jauge"), controle<QLabel>(r, "pourcentage")};
}

void enregistrer_panneaux_fichiers()
{
    enregistrer_liaison<PnlImpression>(PNL_PRINT);
    enregistrer_liaison<PnlProgression>(PNL_PROGRESS);
}
