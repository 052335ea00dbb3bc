#include "lang/ecran/langue.h"
#include "lang/ecran/boutons_barre.h"

#include "socle/commandes.h"
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/lecture_fichier.h"
#include "socle/ecran/menus.h"
#include "lang/ecran/panneaux.h"
#include "socle/platform.h"
#include "socle/reglages.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/dialogue.h"
#include "lang/textes.h"
#include "lang/traductions_qt.h"
#include "link/registres.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <iterator>

namespace {

struct Libelle {
    int item;
    const char* const* table;
};

const Libelle libelles_menus[] = {
    {BARRE_FICHIER, tx::barre_fichier},     {ITEM_NOUVEAU, tx::item_nouveau},
    {ITEM_OUVRIR, tx::item_ouvrir},         {ITEM_ENREGIST, tx::item_enregist},
    {ITEM_LANCER, tx::item_lancer},         {ITEM_PAUSE, tx::item_pause},
    {ITEM_STOP, tx::item_stop},             {ITEM_IMPRIMER, tx::item_imprimer},
    {ITEM_QUITTER, tx::item_quitter},       {BARRE_PARAMETRE, tx::barre_parametre},
    {ITEM_CONNECTER, tx::item_connecter},   {ITEM_TYPEMES, tx::item_typemes},
    {ITEM_INTERVAL, tx::item_interval},     {ITEM_TPSREEL, tx::item_tpsreel},
    {ITEM_TPSABS, tx::item_tpsabs},         {ITEM_ECHELLE, tx::item_echelle},
    {ITEM_ALARME, tx::item_alarme},         {BARRE_EDITION, tx::barre_edition},
    {ITEM_LIER, tx::item_lier},             {ITEM_TEXT1, tx::item_text1},
    {ITEM_TEXT2, tx::item_text2},           {ITEM_TEXT3, tx::item_text3},
    {ITEM_COPGRA, tx::item_copgra},         {ITEM_RENGRA, tx::item_rengra},
    {BARRE_OPTIONS, tx::barre_options},     {ITEM_LANGUE, tx::item_langue},
    {ITEM_ENREGIST2, tx::item_enregist2},   {BARRE_AFFICHAGE, tx::barre_affichag},
    {ITEM_RETICULE, tx::item_reticule},     {ITEM_CURSEUR, tx::item_curseur},
    {ITEM_LEGENDE, tx::item_legende},       {ITEM_COULEUR, tx::item_couleur},
    {ITEM_ZOOMPLUS, tx::item_zoomplus},     {ITEM_ZOOMMOINS, tx::item_zoommoins},
    {BARRE_FENETRE, tx::barre_fenetre},     {ITEM_CASCADE, tx::item_cascade},
    {ITEM_MOSAIQUE, tx::item_mosaique},     {ITEM_ECRAN, tx::item_ecran},
    {ITEM_CONTENU, tx::item_contenu},       {ITEM_INDEX, tx::item_index},
    {ITEM_APROPOSD, tx::item_aproposd},     {ITEM_EXPORTER_CSV, tx::item_exporter_csv},
    {ITEM_STATISTIQUES, tx::item_statistiques},
};

// Toolbar buttons in order; a null table is a separator.
struct Bouton {
    const char* image;
    const char* const* info_bulle;
    int item;
};

const Bouton boutons[] = {
    {"open", tx::ouvrir, ITEM_OUVRIR},
    {"save", tx::enregist, ITEM_ENREGIST},
    {"start", tx::lance, ITEM_LANCER},
    {"pause", tx::pause, ITEM_PAUSE},
    {"stop", tx::stop, ITEM_STOP},
    {"print", tx::imprimer, ITEM_IMPRIMER},
    {nullptr, nullptr, 0},
    {"echelles", tx::echelle, ITEM_ECHELLE},
    {nullptr, nullptr, 0},
    {"excel", tx::exporter, ITEM_EXPORTER},
    {nullptr, nullptr, 0},
    {"grati", tx::reticule, ITEM_RETICULE},
    {"curseur", tx::curseur, ITEM_CURSEUR},
    {"legend", tx::legende, ITEM_LEGENDE},
    {nullptr, nullptr, 0},
    {"zmoins", tx::zoommoins, ITEM_ZOOMMOINS},
    {"zplus", tx::zoomplus, ITEM_ZOOMPLUS},
    {nullptr, nullptr, 0},
    {"cascade", tx::cascade, ITEM_CASCADE},
    {"tile", tx::mosaique, ITEM_MOSAIQUE},
    {"ecran", tx::ecran, ITEM_ECRAN},
    {nullptr, nullptr, 0},
    {"help", tx::aide, ITEM_CONTENU},
};

void reconstruire_barre_outils()
{
    Toolbar_Discard(gToolbar);
    reglages::remplacer_barre_outils(Toolbar_New(Fen_princ[PNL_PRINC]));
    for (const Bouton& b : boutons) {
        if (!b.image) {
            Toolbar_InsertItem(gToolbar, TOOLBAR_FIN, TOOLBAR_SEPARATEUR, true, {}, 0, {});
            continue;
        }
        const QString image = chemin_programme(FichierProgramme::image_outil, QString::fromLatin1(b.image));
        int etat = Toolbar_InsertItem(gToolbar, TOOLBAR_FIN, TOOLBAR_COMMANDE, true, qtxt(b.info_bulle),
                                      b.item, image);
        if (etat == TOOLBAR_IMAGE_INTROUVABLE)
            Popup_erreur(MSG_ICONE_INTROUVABLE);
    }
    Toolbar_SetAttribute(gToolbar, 1, 1);
    Toolbar_Display(gToolbar);
}

} // namespace

int position_bouton(int item)
{
    for (int i = 0; i < int(std::size(boutons)); ++i)
        if (boutons[i].image && boutons[i].item == item)
            return i + 1;
    return 0;
}

void Changement_langue(int)
{
    for (const Libelle& l : libelles_menus)
        tk::SetItemName(l.item, mnemonique(txt(l.table)));
    tk::SetItemName(Info[0].item, mnemonique(txt(tx::donnee)));

    reconstruire_barre_outils();

    QString e = entete_releves();
    for (int l = 1; l <= Mesure.nb_voies && l < NB_FENETRES; ++l)
        if (Info[l].panel) {
            const QString t = QString("%1 %2 : %3").arg(qtxt(tx::canal)).arg(l).arg(QString(10, ' '));
            tk::SetPanelTitle(Info[l].panel, t);
            // The Window menu lists each window by its title.
            tk::SetItemName(Info[l].item, QString(t).replace('&', "&&"));
        }
    if (Info[0].panel) {
        controle<QLabel>(tk::contenu(Info[0].panel), "entete")->setText(e);
        tk::SetPanelTitle(Info[0].panel, qtxt(tx::donnee));
    }
    commander(Commande::nouveau);
}

void Traduc_pres()
{
    PnlApropos& p = liaison<PnlApropos>(Fen_princ[PNL_APROPOS]);
    p.description->setText(qtxt(tx::apropos_description));
    p.develop->setText(qtxt(tx::develop));
    p.auteurs->setText(qtxt(tx::apropos_auteurs));
    p.chefpro->setText(qtxt(tx::chefpro));
    p.chef->setText(qtxt(tx::apropos_chef));
    p.quitter->setText(mnemonique(txt(tx::quitter)));
}

void Gestion_options(int menubar, int item, void*, int)
{
    if (item == ITEM_ENREGIST2) {
        tk::SetItemChecked(ITEM_ENREGIST2, !tk::ItemChecked(ITEM_ENREGIST2));
        return;
    }
    if (item < ITEM_FRANCAIS || item > ITEM_ITALIEN)
        return;
    // The switch clears the recording: unsaved readings are asked about in
    // the language they were shown in, and Cancel switches nothing.
    if (!commander(Commande::nouveau))
        return;
    plateforme().popups->curseur_attente(true);
    tk::SetItemChecked(ITEM_FRANCAIS + langue, false);
    reglages::choisir_langue(item - ITEM_FRANCAIS);
    tk::SetItemChecked(item, true);
    traduire_boite_a_outils(langue);
    Changement_langue(menubar);
    const QString aide = fichier_aide();
    QDir().mkpath(QFileInfo(aide).path());
    QFile::remove(aide);
    // Copying reads the whole source: a pipe there would hold the program.
    const QString source = fichier_aide_langue(langue);
    if (!autre_qu_un_fichier(source))
        QFile::copy(source, aide);
    plateforme().popups->curseur_attente(false);
}

void Gestion_aide(int, int item, void*, int)
{
    switch (item) {
    case ITEM_CONTENU:
        plateforme().aide->sommaire(fichier_aide());
        break;
    case ITEM_INDEX:
        plateforme().aide->recherche(fichier_aide(), QString());
        break;
    case ITEM_APROPOSD: {
        const int p = charger_dialogue(PNL_APROPOS, Traduc_pres);
        if (p < 1)
            return;
        PnlApropos& a = liaison<PnlApropos>(p);
        relier_bouton(p, a.quitter, Quitter_aide, 0);
        if (auto* d = qobject_cast<QDialog*>(a.racine))
            relier_signal(p, d, &QDialog::rejected, Quitter_aide, 0);
        montrer_dialogue(p);
        break;
    }
    default:
        break;
    }
}

int Quitter_aide(int panel, int, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_panel(panel, PNL_APROPOS))
        return 0;
    fermer_dialogue(panel);
    return 0;
}

