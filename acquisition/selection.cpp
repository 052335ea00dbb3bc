#include "acquisition/selection.h"

#include "socle/globals.h"

unsigned char grandeur_mesure[13];
unsigned char table_control[3];
void (*decocher_cases)() = nullptr;

namespace {
constexpr int MAX_VOIES_CHOISIES = 2;
}

int test_grandeur_mesure()
{
    int n = 0;
    for (int c = 1; c <= NB_GRANDEURS; ++c) {
        if (grandeur_mesure[c] != 1)
            continue;
        // Only two channels exist; a third tick is never accepted, and if
        // one slipped in it must not be written past table_control.
        if (n == MAX_VOIES_CHOISIES)
            break;
        ++n;
        *grandeurs[c].selection = 1;
        *grandeurs[c].voie = n;
        table_control[n] = static_cast<unsigned char>(c);
        copie_texte(Donnee[n].libelle, grandeurs[c].libelle);
        Donnee[n].grandeur = c;
    }
    compteur_grandeur = n;
    return n;
}

void Annuler_choix_grandeur()
{
    for (int c = 1; c <= NB_GRANDEURS; ++c) {
        grandeur_mesure[c] = 0;
        *grandeurs[c].selection = 0;
    }
    if (decocher_cases)
        decocher_cases();
    compteur_grandeur = 0;
}

int selectionner_case(int code, int etat)
{
    if (code < 1 || code > NB_GRANDEURS)
        return 0;
    const bool coche = etat == 1;
    // The count follows the tick flags: a commit that repeats the box's
    // current state (a box ticked again by program) does not count twice.
    if (coche && grandeur_mesure[code] == 0)
        ++compteur_grandeur;
    else if (!coche && grandeur_mesure[code] == 1)
        --compteur_grandeur;
    grandeur_mesure[code] = coche ? 1 : 0;
    *grandeurs[code].selection = coche ? 1 : 0;

    if (compteur_grandeur < 3)
        return coche ? 1 : 0;

    // Third quantity: refused, the box springs back.
    --compteur_grandeur;
    *grandeurs[code].selection = 0;
    grandeur_mesure[code] = 0;
    return 0;
}

bool selection_convient(int code_derniere_voie, int mode)
{
    if (code_derniere_voie < 1 || code_derniere_voie > NB_GRANDEURS)
        return true;
    const bool instantanee = code_derniere_voie % 2 == 1;
    if (instantanee && mode == AFFICHAGE_MOYENNE)
        return false;
    if (!instantanee && mode == AFFICHAGE_INSTANTANE)
        return false;
    return true;
}
