#include "acquisition/limites.h"

#include <utility>

namespace {

constexpr double TENSION_MAX = 618.0;
constexpr double COURANT_MAX = 10.3;
constexpr double PLEINE_ECHELLE = 6300.0;
constexpr double CODE_SURCHARGE = 6500.0;

// The slot of the reading being stored, or null when the channel or the
// reading index lies outside the tables: nothing is written there.
double* releve_courant(int voie)
{
    if (voie < 0 || voie >= NB_VOIES_TABLE || Acq.nb_points < 0 || Acq.nb_points >= NB_RELEVES_MAX)
        return nullptr;
    return &Donnee[voie].releves[Acq.nb_points];
}

double pleine_echelle(int code)
{
    return (code >= 0 && code < 15) ? Val_maxi[code] : 0.0;
}

int controle(int code, int voie, double tension, double courant)
{
    double* releve = releve_courant(voie);
    if (!releve)
        return 0;
    int r = 0;
    if (code < 3 && (tension < 0.0 || tension > TENSION_MAX)) {
        *releve = pleine_echelle(code);
        r = -1;
    }
    if ((code == 3 || code == 4) && (courant < 0.0 || courant > COURANT_MAX)) {
        *releve = pleine_echelle(code);
        r = -1;
    }
    if (*releve == CODE_SURCHARGE || *releve > PLEINE_ECHELLE || *releve < -PLEINE_ECHELLE) {
        *releve = pleine_echelle(Donnee[voie].grandeur);
        r = -1;
    }
    return r;
}

} // namespace

int test_limite(int code, int voie)
{
    return controle(code, voie, MesureTension, MesureCourant);
}

int test_limite_moyenne(int code, int voie)
{
    return controle(code, voie, MesureTensionMoy, MesureCourantMoy);
}

int test_indefinie(int voie, int indefini)
{
    if (voie < 0 || voie >= NB_VOIES_TABLE)
        return indefini == 1 ? 1 : 0;
    if (indefini == 1) {
        Donnee[voie].indefini = 1;
        if (double* releve = releve_courant(voie))
            *releve = 0.0;
        return 1;
    }
    Donnee[voie].indefini = 0;
    return 0;
}

int bips_limites(const InfoRecord& w, double v)
{
    if (w.limite == LIMITE_AUCUNE || w.alarme == 0)
        return 0;
    int bips = 0;
    if (limite_basse_active(w.limite) && v < w.seuil_bas)
        ++bips;
    if (limite_haute_active(w.limite) && v > w.seuil_haut)
        ++bips;
    return bips;
}

void ordonner_limites(InfoRecord& w)
{
    if (w.limite == LIMITE_DEUX && w.seuil_haut < w.seuil_bas) {
        std::swap(w.seuil_bas, w.seuil_haut);
        std::swap(w.trace_bas, w.trace_haut);
    }
}
