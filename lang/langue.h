// Language switching, numbered error messages, the Options and Help menus.
#pragma once

#include <QString>

// Relabels the menu bar, rebuilds the toolbar, the readings-list heading and
// the channel windows' titles in the current language, then clears the
// recording (File > New).
void Changement_langue(int menubar);
// Heading of the readings list for the channels in use, in the current
// language: " N°   Date       Time     " then one piece of exactly
// LARGEUR_PIECE_ENTETE characters per channel, " CH1: V(V)   " cut or padded.
// The printed heading starts "   N°    Date     Time     " instead.
enum class Entete { liste, imprimee };
constexpr int LARGEUR_PIECE_ENTETE = 15;
QString entete_releves(Entete genre = Entete::liste);
// Relabels the about panel.
void Traduc_pres();

// Shows error message `code` (0..33) in the current language.
void Popup_erreur(int code);

// Options menu: language items and Save settings on exit.
void Gestion_options(int menubar, int item, void* data, int panel);
// Help menu: Contents, Search for help on, About.
void Gestion_aide(int menubar, int item, void* data, int panel);
// Close button of the about panel.
int Quitter_aide(int panel, int control, int event, void* data, int e1, int e2);

// Help files in the program directory.
QString fichier_aide();
QString fichier_aide_langue(int langue);
