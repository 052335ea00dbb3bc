// The legend strip on the left of a graph window's plot: its frame, the
// read-outs of cursor 1 and, with the delta cursors, the two delta frames
// and their six read-outs. Controls are named by whole-number handles, 0
// for none.
#pragma once

#include <QString>

constexpr int LARGEUR_LEGENDE = 90;

// A box decoration and a fixed-pitch text message in the panel's contents.
int creer_cadre(int panel, int top, int left, int height, int width);
int creer_texte(int panel, int top, int left);
// Discards a control; nothing for 0 or an unknown handle.
void detruire_controle(int handle);
bool controle_existe(int handle);
void ecrire_texte(int handle, const QString& texte);
QString texte_controle(int handle);

// The active window's plot shifted right by Info.legende and, when it is at
// least 91 pixels wide, narrowed by 90.
void Affiche_legende();
// The delta frames and read-outs in the active window's legend strip.
void Affiche_delta();
// Discards them.
void Retire_delta();
// The same for window w.
void retirer_delta(int w);
