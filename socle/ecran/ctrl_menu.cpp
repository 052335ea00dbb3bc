#include "socle/ecran/ctrl_menu.h"

#include "socle/ecran/menus.h"
#include "socle/ecran/toolkit.h"

void Ctrl_menu(int dimmed)
{
    for (int barre : {BARRE_FICHIER, BARRE_PARAMETRE, BARRE_EDITION, BARRE_OPTIONS, BARRE_AFFICHAGE,
                      BARRE_FENETRE, BARRE_AIDE})
        tk::SetItemDimmed(barre, dimmed != 0);
}
