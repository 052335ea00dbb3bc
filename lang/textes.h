// Every text the program shows, in five languages.
//
// A table is a read-only array of UTF-8 texts. Item-major layout: five texts
// per item in the order French, English, German, Spanish, Italian, so the
// text of item k in language l is entry 5k + l (see txt()). cmdOui is the one
// language-major table; unite_typ does not depend on the language.
// Everything sits in namespace tx: several table names (pause, index)
// are also C library functions.
#pragma once

#include <QString>

namespace tx {

constexpr int NB_LANGUES = 5;  // texts per item in an item-major table

// Menu bar: titles of the six menus and names of their items; "__" marks the
// mnemonic. donnee is the Window-menu item of the Data window.
extern const char* const barre_fichier[5];
extern const char* const item_nouveau[5];
extern const char* const item_ouvrir[5];
extern const char* const item_enregist[5];
extern const char* const item_lancer[5];
extern const char* const item_pause[5];
extern const char* const item_stop[5];
extern const char* const item_imprimer[5];
extern const char* const item_quitter[5];
extern const char* const barre_parametre[5];
extern const char* const item_connecter[5];
extern const char* const item_typemes[5];
extern const char* const item_interval[5];
extern const char* const item_tpsreel[5];
extern const char* const item_tpsabs[5];
extern const char* const item_echelle[5];
extern const char* const item_alarme[5];
extern const char* const barre_edition[5];
extern const char* const item_lier[5];
extern const char* const item_text1[5];
extern const char* const item_text2[5];
extern const char* const item_text3[5];
extern const char* const item_copgra[5];
extern const char* const item_rengra[5];
extern const char* const item_exporter_csv[5];
extern const char* const barre_options[5];
extern const char* const item_langue[5];
extern const char* const item_enregist2[5];
extern const char* const barre_affichag[5];
extern const char* const item_reticule[5];
extern const char* const item_curseur[5];
extern const char* const item_legende[5];
extern const char* const item_couleur[5];
extern const char* const item_zoomplus[5];
extern const char* const item_zoommoins[5];
extern const char* const item_statistiques[5];
extern const char* const barre_fenetre[5];
extern const char* const item_cascade[5];
extern const char* const item_mosaique[5];
extern const char* const item_ecran[5];
extern const char* const donnee[5];
extern const char* const item_contenu[5];
extern const char* const item_index[5];
extern const char* const item_aproposd[5];

// Toolbar tooltips, in button order. ouvrir and enregist also title the Open
// and Save file popups, imprimer the print dialog, echelle the scale dialog.
extern const char* const ouvrir[5];
extern const char* const enregist[5];
extern const char* const lance[5];
extern const char* const pause[5];
extern const char* const stop[5];
extern const char* const imprimer[5];
extern const char* const echelle[5];
extern const char* const exporter[5];
extern const char* const reticule[5];
extern const char* const curseur[5];
extern const char* const legende[5];
extern const char* const zoommoins[5];
extern const char* const zoomplus[5];
extern const char* const cascade[5];
extern const char* const mosaique[5];
extern const char* const ecran[5];
extern const char* const aide[5];

// Dialog panels: titles, control labels and fixed texts. quitter is the Close
// button of every dialog that has one. comunic1..6 are the lines of the
// connection dialog's information box; only the first ends with a line break.
extern const char* const couleur[5];
extern const char* const annuler[5];
extern const char* const defaut[5];
extern const char* const travail[5];
extern const char* const parcour[5];
extern const char* const nom_feuil[5];
extern const char* const message[5];
extern const char* const lancer[5];
extern const char* const exporte[5];
extern const char* const quitter[5];
extern const char* const develop[5];
extern const char* const chefpro[5];
// About panel: the line under the program's name, the names beside develop
// and chefpro.
extern const char* const apropos_description[5];
extern const char* const apropos_auteurs[5];
extern const char* const apropos_chef[5];
extern const char* const typemes[5];
extern const char* const choixmesure[5];
extern const char* const automatic[5];
extern const char* const manuel[5];
extern const char* const alarme[5];
extern const char* const insertext[5];
// Move buttons of the insert-text dialog: up, down, right, left.
extern const char* const deplacer_texte[4 * 5];
extern const char* const printdef[5];
extern const char* const interval[5];
extern const char* const duree[5];
extern const char* const capacite[5];
extern const char* const monocoup[5];
extern const char* const connex[5];
extern const char* const comunic1[5];
extern const char* const comunic2[5];
extern const char* const comunic3[5];
extern const char* const comunic4[5];
extern const char* const comunic5[5];
extern const char* const comunic6[5];

// Questions, notices, column headers and popup titles.
extern const char* const confir1[5];
extern const char* const confir2[5];
extern const char* const sauver_donnee[5];
// The hold notice's line above the mode.
extern const char* const mode_instrument[5];
// %1 readings read, %2 announced.
extern const char* const releves_manquants[5];
// At start-up, an acquisition journal left by a crash: %1 readings.
extern const char* const reprise_trouvee[5];
// The recovery folder %1 cannot be written; the acquisition goes on.
extern const char* const journal_impossible[5];
// Title of the releves_manquants notice.
extern const char* const titre_releves_manquants[5];
// At start-up: the settings file %1 held lines %2 that did not read.
extern const char* const config_endommagee[5];
// At start-up: the settings file %1 is past the size read.
extern const char* const config_trop_grande[5];
// %1, chosen to open or to save to, is a folder, a device or a pipe.
extern const char* const pas_un_fichier[5];
// The spreadsheet export's working directory %1 exists but cannot be written.
extern const char* const dossier_protege[5];
// The journal's disk in folder %1 refused a reading; it catches up later.
extern const char* const journal_en_retard[5];
extern const char* const tete_optique[5];
extern const char* const tete_optique1[5];
// A COM port that cannot be had: nothing at its path, or held by another
// VOLTEXA or another program. Placeholders %1, %2 as each table says.
extern const char* const port_absent[5];
extern const char* const port_occupe_voltexa[5];
extern const char* const port_occupe[5];
// Which device COM n was: %1 the chain "COM1 → entry → device"; then, for
// the default device, %1 the ports/ entry that would choose another.
extern const char* const port_essaye[5];
extern const char* const port_par_defaut[5];
// Why it could not be used. %1 the COM number, %2 the device's path; %3 the
// group to join (port_permission), the system's words (port_erreur_systeme),
// the seconds waited (port_muet).
extern const char* const port_permission[5];
extern const char* const port_erreur_systeme[5];
extern const char* const port_muet[5];
extern const char* const port_reponse_invalide[5];
extern const char* const continuer[5];
extern const char* const attention[5];
extern const char* const information[5];
extern const char* const mode[5];
extern const char* const normal[5];
extern const char* const canal[5];
extern const char* const date[5];
extern const char* const heure[5];
extern const char* const jour[5];
extern const char* const texte[5];
extern const char* const valeurs[5];
extern const char* const outlimite[5];
extern const char* const Maj_titre_erreur[5];
extern const char* const titre_erreur[5];
extern const char* const renommer[5];
extern const char* const commande[5];
extern const char* const titre_feuille[5];
extern const char* const messag_ecras[5];
extern const char* const messag_pret[5];
extern const char* const messag_fin[5];

// Statistics between the delta cursors: the dialog's title (and the legend
// block's heading), its Copy button, the rows of the dialog, the copied text,
// the print and the workbook (row r: entry 5r + langue; STAT_* below), and
// the labels of the legend block's lines (same rows, short).
extern const char* const statistiques[5];
extern const char* const copier[5];
extern const char* const fermer[5];
enum LigneStat {
    STAT_DEBUT, STAT_FIN, STAT_DUREE, STAT_NOMBRE, STAT_INDEFINIS, STAT_MOYENNE, STAT_MINI, STAT_MAXI,
    STAT_ENERGIE, STAT_CHARGE, NB_LIGNES_STAT
};
extern const char* const stat_lignes[NB_LIGNES_STAT * 5];
extern const char* const stat_abreges[NB_LIGNES_STAT * 5];

// Colour roles of the colour dialog, rows 0..8 (row 0 is blank).
extern const char* const titres[9 * 5];
// Quantity names; row k - 1 names quantity code k.
extern const char* const type_mesure[12 * 5];
// Error messages, one row per error code 0..33.
extern const char* const erreur[34 * 5];

// The No and Yes words: [langue * 2] No, [langue * 2 + 1] Yes.
extern const char* const cmdOui[10];
// Unit symbol per quantity code (0 unused, power factor has none).
extern const char* const unite_typ[13];
// Language submenu, French first: each language named in its own tongue,
// the same whatever the current language.
extern const char* const item_langues[5 * 5];

} // namespace tx

// Text of item k of an item-major table in the current language: entry 5k + langue.
const char* txt(const char* const* table, int k = 0);
// The same, as a QString.
QString qtxt(const char* const* table, int k = 0);
// The Yes and No words of the current language.
const char* mot_oui();
const char* mot_non();
// Menu or button text for Qt: "__X" marks the mnemonic and becomes "&X"; a
// literal '&' becomes "&&" so that Qt shows it instead of taking it as a marker.
QString mnemonique(const char* texte);
