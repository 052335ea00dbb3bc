#include "app/config.h"

#include "app/globals.h"
#include "app/menus.h"
#include "app/minuterie.h"
#include "app/platform.h"
#include "app/toolkit.h"
#include "files/fichier.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QByteArray>

namespace {
const int couleurs_defaut[NB_COULEURS] = {16711680, 65280, 16776960, 12632256, 128, 12632256,
                                          16711680, 32768,    0,        255,      0};
} // namespace

double intervalle_periode(int periode)
{
    return periode == 0 ? 0.5 : double(periode);
}

void valeur_par_defaut()
{
    lien = 0;
    Acq.periode = 0;
    Mesure.port = 1;
    Mesure.type_reseau = 1;
    Mesure.nb_voies = 1;
    for (int k = 1; k <= 2; ++k) {
        Donnee[k].grandeur = 1;
        Donnee[k].num_fenetre = -1;
        copie_texte(Donnee[k].libelle, "    ");
    }
    Acq.heure_rel = 0.0;
    mem_hrel = 0.0;
    Acq.temps_relatif = 0;
    copie_texte(Excel.repertoire, GetProjectDir().toLocal8Bit().constData());
    for (int i = 0; i < NB_COULEURS; ++i)
        color[i] = couleurs_defaut[i];
    langue = 1;
    rep[0] = 38;
    rep[1] = 45;
    rep[2] = 460;
    rep[3] = 647;
    rep[4] = 0;
}

void charge_config()
{
    for (int& f : fichier_menu)
        f = 0;
    valeur_par_defaut();
    appliquer_config(1);
}

void appliquer_config(int enregistrer_en_quittant)
{
    int principal = Fen_princ[PNL_PRINC];
    if (rep[4] != 0) {
        tk::SetPanelZoom(principal, rep[4]);
    } else {
        tk::deplacer(principal, rep[0], rep[1]);
        tk::SetPanelHeight(principal, rep[2]);
        tk::SetPanelWidth(principal, rep[3]);
    }
    tk::SetItemChecked(ITEM_ENREGIST2, enregistrer_en_quittant != 0);

    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k)
        if (nom[k][0] == '_')
            fichier_menu[k] = tk::NewMenuItem(menu, BARRE_FICHIER, ITEM_SEP_RECENTS,
                                              mnemonique(nom[k]), Gestion_fichier);

    Gestion_options(menu, ITEM_FRANCAIS + langue, nullptr, principal);

    tk::SetItemChecked(ITEM_TPSABS, Acq.temps_relatif == 0);
    tk::SetItemChecked(ITEM_TPSREEL, Acq.temps_relatif != 0);
    fixer_intervalle_minuterie(intervalle_periode(Acq.periode));
    if (Mesure.nb_voies == 1)
        Donnee[2].num_fenetre = -1;
    Donnee[1].coul = color[1];
    Donnee[2].coul = color[2];
    Info[1].y_manuel = 0;
    Info[2].y_manuel = 0;
}
