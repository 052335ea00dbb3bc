#include "app/reglages.h"

#include "files/ecran/fichier.h"
#include "files/format.h"
#include "lang/textes.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/reglages.h"
#include "socle/ecran/toolkit.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace {

// Recent-file entries of the File menu, between Print and Exit, in list
// order. Items already there are relabelled rather than made again: the
// item that asked for the change may be the one being relabelled.
void maj_menu_recents()
{
    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k) {
        const bool utilisee = std::strlen(nom[k]) > 5;
        if (!utilisee) {
            if (fichier_menu[k] != 0) {
                tk::DiscardMenuItem(menu, fichier_menu[k]);
                fichier_menu[k] = 0;
            }
            continue;
        }
        const QString texte = mnemonique(nom[k]);
        if (fichier_menu[k] != 0 && tk::action(fichier_menu[k])) {
            tk::SetItemName(fichier_menu[k], texte);
            continue;
        }
        int avant = ITEM_SEP_RECENTS;
        for (int suivant = k + 1; suivant < NB_FICHIERS_RECENTS; ++suivant)
            if (fichier_menu[suivant] != 0 && tk::action(fichier_menu[suivant])) {
                avant = fichier_menu[suivant];
                break;
            }
        fichier_menu[k] = tk::NewMenuItem(menu, BARRE_FICHIER, avant, texte, Gestion_fichier);
    }
}

void ajouter_fichier_recent(const QString& chemin)
{
    const QString p = chemin_memorise(chemin);
    std::array<QString, NB_FICHIERS_RECENTS> e;
    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k)
        e[std::size_t(k)] = QString::fromUtf8(nom[k]);
    if (!placer_en_tete(e, p))
        return;
    // A path too long for its entry would be cut into another file's name:
    // such a path is not listed.
    for (const QString& t : e)
        if (t.toUtf8().size() >= LONG_NOM_FICHIER)
            return;
    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k)
        copie_texte(nom[k], e[std::size_t(k)].toUtf8().constData());
    maj_menu_recents();
}

} // namespace

void installer_reglages()
{
    reglages::Operations o;
    o.choisir_langue = [](int l) { langue = l; };
    o.remplacer_barre_outils = [](int poignee) { gToolbar = poignee; };
    o.essayer_couleur = [](int k, int rgb) {
        if (k >= 0 && k < NB_COULEURS)
            colo[k] = rgb;
    };
    o.garder_couleurs = [] { std::copy(std::begin(colo), std::end(colo), color); };
    o.reprendre_couleurs = [] { std::copy(std::begin(color), std::end(color), colo); };
    o.lier_curseurs = [](bool lies) { lien = lies ? 1 : 0; };
    o.choisir_port = [](int numero) { comport = numero; };
    o.ajouter_fichier_recent = ajouter_fichier_recent;
    o.choisir_repertoire_tableur = [](const QString& r) {
        copie_texte(Excel.repertoire, r.toLocal8Bit().constData());
    };
    reglages::installer(std::move(o));
}
