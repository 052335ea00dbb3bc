#include "acquisition/identification.h"

#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/decodage.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "socle/commandes.h"
#include "socle/globals.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "link/registres.h"

bool lire_identification()
{
    if (Mesure_jbus_essais() != 0) {
        commander(Commande::arreter);
        Popup_echec_liaison();
        return false;
    }
    return true;
}

bool mode_identifie(int mot)
{
    return mot == MODE_INRUSH || (mot >= 0 && mot <= 7);
}

bool grandeur_offerte(int code, int mot)
{
    if (mot == MODE_INRUSH)
        return code == CODE_COURANT;
    if (mot < 0 || mot > 7)
        return false;
    return mot <= 3 ? code % 2 == 1 : code % 2 == 0;
}

int conclure_identification()
{
    const int mot = static_cast<int>(MesureTypeReseau);
    if (mot == MODE_INRUSH) {
        Annuler_choix_grandeur();
        ModeEnCours_actuel = AFFICHAGE_INRUSH;
    }
    if (ModeEnCours_actuel == AFFICHAGE_FIGE) {
        // The held display, for one second; the notice's own second text stays.
        modele::annoncer_information(QString(), qtxt(tx::mode) + texte_mode(mot));
        return -1;
    }
    return 0;
}
