#include "app/parametres.h"

#include "acquisition/alarmes.h"
#include "acquisition/selection.h"
#include "acquisition/type_mesure.h"
#include "app/globals.h"
#include "app/menus.h"
#include "app/minuterie.h"
#include "app/toolkit.h"
#include "graph/courbes.h"

namespace {

void type_de_mesure()
{
    for (int w = 1; w <= 2; ++w) {
        Info[w].y_manuel = 0;
        if (tk::panel_valide(Info[w].panel))
            effacer_limites(w);
        else
            Info[w].limite = 0;
    }
    flag_demande_lancer = 1;
    int n = test_grandeur_mesure();
    if (n >= 1 && !selection_convient(Donnee[n].grandeur, ModeEnCours_actuel))
        Annuler_choix_grandeur();
    ResetTimer();
    ouvrir_type_mesure();
}

void horodatage(int relatif)
{
    Acq.en_cours = 0;
    Acq.temps_relatif = relatif;
    tk::SetItemChecked(ITEM_TPSABS, Acq.temps_relatif == 0);
    tk::SetItemChecked(ITEM_TPSREEL, Acq.temps_relatif != 0);
}

} // namespace

void Gestion_parametre(int, int item, void*, int)
{
    ResetTimer();
    activer_minuterie(false);
    switch (item) {
    case ITEM_TYPEMES:
        type_de_mesure();
        break;
    case ITEM_TPSREEL:
        horodatage(1);
        break;
    case ITEM_TPSABS:
        horodatage(0);
        break;
    case ITEM_ECHELLE:
        ouvrir_echelle();
        break;
    case ITEM_ALARME:
        Acq.en_cours = 0;
        ouvrir_alarme();
        break;
    default:
        break;
    }
}
