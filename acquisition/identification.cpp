#include "acquisition/identification.h"

#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/decodage.h"
#include "acquisition/selection.h"
#include "acquisition/type_mesure.h"
#include "socle/commandes.h"
#include "socle/dialogue.h"
#include "socle/globals.h"
#include "socle/menus.h"
#include "acquisition/panneaux.h"
#include "socle/platform.h"
#include "socle/toolkit.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "link/registres.h"

#include <QCheckBox>
#include <QLabel>

namespace {


// Leaves enabled the boxes for which `garde` is true, with their names.
template <class F>
void garder_cases(PnlTypeMesure& d, F garde)
{
    for (int c = 1; c <= NB_GRANDEURS; ++c) {
        const bool actif = garde(c);
        d.cases[c - 1]->setEnabled(actif);
        d.noms[c - 1]->setEnabled(actif);
    }
}

bool dialogue_charge()
{
    return est_panel(Fen_princ[PNL_TYPEMES], PNL_TYPEMES);
}

} // namespace

int essai_mesure_jbus()
{
    if (Mesure_jbus_essais() != 0) {
        commander(Commande::arreter);
        Popup_echec_liaison();
        return -1;
    }

    if (charger_type_mesure() < 1)
        return -1;
    PnlTypeMesure& d = liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]);

    const int mot = static_cast<int>(MesureTypeReseau);
    if (mot == MODE_INRUSH) {
        Annuler_choix_grandeur();
        garder_cases(d, [](int c) { return c == CODE_COURANT; });
        ModeEnCours_actuel = AFFICHAGE_INRUSH;
    } else if (mot < 0 || mot > 7) {
        return -1;
    } else if (mot <= 3) {
        garder_cases(d, [](int c) { return c % 2 == 1; });
    } else {
        garder_cases(d, [](int c) { return c % 2 == 0; });
    }

    if (ModeEnCours_actuel == AFFICHAGE_FIGE) {
        // The held display, for one second; the notice's own second text stays.
        annoncer_information(QString(), qtxt(tx::mode) + texte_mode(mot));
        return -1;
    }
    return 0;
}

void test_Inrush()
{
    if (static_cast<int>(MesureTypeReseau) != MODE_INRUSH || !dialogue_charge())
        return;
    const int p = Fen_princ[PNL_TYPEMES];
    liaison<PnlTypeMesure>(p).cocher(CODE_COURANT, true);
    Selectionner(p, CODE_COURANT, EVENT_COMMIT, nullptr, 0, 0);
}
