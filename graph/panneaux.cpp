#include "graph/panneaux.h"

#include "socle/ecran/liste_releves.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <qcustomplot.h>

PnlDonnees PnlDonnees::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "entete"), controle<ListeReleves>(r, "liste")};
}

PnlGraphe PnlGraphe::lier(QWidget* r)
{
    return {r, controle<QCustomPlot>(r, "graphe"), controle<QScrollBar>(r, "defilement"),
            controle<QLabel>(r, "label_zoom")};
}

PnlCouleur PnlCouleur::lier(QWidget* r)
{
    return {r,
            controle<QListWidget>(r, "liste_roles"),
            controle<QPushButton>(r, "choix_couleur"),
            controle<QPushButton>(r, "bouton_ok"),
            controle<QPushButton>(r, "annuler"),
            controle<QPushButton>(r, "defaut")};
}

PnlEchelle PnlEchelle::lier(QWidget* r)
{
    return {r,
            anneau(r, "mode_echelle"),
            controle<QDoubleSpinBox>(r, "y_min"),
            controle<QDoubleSpinBox>(r, "y_max"),
            controle<QPushButton>(r, "bouton_ok"),
            controle<QPushButton>(r, "quitter")};
}

PnlTexte PnlTexte::lier(QWidget* r)
{
    return {r,
            controle<QLineEdit>(r, "champ_texte"),
            controle<QPushButton>(r, "bouton_haut"),
            controle<QPushButton>(r, "bouton_bas"),
            controle<QPushButton>(r, "bouton_droite"),
            controle<QPushButton>(r, "bouton_gauche"),
            controle<QPushButton>(r, "bouton_ok"),
            controle<QPushButton>(r, "quitter")};
}

PnlAlarme PnlAlarme::lier(QWidget* r)
{
    return {r,
            controle<QCheckBox>(r, "case_bas"),
            controle<QDoubleSpinBox>(r, "seuil_bas"),
            controle<QCheckBox>(r, "case_haut"),
            controle<QDoubleSpinBox>(r, "seuil_haut"),
            controle<QCheckBox>(r, "case_alarme"),
            controle<QPushButton>(r, "bouton_ok"),
            controle<QPushButton>(r, "quitter")};
}

PnlStatistiques PnlStatistiques::lier(QWidget* r)
{
    return {r, controle<QTableWidget>(r, "tableau"), controle<QPushButton>(r, "copier"),
            controle<QPushButton>(r, "quitter")};
}

void enregistrer_panneaux_graphe()
{
    enregistrer_liaison<PnlDonnees>(PNL_DONNEES);
    enregistrer_liaison<PnlGraphe>(PNL_GRAPHE);
    enregistrer_liaison<PnlCouleur>(PNL_COULEUR);
    enregistrer_liaison<PnlEchelle>(PNL_ECHELLE);
    enregistrer_liaison<PnlTexte>(PNL_TEXTE);
    enregistrer_liaison<PnlAlarme>(PNL_ALARME);
    enregistrer_liaison<PnlStatistiques>(PNL_STATISTIQUES);
}
