#include "acquisition/cycle.h"

#include "acquisition/modele.h"
#include "acquisition/connexion.h"
#include "acquisition/decodage.h"
#include "acquisition/selection.h"
#include "socle/commandes.h"
#include "socle/globals.h"
#include "socle/minuterie.h"
#include "socle/platform.h"
#include "acquisition/ligne.h"
#include "acquisition/stockage.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "link/jbus.h"
#include "link/serial.h"

namespace {

constexpr int ESSAIS = 5;

// Failed reads of the tick under way.
int lectures_ratees = 0;

void retirer_avis_optique()
{
    modele::annoncer_avis(modele::Avis::liaison_retablie);
    flag_optique = 0;
}

void lever_avis_optique()
{
    modele::annoncer_avis(modele::Avis::liaison_perdue);
}

void maj_avis_port()
{
    modele::annoncer_avis(modele::Avis::liaison_detail);
}

// The tick's work; cadence keeps a second tick from starting inside it.
void tick(int panel)
{
    Q_UNUSED(panel);
    double ecart = 0.0;
    QDateTime maintenant;
    // The reading's time.
    const auto horodater = [&] {
        maintenant = plateforme().horloge->maintenant();
        const double secondes = secondes_depuis_minuit(maintenant.time());
        if (Acq.nb_points == 0)
            valeur = secondes;
        ecart = ecoule(secondes, valeur);
    };
    horodater();
    if (ModeEnCours_actuel != AFFICHAGE_FIGE && Acq.nb_points == 0)
        PrecedTypeReseau = Mesure.type_reseau;
    if (flag_demande_lancer != 1)
        return;

    modele::couleur_voie(1, color[1]);
    modele::couleur_voie(2, color[2]);

    lectures_ratees = 0;
    const int r = Mesure_jbus_essais();
    // A read that went through only after the user was asked (the
    // instrument silent or unplugged for a while) is dated when it was
    // taken: the time column then shows the gap before it.
    if (r == MESURE_BONNE && lectures_ratees > 0)
        horodater();
    if (r == MESURE_REMISE) {
        modele::remise_mode();
        return;
    }
    if (r != 0) {
        // The acquisition stops: the link notice goes with it.
        retirer_avis_optique();
        commander(Commande::arreter);
        Popup_echec_liaison();
        return;
    }
    if (ModeEnCours_actuel == AFFICHAGE_FIGE)
        return;

    const int n = Acq.nb_points;
    if (n >= NB_RELEVES_MAX) {
        commander(Commande::arreter);
        return;
    }

    TraceCourbeMode();
    PrecedTypeReseau = MesureTypeReseau;
    Mesure.type_reseau = int(MesureTypeReseau);

    if (Mesure.port == 0)
        return;
    modele::stocker_releve(maintenant, ecart);

    if (val != 0 && ecart > val) {
        commander(Commande::arreter);
        return;
    }
    if (modele::limite_atteinte())
        commander(Commande::arreter);
}

} // namespace

int cadence(int panel, int, int event, void*, int, int)
{
    static bool dans_cadence = false;
    if (event != EVENT_TIMER_TICK || dans_cadence)
        return 0;
    dans_cadence = true;
    tick(panel);
    dans_cadence = false;
    return 0;
}

int Mesure_jbus_essais()
{
    int r = -1;
    for (int essai = 0; essai < ESSAIS; ++essai) {
        r = Mesure_jbus();
        if (r != MESURE_ENCORE)
            break;
    }
    return r;
}

int Mesure_jbus()
{
    Popups& popups = *plateforme().popups;
    popups.curseur_attente(true);
    // A port left closed by a failed opening is tried again first: a device
    // plugged back since, or freed by the program that held it, is used
    // without asking.
    if (!port_com_ouvert(comport))
        reouvrir_port_instrument();
    int r = jbus_fonction_03(comport, JBUS_BAUD, JBUS_ESCLAVE, ADRESSE_MESURES, NB_MOTS_MESURE, TableReception);
    popups.curseur_attente(false);

    if (r != 0) {
        ++lectures_ratees;
        // Another program has the port: asking to go on would only fail
        // again. The caller says the port is in use.
        if (!port_com_ouvert(comport) && dernier_echec_ouverture().cause == SERIE_ERREUR_OCCUPE) {
            retirer_avis_optique();
            commander(Commande::arreter);
            return MESURE_ABANDON;
        }
        if (flag_optique == 0) {
            lever_avis_optique();
            flag_optique = 1;
            ModeEnCours_actuel = AFFICHAGE_INCONNU;
        }
        maj_avis_port();
        demande_exit = popups.question("Voltexa", qtxt(tx::continuer),
                                       {mnemonique(mot_oui()), mnemonique(mot_non()), QString()}, 1, 2);
        if (demande_exit == 1) {
            // The instrument may have been unplugged and plugged back: the
            // next try goes through the device now behind COM n, never
            // through a descriptor left from the one that went away.
            if (reouverture_utile(r))
                reouvrir_port_instrument();
            return MESURE_ENCORE;
        }
        retirer_avis_optique();
        commander(Commande::arreter);
        return MESURE_ABANDON;
    }
    if (flag_optique)
        retirer_avis_optique();
    decoder_mesures(TableReception);

    rep_suite = suite_annule();

    int n = test_grandeur_mesure();
    if (n >= 1 && !selection_convient(Donnee[n].grandeur, ModeEnCours_actuel))
        PrecedTypeReseau = -1.0;

    if (Acq.nb_points != 0 && Acq.en_cours != 0 && PrecedTypeReseau != MesureTypeReseau) {
        // The new mode, for one second.
        modele::annoncer_information(qtxt(tx::mode) + texte_mode(int(MesureTypeReseau)), qtxt(tx::information));
        if (rep_suite != 0) {
            Annuler_choix_grandeur();
            PrecedTypeReseau = MesureTypeReseau;
            ResetTimer();
            commander(Commande::arreter);
            // Stop has just asked about saving these readings.
            modele::marquer_enregistre();
            commander(Commande::nouveau);
            commander(Commande::choisir_mesure);
            return MESURE_REMISE;
        }
    }
    PrecedTypeReseau = MesureTypeReseau;
    return MESURE_BONNE;
}
