#include "acquisition/ecran/type_mesure.h"

#include "acquisition/cycle.h"
#include "acquisition/decodage.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "socle/commandes.h"
#include "socle/ecran/ctrl_menu.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "acquisition/ecran/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/dialogue.h"
#include "lang/textes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

bool est_dialogue(int panel)
{
    return est_panel(panel, PNL_TYPEMES);
}

// Unticks the boxes of the open dialog; the selection itself is cleared by
// the caller (Annuler_choix_grandeur).
void decocher()
{
    if (!est_dialogue(Fen_princ[PNL_TYPEMES]))
        return;
    PnlTypeMesure& d = liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]);
    for (int c = 1; c <= NB_GRANDEURS; ++c)
        d.cocher(c, false);
}

// Back to the dialog through the Setup menu's command, which also prepares
// it for the instrument's mode.
void rouvrir()
{
    commander(Commande::choisir_mesure);
}

} // namespace

void Traduc_typedemesure()
{
    const int p = Fen_princ[PNL_TYPEMES];
    if (!est_dialogue(p))
        return;
    PnlTypeMesure& d = liaison<PnlTypeMesure>(p);
    tk::SetPanelTitle(p, qtxt(tx::typemes));
    d.choixmesure->setText(qtxt(tx::choixmesure));
    d.quitter->setText(mnemonique(txt(tx::quitter)));
    for (int k = 0; k < NB_GRANDEURS; ++k)
        d.noms[k]->setText(qtxt(tx::type_mesure, k));
}

int charger_type_mesure()
{
    const int p = charger_dialogue(PNL_TYPEMES, Traduc_typedemesure);
    if (p < 1)
        return p;

    PnlTypeMesure& d = liaison<PnlTypeMesure>(p);
    for (int k = 0; k < NB_GRANDEURS; ++k) {
        const int code = k + 1;
        // Every change of the tick, by mouse, keyboard or assistive
        // technology, reaches the callback once; the program's own changes
        // go through PnlTypeMesure::cocher and do not.
        relier_signal(p, d.cases[k], &QCheckBox::toggled, Selectionner, code);
    }
    relier_bouton(p, d.bouton_ok, Choix_Grandeur, TYPEMES_OK);
    relier_bouton(p, d.quitter, Annuler_mesure, TYPEMES_ANNULER);
    decocher_cases = decocher;
    return p;
}

void ouvrir_type_mesure()
{
    int p = Fen_princ[PNL_TYPEMES];
    if (!est_dialogue(p))
        p = charger_type_mesure();
    if (p < 1)
        return;
    const int n = test_grandeur_mesure();
    montrer_dialogue(p);
    PnlTypeMesure& d = liaison<PnlTypeMesure>(p);
    for (int k = n; k >= 1; --k)
        if (table_control[k] >= 1 && table_control[k] <= NB_GRANDEURS)
            d.cocher(table_control[k], true);
}

int relire_selection_mesure(int panel)
{
    if (!est_dialogue(panel))
        return 0;
    PnlTypeMesure& d = liaison<PnlTypeMesure>(panel);
    int coches = 0;
    for (int c = 1; c <= NB_GRANDEURS; ++c) {
        grandeur_mesure[c] = d.cases[c - 1]->isChecked() ? 1 : 0;
        coches += grandeur_mesure[c];
    }
    return coches > 0 ? 1 : 0;
}

int Selectionner(int panel, int control, int event, void*, int, int)
{
    if (control < 1 || control > NB_GRANDEURS || !est_dialogue(panel))
        return 0;
    if (event == EVENT_COMMIT) {
        PnlTypeMesure& d = liaison<PnlTypeMesure>(panel);
        const int etat = d.cases[control - 1]->isChecked() ? 1 : 0;
        const int montre = selectionner_case(control, etat);
        d.cocher(control, montre == 1);
        if (etat == 1 && montre == 0)
            relire_selection_mesure(panel);
    }
    // The limits belonged to the quantities being replaced.
    modele::choix_modifie();
    return 0;
}

int Choix_Grandeur(int panel, int, int event, void*, int, int)
{
    if (event != EVENT_COMMIT)
        return 0;
    tk::SetItemDimmed(ITEM_QUITTER, true);

    int n = compteur_grandeur;
    const bool lecture_ratee = Mesure_jbus() != 0;
    if (lecture_ratee)
        n = 0;

    if (n == 0) {
        if (lecture_ratee) {
            Annuler_choix_grandeur();
            Annuler_mesure(panel, TYPEMES_ANNULER, EVENT_COMMIT, nullptr, 0, 0);
            rouvrir();
        } else {
            Annuler_mesure(panel, TYPEMES_ANNULER, EVENT_COMMIT, nullptr, 0, 0);
        }
        return 0;
    }

    n = test_grandeur_mesure();
    if (n == 0) {
        Annuler_mesure(panel, TYPEMES_ANNULER, EVENT_COMMIT, nullptr, 0, 0);
        return 0;
    }
    suite_annule();
    if (!selection_convient(Donnee[n].grandeur, ModeEnCours_actuel)) {
        Annuler_choix_grandeur();
        Annuler_mesure(panel, TYPEMES_ANNULER, EVENT_COMMIT, nullptr, 0, 0);
        rouvrir();
        return 0;
    }

    flag_type_mesure = 1;
    fermer_dialogue(panel);
    commander(Commande::lancer);
    return 0;
}

int Annuler_mesure(int panel, int, int event, void*, int, int)
{
    if (event != EVENT_COMMIT)
        return 0;
    fermer_dialogue(panel);
    if (modele::annuler_choix()) {
        commander(Commande::arreter);
        return 0;
    }
    // No acquisition runs: the menus come back here, with File > Exit that
    // OK dimmed; the readings in hand keep their state.
    Ctrl_menu(0);
    tk::SetItemDimmed(ITEM_QUITTER, false);
    return 0;
}
