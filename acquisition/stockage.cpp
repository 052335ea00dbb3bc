#include "acquisition/stockage.h"

#include "acquisition/limites.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "link/registres.h"
#include "socle/globals.h"


#include <array>

namespace {

constexpr double INRUSH_PLEINE_ECHELLE = 65.0;

// One quantity in the order the store calls take them, with the entry of
// memo_grandeur_indefinie that flags it undefined.
struct Ordre {
    int code;
    int indefini;
};
constexpr std::array<Ordre, 6> ordre_instantane{
    {{CODE_FP, 5}, {CODE_TENSION, 0}, {CODE_P, 2}, {CODE_Q, 3}, {CODE_COURANT, 1}, {CODE_S, 4}}};
constexpr std::array<Ordre, 6> ordre_moyen{
    {{CODE_FP_MOY, 11}, {CODE_TENSION_MOY, 6}, {CODE_P_MOY, 8}, {CODE_Q_MOY, 9}, {CODE_COURANT_MOY, 7}, {CODE_S_MOY, 10}}};

// Set by a store of this tick whose reading was out of range. The out-of-range
// latch is cleared only when no channel of the tick was: with two channels,
// one in range must not end the other's episode (the notice would come back
// after every OK while the first stays out of range).
bool hors_plage_tick = false;
bool dans_tick = false;

bool voie_valide(int voie)
{
    return voie >= 1 && voie < NB_VOIES_TABLE;
}

bool indice_valide(int n)
{
    return n >= 0 && n < NB_RELEVES_MAX;
}

void stocker(int voie, double valeur)
{
    if (voie_valide(voie) && indice_valide(Acq.nb_points))
        Donnee[voie].releves[Acq.nb_points] = valeur;
}

// The notices after one store: lim and und are the results of the range
// and undefined checks.
void signaler_hors_plage(int lim, int und)
{
    if (lim != 0) {
        hors_plage_tick = true;
        if (Mesure.avis_limite == 0 && flag_overload == 0) {
            Mesure.avis_limite = 1;
            flag_overload = 1;
            lever_avis(PNL_OVERLOAD);
            return;
        }
    } else if (!dans_tick) {
        // Within a tick, TraceCourbeMode settles the latch once every
        // channel is stored.
        Mesure.avis_limite = 0;
    }
    if (und != 0) {
        if (Mesure.avis_indefini == 0 && flag_indefinie == 0) {
            Mesure.avis_indefini = 1;
            flag_indefinie = 1;
            lever_avis(PNL_INDEFINI);
        }
    } else if (Donnee[1].indefini == 0 && Donnee[2].indefini == 0) {
        Mesure.avis_indefini = 0;
    }
}

template <std::size_t N>
void stocker_grandeur(const std::array<Ordre, N>& ordre, int (*test)(int, int))
{
    int lim = 0, und = 0;
    for (const Ordre& o : ordre) {
        const Grandeur& g = grandeurs[o.code];
        if (*g.selection != 1)
            continue;
        const int voie = *g.voie;
        if (voie_valide(voie)) {
            stocker(voie, *g.derniere_valeur);
            Donnee[voie].grandeur = o.code;
            lim = test(o.code, voie);
            und = test_indefinie(voie, memo_grandeur_indefinie[o.indefini]);
        }
        *g.selection = 0;
        break;
    }
    signaler_hors_plage(lim, und);
}

void inrush()
{
    const int voie = 1;
    if (MesureInrush == INRUSH_INDEFINI) {
        stocker(voie, 0.0);
        Donnee[voie].indefini = 1;
        if (Mesure.avis_indefini != 1 && flag_indefinie != 1) {
            lever_avis(PNL_INDEFINI);
            Mesure.avis_indefini = 1;
            flag_indefinie = 1;
        }
    } else {
        Mesure.avis_indefini = 0;
        Donnee[voie].indefini = 0;
    }
    if (MesureInrush == INRUSH_SURCHARGE) {
        stocker(voie, INRUSH_PLEINE_ECHELLE);
        if (Mesure.avis_limite != 1 && flag_overload != 1) {
            Donnee[voie].indefini = 0;
            lever_avis(PNL_OVERLOAD);
            Mesure.avis_limite = 1;
            flag_overload = 1;
        }
    } else {
        Mesure.avis_limite = 0;
    }
    if (MesureInrush != INRUSH_INDEFINI && MesureInrush != INRUSH_SURCHARGE)
        stocker(voie, MesureInrush);
}

} // namespace

void TraceCourbeMode()
{
    const int m = int(MesureTypeReseau);
    if (test_grandeur_mesure() < 1)
        return;
    // No reading is ever written past the channels' capacity.
    if (!indice_valide(Acq.nb_points))
        return;

    hors_plage_tick = false;
    dans_tick = true;
    // Each call stores the next selected quantity into its own channel.
    auto deux_fois = [](void (*stocke)()) {
        stocke();
        if (compteur_grandeur == 2)
            stocke();
        if (!hors_plage_tick)
            Mesure.avis_limite = 0;
    };
    switch (m) {
    case 0:
    case 1: deux_fois(DonneeY); break;
    case 4:
    case 5: deux_fois(DonneeYm); break;
    case MODE_INRUSH: inrush(); break;
    default: break;
    }
    dans_tick = false;
}

void DonneeY()
{
    stocker_grandeur(ordre_instantane, test_limite);
}

void DonneeYm()
{
    stocker_grandeur(ordre_moyen, test_limite_moyenne);
}

void lever_avis(int kind)
{
    if (kind == PNL_INDEFINI)
        modele::annoncer_avis(modele::Avis::valeurs_indefinies);
    else if (kind == PNL_OVERLOAD)
        modele::annoncer_avis(modele::Avis::hors_limites);
}
