#include "app/parametres.h"

#include "graph/lignes_limites.h"
#include "acquisition/ecran/identification.h"
#include "acquisition/ecran/connexion.h"
#include "acquisition/connexion.h"
#include "acquisition/ecran/intervalle.h"
#include "acquisition/intervalle.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "acquisition/ecran/type_mesure.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "socle/ecran/toolkit.h"
#include "graph/fiches_fenetres.h"
#include "graph/courbes.h"
#include "lang/langue.h"
#include "link/jbus.h"
#include "link/serial.h"

namespace {

// The port is opened as the dialog opens, so that the dialog shows over a
// link whose state is known; OK in the dialog may then choose another.
void communication()
{
    modele::sans_acquisition();
    flag_demande_lancer = 0;
    ouvrir_connexion();
    if (ouverture_com(comport, JBUS_BAUD, PARITE_AUCUNE, 8, 1, JBUS_DELAI) == 0) {
        modele::port_instrument(comport);
        modele::port_ouvert(true);
    } else {
        Popup_echec_liaison();
        modele::port_ouvert(false);
    }
}

void type_de_mesure()
{
    if (Acq.en_cours)
        Traduc_typedemesure();
    // Limits and manual scales belonged to the quantities about to be chosen
    // again; they go even if the choice is then cancelled.
    for (int w = 1; w <= 2; ++w) {
        echelle_y_automatique(w);
        if (tk::panel_valide(Info[w].panel))
            effacer_limites(w);
        else
            abandonner_limites(w);
    }
    const int avant = Fen_princ[PNL_TYPEMES];
    if (essai_mesure_jbus() != 0) {
        // Identification may have loaded a dialog before refusing it: it
        // would otherwise linger hidden until the next one.
        const int charge = Fen_princ[PNL_TYPEMES];
        if (charge != avant && tk::panel_valide(charge)) {
            tk::DiscardPanel(charge);
            Fen_princ[PNL_TYPEMES] = 0;
        }
        return;
    }
    flag_demande_lancer = 1;
    test_Inrush();
    int n = test_grandeur_mesure();
    if (n >= 1 && !selection_convient(Donnee[n].grandeur, ModeEnCours_actuel))
        Annuler_choix_grandeur();
    ResetTimer();
    ouvrir_type_mesure();
}

void horodatage(int relatif)
{
    modele::sans_acquisition();
    modele::regler_temps_relatif(relatif);
    tk::SetItemChecked(ITEM_TPSABS, Acq.temps_relatif == 0);
    tk::SetItemChecked(ITEM_TPSREEL, Acq.temps_relatif != 0);
}

} // namespace

void Gestion_parametre(int, int item, void*, int)
{
    ResetTimer();
    activer_minuterie(false);
    switch (item) {
    case ITEM_CONNECTER:
        communication();
        break;
    case ITEM_TYPEMES:
        type_de_mesure();
        break;
    case ITEM_INTERVAL:
        modele::sans_acquisition();
        ouvrir_intervalle();
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
        // Marking the acquisition stopped before the checks would open the
        // dialog on a running acquisition; past them it is not running anyway.
        ouvrir_alarme();
        break;
    default:
        break;
    }
}
