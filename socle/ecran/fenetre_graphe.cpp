#include "socle/ecran/fenetre_graphe.h"

#include "socle/globals.h"
#include "socle/ecran/toolkit.h"

bool fenetre_graphe(int w)
{
    return w >= 1 && w < NB_FENETRES && tk::panel_valide(Info[w].panel) &&
           tk::type_panel(Info[w].panel) == PNL_GRAPHE;
}
