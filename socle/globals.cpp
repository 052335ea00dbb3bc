#include "socle/globals.h"

#include <algorithm>
#include <iterator>

AcqRecord Acq;
double mem_hrel = 0.0;
MesureRecord Mesure;
DonneeRecord Donnee[NB_VOIES_TABLE];
double point[NB_VOIES_TABLE][NB_RELEVES_MAX];
int ptx[NB_RELEVES_MAX];
int pas_x = 0;
InfoRecord Info[NB_FENETRES];
int Fen_princ[NB_PANELS];

double MesureTension, MesureTensionMoy, MesureCourant, MesureCourantMoy,
    MesurePuisActive, MesurePuisActiveMoy, MesurePuisReactive, MesurePuisReactiveMoy,
    MesurePuisApparente, MesurePuisApparenteMoy, MesureFacteurPuis, MesureFacteurPuisMoy;
double MesureInrush, MesureTypeReseau;
int checktens, checktensm, checkcour, checkcourm, checkpuis, checkpuism,
    checkpr, checkprm, checkpap, checkpapm, checkfp, checkfpm;
int compte_tens, compte_tensm, compte_cour, compte_courm, compte_puis, compte_puism,
    compte_pr, compte_prm, compte_pap, compte_papm, compte_fp, compte_fpm;
unsigned char memo_grandeur_indefinie[NB_GRANDEURS];
int compteur_grandeur;

const Grandeur grandeurs[NB_GRANDEURS + 1] = {
    {"", nullptr, nullptr, nullptr},
    {"V(V)", &MesureTension, &checktens, &compte_tens},
    {"Vm(V)", &MesureTensionMoy, &checktensm, &compte_tensm},
    {"I(A)", &MesureCourant, &checkcour, &compte_cour},
    {"Im(A)", &MesureCourantMoy, &checkcourm, &compte_courm},
    {"P(W)", &MesurePuisActive, &checkpuis, &compte_puis},
    {"Pm(W)", &MesurePuisActiveMoy, &checkpuism, &compte_puism},
    {"Q(Var)", &MesurePuisReactive, &checkpr, &compte_pr},
    {"Qm(Var)", &MesurePuisReactiveMoy, &checkprm, &compte_prm},
    {"S(VA)", &MesurePuisApparente, &checkpap, &compte_pap},
    {"Sm(VA)", &MesurePuisApparenteMoy, &checkpapm, &compte_papm},
    {"FP", &MesureFacteurPuis, &checkfp, &compte_fp},
    {"FPm", &MesureFacteurPuisMoy, &checkfpm, &compte_fpm},
};

//                 0    1    2    3   4     5      6      7      8      9    10  11 12  13  14
double Val_maxi[15] = {0, 630, 630, 11, 11, 6300, 6300, 6300, 6300, 6300, 6300, 1, 1, 65, 65};
double Val_mini[15] = {0, 0, 0, 0, 0, -6300, -6300, -6300, -6300, 0, 0, 0, 0, 5, 5};

int menu;
int nb_panel;
int grafic = -1;
int langue;
int color[NB_COULEURS];
int colo[NB_COULEURS];
int rep[5];
char rep_ini[200];
int comport;
int ModeEnCours_actuel;
double PrecedTypeReseau;
unsigned char flag_demande_lancer, flag_optique, flag_type_mesure, flag_overload, flag_indefinie;
double val;
double valeur;
unsigned short TableReception[256];
char s[100];
int demande_exit;
int rep_suite;
int lien;
int mem_text;
double memx, memy;
char nom[NB_FICHIERS_RECENTS][LONG_NOM_FICHIER];
int fichier_menu[NB_FICHIERS_RECENTS];
int top[NB_FENETRES], left[NB_FENETRES], haut[NB_FENETRES], larg[NB_FENETRES];
int gToolbar;
ExcelRecord Excel;

void remise_a_zero_globales()
{
    Acq = AcqRecord{};
    mem_hrel = 0.0;
    Mesure = MesureRecord{};
    for (auto& d : Donnee) {
        std::fill(std::begin(d.releves), std::end(d.releves), 0.0);
        d.grandeur = 0;
        d.titre[0] = d.libelle[0] = '\0';
        d.num_fenetre = -1;
        d.trace = -1;
        d.coul = 0;
        d.maxi = d.mini = 0.0;
        d.indefini = 0;
    }
    for (auto& row : point)
        std::fill(std::begin(row), std::end(row), 0.0);
    std::fill(std::begin(ptx), std::end(ptx), 0);
    pas_x = 0;
    for (auto& i : Info)
        i = InfoRecord{};
    std::fill(std::begin(Fen_princ), std::end(Fen_princ), 0);
    for (int c = 1; c <= NB_GRANDEURS; ++c) {
        *grandeurs[c].derniere_valeur = 0.0;
        *grandeurs[c].selection = 0;
        *grandeurs[c].voie = 0;
    }
    MesureInrush = MesureTypeReseau = 0.0;
    std::fill(std::begin(memo_grandeur_indefinie), std::end(memo_grandeur_indefinie), 0);
    compteur_grandeur = 0;
    menu = nb_panel = 0;
    grafic = -1;
    langue = 0;
    std::fill(std::begin(color), std::end(color), 0);
    std::fill(std::begin(colo), std::end(colo), 0);
    std::fill(std::begin(rep), std::end(rep), 0);
    rep_ini[0] = '\0';
    comport = ModeEnCours_actuel = 0;
    PrecedTypeReseau = 0.0;
    flag_demande_lancer = flag_optique = flag_type_mesure = flag_overload = flag_indefinie = 0;
    val = valeur = 0.0;
    std::fill(std::begin(TableReception), std::end(TableReception), 0);
    s[0] = '\0';
    demande_exit = rep_suite = lien = 0;
    mem_text = 0;
    memx = memy = 0.0;
    for (auto& n : nom)
        n[0] = '\0';
    std::fill(std::begin(fichier_menu), std::end(fichier_menu), 0);
    for (int i = 0; i < NB_FENETRES; ++i)
        top[i] = left[i] = haut[i] = larg[i] = 0;
    gToolbar = 0;
    Excel = ExcelRecord{};
}
