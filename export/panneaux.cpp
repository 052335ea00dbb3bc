#include "export/panneaux.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

PnlExcel PnlExcel::lier(QWidget* r)
{
    return {r,
            controle<QLabel>(r, "travail"),
            controle<QLineEdit>(r, "repertoire"),
            controle<QPushButton>(r, "parcour"),
            controle<QLabel>(r, "nom_feuil"),
            controle<QLineEdit>(r, "feuille"),
            controle<QLabel>(r, "message"),
            controle<QPlainTextEdit>(r, "zone_message"),
            controle<QPushButton>(r, "lancer"),
            controle<QPushButton>(r, "exporte"),
            controle<QPushButton>(r, "quitter")};
}

void enregistrer_panneaux_export()
{
    enregistrer_liaison<PnlExcel>(PNL_EXCEL);
}
