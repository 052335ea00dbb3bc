#include "lang/ecran/panneaux.h"

#include <QLabel>
#include <QPushButton>

PnlApropos PnlApropos::lier(QWidget* r)
{
    return {r,
            controle<QLabel>(r, "description"),
            controle<QLabel>(r, "develop"),
            controle<QLabel>(r, "auteurs"),
            controle<QLabel>(r, "chefpro"),
            controle<QLabel>(r, "chef"),
            controle<QPushButton>(r, "quitter")};
}

void enregistrer_panneaux_langue()
{
    enregistrer_liaison<PnlApropos>(PNL_APROPOS);
}
