#include "acquisition/ecran/identification.h"
#include "acquisition/identification.h"

#include "acquisition/selection.h"
#include "acquisition/ecran/type_mesure.h"
#include "socle/ecran/dialogue.h"
#include "socle/globals.h"
#include "acquisition/ecran/panneaux.h"
#include "socle/ecran/toolkit.h"
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
    if (!lire_identification())
        return -1;

    if (charger_type_mesure() < 1)
        return -1;
    PnlTypeMesure& d = liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]);

    const int mot = static_cast<int>(MesureTypeReseau);
    if (!mode_identifie(mot))
        return -1;
    garder_cases(d, [mot](int c) { return grandeur_offerte(c, mot); });
    return conclure_identification();
}

void test_Inrush()
{
    if (static_cast<int>(MesureTypeReseau) != MODE_INRUSH || !dialogue_charge())
        return;
    const int p = Fen_princ[PNL_TYPEMES];
    liaison<PnlTypeMesure>(p).cocher(CODE_COURANT, true);
    Selectionner(p, CODE_COURANT, EVENT_COMMIT, nullptr, 0, 0);
}
