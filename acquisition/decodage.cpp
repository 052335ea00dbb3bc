#include "acquisition/decodage.h"

#include "socle/globals.h"
#include "link/jbus_codec.h"

#include <cstdint>

namespace {

// Slots of memo_grandeur_indefinie: the six instantaneous quantities, then
// their six averages.
enum {
    IND_TENSION, IND_COURANT, IND_ACTIVE, IND_REACTIVE, IND_APPARENTE, IND_FP,
    IND_TENSION_MOY, IND_COURANT_MOY, IND_ACTIVE_MOY, IND_REACTIVE_MOY,
    IND_APPARENTE_MOY, IND_FP_MOY,
};

void indefini(int indice, double& valeur)
{
    memo_grandeur_indefinie[indice] = 1;
    valeur = 0.0;
}

void mot_simple(const unsigned short* mots, int mot, int indice, double echelle, double& valeur)
{
    if (mots[mot] == MOT_INDEFINI) {
        indefini(indice, valeur);
        return;
    }
    memo_grandeur_indefinie[indice] = 0;
    valeur = mots[mot] * echelle;
}

// The voltage comes in hundredths of a volt and is shown to the tenth:
// rounded to the nearest 10 before scaling. The sum is kept in an int, not
// cut to 16 bits: raw values 65531..65535 (above the instrument's range)
// would otherwise wrap to 0 V and slip past the range check as a plausible
// reading.
void tension(const unsigned short* mots, int mot, int indice, double& valeur)
{
    if (mots[mot] == MOT_INDEFINI) {
        indefini(indice, valeur);
        return;
    }
    memo_grandeur_indefinie[indice] = 0;
    const int arrondi = (mots[mot] + 5) / 10 * 10;
    valeur = arrondi * 0.01;
}

// Powers are signed 32-bit values, low word first. The instantaneous and the
// averaged pairs are both signed, so both go through the signed conversion.
void puissance(const unsigned short* mots, int mot, int indice, double& valeur)
{
    std::int32_t brut = 0;
    transforme_signes_mots_long_mot(mots, mot, brut);
    if (brut == MOT_INDEFINI) {
        indefini(indice, valeur);
        return;
    }
    memo_grandeur_indefinie[indice] = 0;
    valeur = brut * 0.1;
}

} // namespace

void decoder_mesures(const unsigned short* mots)
{
    tension(mots, MOT_TENSION, IND_TENSION, MesureTension);
    mot_simple(mots, MOT_COURANT, IND_COURANT, 0.001, MesureCourant);
    puissance(mots, MOT_P, IND_ACTIVE, MesurePuisActive);
    puissance(mots, MOT_Q, IND_REACTIVE, MesurePuisReactive);
    mot_simple(mots, MOT_S, IND_APPARENTE, 0.1, MesurePuisApparente);
    mot_simple(mots, MOT_FP, IND_FP, 0.01, MesureFacteurPuis);
    // Inrush current and mode word have no undefined code.
    MesureInrush = mots[MOT_INRUSH] * 0.1;
    MesureTypeReseau = static_cast<std::int16_t>(mots[MOT_MODE]);
    tension(mots, MOT_TENSION_MOY, IND_TENSION_MOY, MesureTensionMoy);
    mot_simple(mots, MOT_COURANT_MOY, IND_COURANT_MOY, 0.001, MesureCourantMoy);
    puissance(mots, MOT_P_MOY, IND_ACTIVE_MOY, MesurePuisActiveMoy);
    puissance(mots, MOT_Q_MOY, IND_REACTIVE_MOY, MesurePuisReactiveMoy);
    mot_simple(mots, MOT_S_MOY, IND_APPARENTE_MOY, 0.1, MesurePuisApparenteMoy);
    mot_simple(mots, MOT_FP_MOY, IND_FP_MOY, 0.01, MesureFacteurPuisMoy);
}

int suite_annule()
{
    const int m = static_cast<int>(MesureTypeReseau);
    switch (m) {
    case 0:
    case 1:
    case 4:
    case 5: {
        // Leaving the held display only resumes; any other change ends the run.
        const int suite = ModeEnCours_actuel == AFFICHAGE_FIGE ? 0 : 1;
        ModeEnCours_actuel = (m <= 1) ? AFFICHAGE_INSTANTANE : AFFICHAGE_MOYENNE;
        return suite;
    }
    case 2:
    case 3:
    case 6:
    case 7:
        ModeEnCours_actuel = AFFICHAGE_FIGE;
        return 0;
    default:
        return 1;
    }
}

