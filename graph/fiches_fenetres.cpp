#include "graph/fiches_fenetres.h"

#include "socle/globals.h"

namespace {

bool dans_la_table(int w)
{
    return w >= 0 && w < NB_FENETRES;
}

} // namespace

void inscrire_fenetre_donnees(int panel, int item)
{
    Info[0].panel = panel;
    Info[0].item = item;
    nb_panel = 1;
    for (int w = 1; w <= 2; ++w)
        for (int& t : Info[w].texte_place)
            t = 0;
}

void rendre_active(int w)
{
    grafic = w;
}

void echelle_y_automatique(int w)
{
    if (dans_la_table(w))
        Info[w].y_manuel = 0;
}

void fixer_limites(int w, int limite, int alarme, double seuil_bas, double seuil_haut)
{
    if (!dans_la_table(w))
        return;
    InfoRecord& f = Info[w];
    f.limite = limite;
    f.alarme = limite != LIMITE_AUCUNE ? alarme : 0;
    if (limite <= LIMITE_DEUX)
        f.seuil_bas = seuil_bas;
    if (limite >= LIMITE_DEUX)
        f.seuil_haut = seuil_haut;
}

void abandonner_limites(int w)
{
    if (!dans_la_table(w))
        return;
    Info[w].limite = LIMITE_AUCUNE;
    oublier_lignes_limites(w);
}

void oublier_lignes_limites(int w)
{
    if (!dans_la_table(w))
        return;
    Info[w].trace_bas = 0;
    Info[w].trace_haut = 0;
}
