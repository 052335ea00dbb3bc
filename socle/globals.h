// Global records shared by the whole program. Everything runs on the one
// user-interface thread, so nothing here is locked. Capacities are fixed:
// no record is ever reallocated.
#pragma once

#include <cstddef>
#include <cstring>

constexpr int NB_RELEVES_MAX = 30000;  // readings per channel
constexpr int NB_VOIES_TABLE = 7;      // Donnee / point rows; 1 and 2 carry the channels
constexpr int NB_FENETRES = 10;        // Info: 0 = Data window, 1..9 graph windows
constexpr int NB_PANELS = 30;          // Fen_princ slots
constexpr int NB_COULEURS = 11;
constexpr int NB_FICHIERS_RECENTS = 4;
constexpr int LONG_NOM_FICHIER = 300;
constexpr int NB_GRANDEURS = 12;       // quantity codes 1..12
constexpr int NB_TEXTES = 5;           // placed texts per graph window

// ---- acquisition state ----------------------------------------------------
struct AcqRecord {
    int port_ouvert = 0;   // 1 while the instrument's serial port is open
    int en_cours = 0;      // 1 while an acquisition runs (paused included)
    int nb_points = 0;     // readings stored; index of the next reading
    int nb_max = 0;        // reading limit of this acquisition; 0 = none of its own
    int periode = 0;       // seconds between readings; 0 = half a second; -1 = one per Run
    int temps_relatif = 0; // 1 = stamps are the time elapsed since the first reading
    double heure_rel = 0.0;
    int non_enregistre = 0; // 1 while the readings in hand were acquired and not saved since
    // Reading period of a recording opened from a file, as for `periode`;
    // PERIODE_DE_REGLAGE while the readings are those of the set period.
    int periode_ouverte = -2;
};
extern AcqRecord Acq;
constexpr int PERIODE_DE_REGLAGE = -2;
extern double mem_hrel;

// ---- measurement set-up ---------------------------------------------------
struct MesureRecord {
    int port = 0;          // COM number; 0 = no port
    int type_reseau = 0;   // mode word of the latest recorded reading
    int nb_voies = 0;      // channels in use
    int avis_indefini = 0; // undefined-values notice raised
    int avis_limite = 0;   // out-of-limits notice raised
};
extern MesureRecord Mesure;

// ---- channels ---------------------------------------------------------------
struct DonneeRecord {
    double releves[NB_RELEVES_MAX];
    int grandeur = 0;          // quantity code 1..12
    char titre[10] = {};       // scratch copy of the label for titles
    char libelle[10] = {};     // label such as "V(V)"
    int num_fenetre = -1;      // Info index of the channel's graph window, -1 none
    int trace = -1;            // curve handle in that graph, -1 none
    int coul = 0;              // RGB of the curve
    double maxi = 0.0;
    double mini = 0.0;
    unsigned char indefini = 0;
};
extern DonneeRecord Donnee[NB_VOIES_TABLE];
extern double point[NB_VOIES_TABLE][NB_RELEVES_MAX];
extern int ptx[NB_RELEVES_MAX];
extern int pas_x;

// ---- windows ------------------------------------------------------------------
struct InfoRecord {
    int panel = 0;
    int item = 0;                       // Window-menu item
    double y_min = 0.0, y_max = 0.0;
    double y_mode = 0.0;                // 0 manual, 1 automatic
    unsigned char y_manuel = 0;
    int trace_texte[NB_TEXTES] = {};
    char texte[NB_TEXTES][200] = {};
    int texte_place[NB_TEXTES] = {};
    int limite = 0;                     // a ModeLimite
    int alarme = 0;
    double seuil_bas = 0.0, seuil_haut = 0.0;
    int trace_bas = 0, trace_haut = 0;
    double ecart[4] = {};               // x cursor 2, x cursor 3, y cursor 2, y cursor 3
    double zoom = 1.0;
    int zoom_index = 7;
    int cadre_legende = 0;
    int cadre_ecart[2] = {};
    int legende = 0;                    // pixels kept free left of the graph
    int pos_sauvee[4] = {};             // top, left, height, width before full screen
    int lect_x = 0, lect_y = 0, lect_x1 = 0, lect_x2 = 0, lect_dx = 0,
        lect_y1 = 0, lect_y2 = 0, lect_dy = 0;
};
extern InfoRecord Info[NB_FENETRES];

// Limit lines of a window (InfoRecord::limite).
enum ModeLimite { LIMITE_AUCUNE = 0, LIMITE_BASSE = 1, LIMITE_DEUX = 10, LIMITE_HAUTE = 11 };

// ---- events ------------------------------------------------------------------
// What reaches a panel or timer callback (socle/ecran/toolkit.h).
enum Evenement {
    EVENT_NONE = 0,
    EVENT_COMMIT,
    EVENT_VAL_CHANGED,
    EVENT_LEFT_CLICK,
    EVENT_RIGHT_DOUBLE_CLICK, // also the full-screen toggle
    EVENT_GOT_FOCUS,
    EVENT_LOST_FOCUS,
    EVENT_PANEL_SIZE,
    EVENT_CLOSE,
    EVENT_TIMER_TICK,
};

// ---- panel kinds ------------------------------------------------------------------
// A kind's value is its slot in Fen_princ and its resource number.
enum PanelKind {
    PNL_INDEFINI = 1,  // undefined-values notice
    PNL_INFO,          // information notice (instrument mode)
    PNL_OPTIQUE,       // link-failure notice
    PNL_OVERLOAD,      // out-of-limits notice
    PNL_CONNEXION,     // connection dialog
    PNL_EXCEL,         // spreadsheet panel
    PNL_ALARME,        // alarm dialog
    PNL_COULEUR,       // colour dialog
    PNL_ECHELLE,       // scale dialog
    PNL_GRAPHE,        // graph-window template
    PNL_INTERVAL,      // interval dialog
    PNL_TYPEMES,       // measurement-type dialog
    PNL_TEXTE,         // insert-text dialog
    PNL_APROPOS,       // about panel
    PNL_PRINT,         // print dialog
    PNL_PRINC,         // main window
    PNL_LIBRE,         // slot no panel uses
    PNL_SPLASH,        // splash panel
    PNL_DONNEES,       // Data window (its handle goes to Info[0].panel)
    PNL_PROGRESS,      // progress panel
    PNL_STATISTIQUES,  // statistics dialog
    PNL_DERNIER = PNL_STATISTIQUES
};
extern int Fen_princ[NB_PANELS];

// ---- quantities ---------------------------------------------------------------------
// Quantity codes: odd codes instantaneous, each average one above; the
// inrush current has a full scale of its own under code 13.
enum CodeGrandeur {
    CODE_TENSION = 1, CODE_TENSION_MOY, CODE_COURANT, CODE_COURANT_MOY, CODE_P, CODE_P_MOY,
    CODE_Q, CODE_Q_MOY, CODE_S, CODE_S_MOY, CODE_FP, CODE_FP_MOY, CODE_INRUSH,
};
// What the instrument's display shows (ModeEnCours_actuel).
enum ModeAffichage {
    AFFICHAGE_INCONNU = 0,
    AFFICHAGE_INSTANTANE = 1, // normal or T3FE
    AFFICHAGE_MOYENNE = 2,    // Smooth
    AFFICHAGE_FIGE = 3,       // Hold
    AFFICHAGE_INRUSH = 16,
};
extern double MesureTension, MesureTensionMoy, MesureCourant, MesureCourantMoy,
    MesurePuisActive, MesurePuisActiveMoy, MesurePuisReactive, MesurePuisReactiveMoy,
    MesurePuisApparente, MesurePuisApparenteMoy, MesureFacteurPuis, MesureFacteurPuisMoy;
extern double MesureInrush, MesureTypeReseau;
extern int checktens, checktensm, checkcour, checkcourm, checkpuis, checkpuism,
    checkpr, checkprm, checkpap, checkpapm, checkfp, checkfpm;
extern int compte_tens, compte_tensm, compte_cour, compte_courm, compte_puis, compte_puism,
    compte_pr, compte_prm, compte_pap, compte_papm, compte_fp, compte_fpm;
extern unsigned char memo_grandeur_indefinie[NB_GRANDEURS];
extern int compteur_grandeur;

// One row per quantity code (row 0 unused): its label and its three globals.
struct Grandeur {
    const char* libelle;
    double* derniere_valeur;
    int* selection;
    int* voie;
};
extern const Grandeur grandeurs[NB_GRANDEURS + 1];

// Full scale per quantity code: default Y range and replacement of an
// out-of-range reading.
extern double Val_maxi[15];
extern double Val_mini[15];

// ---- other shared globals -------------------------------------------------------
extern int menu;
extern int nb_panel;
extern int grafic;
extern int langue;
extern int color[NB_COULEURS];
extern int colo[NB_COULEURS];
extern int rep[5];                 // top, left, height, width, maximised
extern char rep_ini[200];
extern int comport;
extern int ModeEnCours_actuel;
extern double PrecedTypeReseau;
extern unsigned char flag_demande_lancer, flag_optique, flag_type_mesure,
    flag_overload, flag_indefinie;
extern double val;
extern double valeur;
extern unsigned short TableReception[256];
extern char s[100];
extern int demande_exit;
extern int rep_suite;
extern int lien;                   // cursors linked (Edit menu)
// The text being placed in the insert-text dialog: its slot (0 .. 4) in the
// active window's record and its position in graph coordinates.
extern int mem_text;
extern double memx, memy;

extern char nom[NB_FICHIERS_RECENTS][LONG_NOM_FICHIER];
extern int fichier_menu[NB_FICHIERS_RECENTS];

// Tile geometry of windows 0..2 relative to the tile area.
extern int top[NB_FENETRES], left[NB_FENETRES], haut[NB_FENETRES], larg[NB_FENETRES];

extern int gToolbar;

struct ExcelRecord {
    char repertoire[500] = {};
    int lance = 0;
    char feuille[100] = {};
    int numero = 0;
};
extern ExcelRecord Excel;

// Copies src into a fixed text field, cut to fit and always terminated.
// The texts are UTF-8: a cut falls between characters, never inside one.
template <std::size_t N>
inline void copie_texte(char (&dst)[N], const char* src)
{
    std::size_t n = src ? std::strlen(src) : 0;
    if (n > N - 1) {
        n = N - 1;
        while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80)
            --n;
    }
    if (n)
        std::memmove(dst, src, n);
    dst[n] = '\0';
}

// Puts every global back to its value before start-up (all zero, blank texts,
// null handles); tests start from here.
void remise_a_zero_globales();
