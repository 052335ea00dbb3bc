// Fixed identifiers of the main window's menus and menu items. Items made
// while the program runs (Window-menu entries, recent files) get identifiers
// from ITEM_PREMIER_DYNAMIQUE upward.
#pragma once

enum MenuId {
    BARRE_FICHIER = 10,
    ITEM_NOUVEAU, ITEM_OUVRIR, ITEM_ENREGIST, ITEM_LANCER, ITEM_PAUSE, ITEM_STOP, ITEM_IMPRIMER,
    ITEM_QUITTER,
    ITEM_SEP_RECENTS, // the separator after Print: recent files go before it

    BARRE_PARAMETRE = 30,
    ITEM_CONNECTER, ITEM_TYPEMES, ITEM_INTERVAL, ITEM_TPSREEL, ITEM_TPSABS, ITEM_ECHELLE,
    ITEM_ALARME,

    BARRE_EDITION = 50,
    ITEM_EXPORTER, ITEM_LIER, ITEM_MIN, ITEM_MAX, ITEM_TEXT1, ITEM_TEXT2, ITEM_TEXT3, ITEM_COPGRA,
    ITEM_RENGRA, ITEM_EXPORTER_CSV,

    BARRE_OPTIONS = 70,
    ITEM_LANGUE, ITEM_FRANCAIS, ITEM_ANGLAIS, ITEM_ALLEMAND, ITEM_ESPAGNOL, ITEM_ITALIEN,
    ITEM_ENREGIST2,

    BARRE_AFFICHAGE = 90,
    ITEM_RETICULE, ITEM_CURSEUR, ITEM_LEGENDE, ITEM_COULEUR, ITEM_ZOOMPLUS, ITEM_ZOOMMOINS, ITEM_STATISTIQUES,

    BARRE_FENETRE = 110,
    ITEM_CASCADE, ITEM_MOSAIQUE, ITEM_ECRAN,

    BARRE_AIDE = 130,
    ITEM_CONTENU, ITEM_INDEX, ITEM_APROPOSD,

    ITEM_PREMIER_DYNAMIQUE = 1000
};

// Object names in the main window's form, one per fixed identifier.
struct NomMenu {
    int id;
    const char* objet;
};
inline constexpr NomMenu noms_menus[] = {
    {BARRE_FICHIER, "barre_fichier"}, {ITEM_NOUVEAU, "item_nouveau"}, {ITEM_OUVRIR, "item_ouvrir"},
    {ITEM_ENREGIST, "item_enregist"}, {ITEM_LANCER, "item_lancer"}, {ITEM_PAUSE, "item_pause"},
    {ITEM_STOP, "item_stop"}, {ITEM_IMPRIMER, "item_imprimer"}, {ITEM_QUITTER, "item_quitter"}, {ITEM_SEP_RECENTS, "sep_recents"},
    {BARRE_PARAMETRE, "barre_parametre"}, {ITEM_CONNECTER, "item_connecter"},
    {ITEM_TYPEMES, "item_typemes"}, {ITEM_INTERVAL, "item_interval"}, {ITEM_TPSREEL, "item_tpsreel"},
    {ITEM_TPSABS, "item_tpsabs"}, {ITEM_ECHELLE, "item_echelle"}, {ITEM_ALARME, "item_alarme"},
    {BARRE_EDITION, "barre_edition"}, {ITEM_EXPORTER, "item_exporter"}, {ITEM_LIER, "item_lier"},
    {ITEM_MIN, "item_min"}, {ITEM_MAX, "item_max"}, {ITEM_TEXT1, "item_text1"},
    {ITEM_TEXT2, "item_text2"}, {ITEM_TEXT3, "item_text3"}, {ITEM_COPGRA, "item_copgra"},
    {ITEM_RENGRA, "item_rengra"}, {ITEM_EXPORTER_CSV, "item_exporter_csv"},
    {BARRE_OPTIONS, "barre_options"}, {ITEM_LANGUE, "item_langue"}, {ITEM_FRANCAIS, "item_francais"},
    {ITEM_ANGLAIS, "item_anglais"}, {ITEM_ALLEMAND, "item_allemand"}, {ITEM_ESPAGNOL, "item_espagnol"},
    {ITEM_ITALIEN, "item_italien"}, {ITEM_ENREGIST2, "item_enregist2"},
    {BARRE_AFFICHAGE, "barre_affichag"}, {ITEM_RETICULE, "item_reticule"},
    {ITEM_CURSEUR, "item_curseur"}, {ITEM_LEGENDE, "item_legende"}, {ITEM_COULEUR, "item_couleur"},
    {ITEM_ZOOMPLUS, "item_zoomplus"}, {ITEM_ZOOMMOINS, "item_zoommoins"},
    {ITEM_STATISTIQUES, "item_statistiques"},
    {BARRE_FENETRE, "barre_fenetre"}, {ITEM_CASCADE, "item_cascade"},
    {ITEM_MOSAIQUE, "item_mosaique"}, {ITEM_ECRAN, "item_ecran"},
    {BARRE_AIDE, "barre_aide"}, {ITEM_CONTENU, "item_contenu"}, {ITEM_INDEX, "item_index"},
    {ITEM_APROPOSD, "item_aproposd"},
};

inline constexpr bool est_barre(int id)
{
    return id == BARRE_FICHIER || id == BARRE_PARAMETRE || id == BARRE_EDITION || id == BARRE_OPTIONS ||
           id == BARRE_AFFICHAGE || id == BARRE_FENETRE || id == BARRE_AIDE;
}
