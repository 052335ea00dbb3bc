// The Edit menu: the spreadsheet export, linked cursors, the Min and Max
// labels and three free texts placed in the active graph, the copy of a
// window to the clipboard and the renaming of a window; the insert-text
// dialog in which a placed text is edited and nudged.
#pragma once

#include "socle/globals.h"

class QFont;

// Slots of InfoRecord::texte.
enum SlotTexte { TEXTE_MIN = 0, TEXTE_MAX = 1, TEXTE_LIBRE_1 = 2 };
// A window's new title is at most this long.
constexpr int LONG_TITRE_FENETRE = 100;

// The first occurrence of the largest and of the smallest of t[0 .. n-1];
// values that are not numbers are passed over. Both indices are -1 when
// there is no number.
void MaxMin1D(const double* t, int n, double& maxi, int& i_max, double& mini, int& i_min);

// Where a placed text goes when nudged one step along an axis showing
// [mini, maxi]: `sens` +1 towards maxi (up, right), -1 towards mini. It moves
// by `pas` of the span unless it lies within `marge` of the span from the
// edge it moves to.
double pousser_texte(double pos, double mini, double maxi, int sens, double marge, double pas);
// Steps and margins of the move buttons, as fractions of the axis span.
constexpr double MARGE_TEXTE_Y = 0.05, PAS_TEXTE_Y = 0.1;
constexpr double MARGE_TEXTE_X = 0.01, PAS_TEXTE_X = 0.02;

// The font of the placed texts.
QFont police_textes();

// Edit-menu callback (ITEM_EXPORTER .. ITEM_EXPORTER_CSV).
void Gestion_edition(int menubar, int item, void* data, int panel);

// Relabels the insert-text dialog (Fen_princ[PNL_TEXTE]) in the current language.
void Traduc_inserertexte();
// Callback of the insert-text dialog's controls.
int Minmax(int panel, int control, int event, void* data, int e1, int e2);
enum ControleTexte { TEXTE_CHAMP = 1, TEXTE_OK, TEXTE_QUITTER, TEXTE_HAUT, TEXTE_BAS, TEXTE_DROITE, TEXTE_GAUCHE };

// Takes every text placed in window w out of its graph (window closed,
// recording cleared).
void retirer_textes(int w);
