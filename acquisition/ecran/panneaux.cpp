#include "acquisition/ecran/panneaux.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <string>

namespace {

// Box and name suffixes of the measurement-type dialog, in quantity-code order.
constexpr const char* grandeurs_dialogue[NB_GRANDEURS] = {
    "tension", "tension_moy", "courant",   "courant_moy",   "active", "active_moy",
    "reactive", "reactive_moy", "apparente", "apparente_moy", "fp",   "fp_moy",
};

} // namespace

PnlAvis PnlAvis::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "titre"), controle<QLabel>(r, "message"),
            controle<QPushButton>(r, "bouton_ok")};
}

PnlInformation PnlInformation::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "titre"), controle<QLabel>(r, "message"),
            controle<QLabel>(r, "detail")};
}

PnlOptique PnlOptique::lier(QWidget* r)
{
    return {r,
            controle<QLabel>(r, "attention"),
            controle<QLabel>(r, "tete_optique"),
            controle<QLabel>(r, "tete_optique1"),
            controle<QLabel>(r, "continuer"),
            controle<QPushButton>(r, "bouton_oui"),
            controle<QPushButton>(r, "bouton_non")};
}

PnlConnexion PnlConnexion::lier(QWidget* r)
{
    return {r, controle<QListWidget>(r, "liste_ports"), controle<QPlainTextEdit>(r, "boite_info"),
            controle<QPushButton>(r, "bouton_ok"), controle<QPushButton>(r, "quitter")};
}

PnlIntervalle PnlIntervalle::lier(QWidget* r)
{
    return {r,
            controle<QLabel>(r, "interval"),
            controle<QComboBox>(r, "anneau_intervalle"),
            controle<QCheckBox>(r, "case_duree"),
            controle<QLabel>(r, "duree"),
            controle<QLineEdit>(r, "champ_duree"),
            controle<QLabel>(r, "capacite"),
            controle<QLabel>(r, "texte_capacite"),
            controle<QPushButton>(r, "bouton_ok"),
            controle<QPushButton>(r, "quitter")};
}

int PnlTypeMesure::code(const QObject* w) const
{
    for (int k = 0; k < NB_GRANDEURS; ++k)
        if (cases[k] == w)
            return k + 1;
    return 0;
}

void PnlTypeMesure::cocher(int c, bool coche)
{
    if (c < 1 || c > NB_GRANDEURS)
        return;
    QSignalBlocker muet(cases[c - 1]);
    cases[c - 1]->setChecked(coche);
}

PnlTypeMesure PnlTypeMesure::lier(QWidget* r)
{
    PnlTypeMesure p{};
    p.racine = r;
    p.choixmesure = controle<QLabel>(r, "choixmesure");
    for (int k = 0; k < NB_GRANDEURS; ++k) {
        const std::string suffixe = grandeurs_dialogue[k];
        p.cases[k] = controle<QCheckBox>(r, ("case_" + suffixe).c_str());
        p.noms[k] = controle<QLabel>(r, ("nom_" + suffixe).c_str());
    }
    p.bouton_ok = controle<QPushButton>(r, "bouton_ok");
    p.quitter = controle<QPushButton>(r, "quitter");
    return p;
}

void enregistrer_panneaux_acquisition()
{
    enregistrer_liaison<PnlAvis>(PNL_INDEFINI);
    enregistrer_liaison<PnlAvis>(PNL_OVERLOAD);
    enregistrer_liaison<PnlInformation>(PNL_INFO);
    enregistrer_liaison<PnlOptique>(PNL_OPTIQUE);
    enregistrer_liaison<PnlConnexion>(PNL_CONNEXION);
    enregistrer_liaison<PnlIntervalle>(PNL_INTERVAL);
    enregistrer_liaison<PnlTypeMesure>(PNL_TYPEMES);
}
