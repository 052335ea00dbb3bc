#include "acquisition/identification.h"

#include "acquisition/cycle.h"
#include "acquisition/decodage.h"
#include "acquisition/selection.h"
#include "acquisition/type_mesure.h"
#include "socle/globals.h"
#include "socle/menus.h"
#include "socle/panels_dialogues.h"
#include "socle/platform.h"
#include "socle/toolkit.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "link/registres.h"

#include <QCheckBox>
#include <QLabel>

namespace {

constexpr int ESSAIS = 5;
constexpr int CODE_COURANT = 3;

// Same rule as the reading cycle: 0 ends the tries, -1 (the user declined to
// go on) ends them at once, anything else tries again.
int lire_instrument()
{
    int r = -1;
    for (int essai = 0; essai < ESSAIS; ++essai) {
        r = Mesure_jbus();
        if (r == 0 || r == -1)
            break;
    }
    return r;
}

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
    const int p = Fen_princ[PNL_TYPEMES];
    return p > 0 && tk::panel_valide(p) && tk::type_panel(p) == PNL_TYPEMES;
}

// The held-display notice, one second long.
void annoncer_affichage_fige(int mot)
{
    const QString t = qtxt(tx::mode) + texte_mode(mot);
    copie_texte(s, t.toUtf8().constData());
    const int p = tk::LoadPanel(Fen_princ[PNL_PRINC], PNL_INFO);
    if (p < 1)
        return;
    Fen_princ[PNL_INFO] = p;
    PnlInformation& i = liaison<PnlInformation>(p);
    i.titre->setText(qtxt(tx::Maj_titre_erreur));
    i.detail->setText(QString::fromUtf8(s));
    tk::DisplayPanel(p);
    plateforme().horloge->attendre(1.0);
    tk::DiscardPanel(p);
    Fen_princ[PNL_INFO] = 0;
}

} // namespace

int essai_mesure_jbus()
{
    if (lire_instrument() != 0) {
        tk::declencher(ITEM_STOP);
        Popup_erreur(20);
        return -1;
    }

    if (charger_type_mesure() < 1)
        return -1;
    PnlTypeMesure& d = liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]);

    const int mot = static_cast<int>(MesureTypeReseau);
    if (mot == MODE_INRUSH) {
        Annuler_choix_grandeur();
        garder_cases(d, [](int c) { return c == CODE_COURANT; });
        ModeEnCours_actuel = MODE_INRUSH;
    } else if (mot < 0 || mot > 7) {
        return -1;
    } else if (mot <= 3) {
        garder_cases(d, [](int c) { return c % 2 == 1; });
    } else {
        garder_cases(d, [](int c) { return c % 2 == 0; });
    }

    if (ModeEnCours_actuel == 3) {
        annoncer_affichage_fige(mot);
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
