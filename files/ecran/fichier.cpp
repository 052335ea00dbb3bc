#include "files/ecran/fichier.h"

#include "graph/lignes_limites.h"
#include "acquisition/cycle.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "socle/commandes.h"
#include "socle/ecran/fenetre_graphe.h"
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "acquisition/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "graph/fiches_fenetres.h"
#include "graph/fenetres_voies.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/impression.h"
#include "files/journal.h"
#include "socle/ecran/ctrl_menu.h"
#include "graph/emplacements.h"
#include "graph/courbes.h"
#include "graph/affichage.h"
#include "graph/defilement.h"
#include "graph/edition.h"
#include "graph/fenetres.h"
#include "graph/traces.h"
#include "graph/zoom.h"
#include "graph/valeurs_curseurs.h"
#include "lang/langue.h"
#include "lang/ecran/boutons_barre.h"
#include "lang/textes.h"

#include <QCheckBox>
#include "socle/ecran/liste_releves.h"
#include <qcustomplot.h>

namespace {

// Menu items whose toolbar buttons the acquisition commands dim, Run apart.
const int boutons_acquisition[] = {ITEM_OUVRIR,   ITEM_ENREGIST, ITEM_IMPRIMER, ITEM_ECHELLE,   ITEM_EXPORTER,
                                   ITEM_RETICULE, ITEM_CURSEUR,  ITEM_LEGENDE,  ITEM_ZOOMMOINS, ITEM_ZOOMPLUS};

// Off while a caller that asks about the readings itself stops the acquisition.
bool question_arret = true;

const int autres_menus[] = {BARRE_PARAMETRE, BARRE_EDITION, BARRE_OPTIONS, BARRE_AFFICHAGE, BARRE_FENETRE,
                            BARRE_AIDE};

void dimmer(std::initializer_list<int> items, bool d)
{
    for (int i : items)
        tk::SetItemDimmed(i, d);
}

void recents(bool d)
{
    for (int i : fichier_menu)
        if (i)
            tk::SetItemDimmed(i, d);
}

void boutons(bool d)
{
    for (int item : boutons_acquisition)
        Toolbar_DimItem(gToolbar, position_bouton(item), d);
}

void etats_lancer()
{
    tk::SetItemDimmed(BARRE_FICHIER, false);
    dimmer({ITEM_NOUVEAU, ITEM_OUVRIR}, true);
    dimmer({ITEM_PAUSE, ITEM_STOP}, false);
    dimmer({ITEM_ENREGIST, ITEM_IMPRIMER, ITEM_QUITTER}, true);
    recents(true);
    for (int m : autres_menus)
        tk::SetItemDimmed(m, true);
    boutons(true);
}

void etats_pause()
{
    tk::SetItemDimmed(BARRE_FICHIER, false);
    dimmer({ITEM_NOUVEAU, ITEM_OUVRIR, ITEM_LANCER}, true);
    dimmer({ITEM_PAUSE, ITEM_STOP}, false);
    dimmer({ITEM_ENREGIST, ITEM_IMPRIMER, ITEM_QUITTER}, true);
    boutons(true);
    Toolbar_DimItem(gToolbar, position_bouton(ITEM_LANCER), true);
}

void etats_stop()
{
    tk::SetItemDimmed(BARRE_FICHIER, false);
    dimmer({ITEM_NOUVEAU, ITEM_OUVRIR, ITEM_LANCER}, false);
    dimmer({ITEM_PAUSE, ITEM_STOP}, true);
    dimmer({ITEM_ENREGIST, ITEM_IMPRIMER, ITEM_QUITTER}, false);
    recents(false);
    for (int m : autres_menus)
        tk::SetItemDimmed(m, false);
    boutons(false);
    Toolbar_DimItem(gToolbar, position_bouton(ITEM_LANCER), false);
}

void nouveau()
{
    Popups& popups = *plateforme().popups;
    popups.curseur_attente(true);
    tk::SetPanelTitle(Fen_princ[PNL_PRINC], "VOLTEXA");
    if (Acq.nb_points != 0)
        retirer_legendes();
    // The axes relabelled below are those of the next acquisition; the
    // readings list empties.
    modele::effacer();
    for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
        int w = Donnee[k].num_fenetre;
        if (w == -1 || !fenetre_graphe(w))
            continue;
        retirer_textes(w);
        supprimer_traces(Info[w].panel);
        oublier_lignes_limites(w);
        remettre_vue_initiale(w);
    }
    oublier_chemin_releves();
    popups.curseur_attente(false);
}

void lancer(int panel)
{
    if (Acq.port_ouvert != 1) {
        Popup_erreur(MSG_COMMANDE_REFUSEE);
        commander(Commande::connecter);
        return;
    }
    if (flag_type_mesure == 0) {
        commander(Commande::choisir_mesure);
        return;
    }
    flag_demande_lancer = 1;
    if (Acq.en_cours) {
        if (Acq.periode == -1)
            cadence(panel, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
        return;
    }
    Ctrl_menu(1);
    etats_lancer();
    nouveau();
    tk::SetItemChecked(ITEM_TPSABS, Acq.temps_relatif == 0);
    tk::SetItemChecked(ITEM_TPSREEL, Acq.temps_relatif != 0);

    int n = test_grandeur_mesure();
    modele::regler_mesure(Mesure.port, Mesure.type_reseau, n);

    // Limits survive the new windows, and so does their beep: limit lines
    // that no longer beep would be a silent change of what the user set.
    int limite[3] = {}, alarme[3] = {};
    double bas[3] = {}, haut_[3] = {};
    for (int k = 1; k <= n; ++k) {
        limite[k] = Info[k].limite;
        alarme[k] = Info[k].alarme;
        if (limite[k] <= 10)
            bas[k] = Info[k].seuil_bas;
        if (limite[k] >= 10)
            haut_[k] = Info[k].seuil_haut;
    }

    fermer_graphes();
    ouvrir_graphes_voies(n);

    if (tk::panel_valide(Fen_princ[PNL_TYPEMES])) {
        PnlTypeMesure& d = liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]);
        for (int k = n; k >= 1; --k)
            if (table_control[k] >= 1 && table_control[k] <= NB_GRANDEURS)
                d.cocher(table_control[k], true);
    }

    Maj_connexion();
    Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, panel);

    if (Acq.periode != -1)
        activer_minuterie(true);

    for (int k = 1; k <= n; ++k) {
        fixer_limites(k, limite[k], alarme[k], bas[k], haut_[k]);
        if (Info[k].y_manuel == 1) {
            QCustomPlot* g = liaison<PnlGraphe>(Info[k].panel).graphe;
            g->yAxis->setRange(Info[k].y_min, Info[k].y_max);
            g->replot(QCustomPlot::rpQueuedReplot);
        }
    }
    for (int k = 1; k <= n; ++k)
        if (Info[k].limite != 0)
            tracer_limites(k);

    // The journal of this acquisition opens.
    modele::lancer();

    if (Acq.periode == -1)
        cadence(panel, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    else
        fixer_intervalle_minuterie(Acq.periode == 0 ? 0.5 : double(Acq.periode));
}

void mettre_en_pause()
{
    if (!Acq.en_cours || Acq.periode == -1)
        return;
    etats_pause();
    activer_minuterie(!minuterie_active());
    modele::suspendre();
}

void arreter()
{
    if (!Acq.en_cours)
        return;
    // The journal is completed.
    modele::arreter();
    Ctrl_menu(0);
    etats_stop();
    activer_minuterie(false);
    poser_curseurs_releve(Acq.nb_points - 1);
    if (Acq.nb_points > 0 && question_arret) {
        int r = plateforme().popups->question(qtxt(tx::enregist), qtxt(tx::sauver_donnee),
                                              {mnemonique(mot_oui()), mnemonique(mot_non()), QString()}, 2, 2);
        if (r == 1)
            commande_enregistrer();
    }
}

} // namespace

bool commande_nouveau()
{
    if (!proposer_enregistrement())
        return false;
    nouveau();
    journal_abandonner();
    return true;
}

void arreter_sans_question()
{
    question_arret = false;
    Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
    question_arret = true;
}

void Gestion_fichier(int, int item, void*, int panel)
{
    // The next tick comes a whole period after any File command.
    ResetTimer();
    switch (item) {
    case ITEM_NOUVEAU:
        commande_nouveau();
        break;
    case ITEM_LANCER:
        lancer(panel ? panel : Fen_princ[PNL_PRINC]);
        break;
    case ITEM_PAUSE:
        mettre_en_pause();
        break;
    case ITEM_STOP:
        arreter();
        break;
    case ITEM_OUVRIR:
        commande_ouvrir();
        break;
    case ITEM_ENREGIST:
        commande_enregistrer();
        break;
    case ITEM_IMPRIMER:
        commande_imprimer();
        break;
    default:
        for (int i : fichier_menu)
            if (i != 0 && i == item)
                commande_recent(item);
        break;
    }
}
