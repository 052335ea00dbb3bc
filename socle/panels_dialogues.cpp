#include "socle/panels_dialogues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QPushButton>

#include <string>

namespace {

// A ring's item values live in the form beside its items, as the dynamic
// property "valeurs" (whole numbers separated by blanks, one per item); they
// become the items' data so that the ring can be read and set by value.
QComboBox* anneau(QWidget* r, const char* nom)
{
    auto* c = controle<QComboBox>(r, nom);
    const auto champs = c->property("valeurs").toString().split(' ', Qt::SkipEmptyParts);
    const std::string ou = "panel " + r->objectName().toStdString() + ": ring " + nom;
    if (champs.size() != c->count())
        throw ErreurLiaison(ou + " has " + std::to_string(c->count()) + " items but " +
                            std::to_string(champs.size()) + " values");
    for (int i = 0; i < c->count(); ++i) {
        bool ok = false;
        const int v = champs[i].toInt(&ok);
        if (!ok)
            throw ErreurLiaison(ou + ": value '" + champs[i].toStdString() + "' is not a whole number");
        c->setItemData(i, v);
    }
    return c;
}

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

PnlImpression PnlImpression::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "printdef"), controle<QPushButton>(r, "bouton_imprimer"),
            controle<QPushButton>(r, "quitter")};
}

PnlProgression PnlProgression::lier(QWidget* r)
{
    return {r, controle<QProgressBar>(r, "jauge"), controle<QLabel>(r, "pourcentage")};
}

bool verifier_liaison_dialogue(PanelKind kind, QWidget* r)
{
    switch (kind) {
    case PNL_INDEFINI: PnlIndefini::lier(r); return true;
    case PNL_INFO: PnlInformation::lier(r); return true;
    case PNL_OPTIQUE: PnlOptique::lier(r); return true;
    case PNL_OVERLOAD: PnlOverload::lier(r); return true;
    case PNL_CONNEXION: PnlConnexion::lier(r); return true;
    case PNL_EXCEL: PnlExcel::lier(r); return true;
    case PNL_ALARME: PnlAlarme::lier(r); return true;
    case PNL_COULEUR: PnlCouleur::lier(r); return true;
    case PNL_ECHELLE: PnlEchelle::lier(r); return true;
    case PNL_INTERVAL: PnlIntervalle::lier(r); return true;
    case PNL_TYPEMES: PnlTypeMesure::lier(r); return true;
    case PNL_TEXTE: PnlTexte::lier(r); return true;
    case PNL_PRINT: PnlImpression::lier(r); return true;
    case PNL_PROGRESS: PnlProgression::lier(r); return true;
    default: return false;
    }
}
