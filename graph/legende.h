// The legend strip on the left of a graph window's plot: its frame, the
// read-outs of cursor 1 and, with the delta cursors, the two delta frames
// and their six read-outs. Controls are named by whole-number handles, 0
// for none.
#pragma once

#include <QFont>
#include <QString>

// Narrowest legend strip; it grows with the read-out font (largeur_legende).
constexpr int LARGEUR_LEGENDE = 90;

// Font of the read-outs: fixed pitch, so that the columns stay put while a
// cursor moves, and no smaller than the readings list's.
QFont police_lecture();
// Width of the legend strip, the one source for the room the graph gives
// way to, the frames and the read-outs: the widest read-out whole in the
// read-out font, and never below LARGEUR_LEGENDE.
int largeur_legende();
// Distance between the tops of two read-out lines (14 at the smallest).
int pas_lecture();

// A box decoration and a fixed-pitch text message in the panel's contents;
// the text takes the legend's width and one read-out line.
int creer_cadre(int panel, int top, int left, int height, int width);
int creer_texte(int panel, int top, int left);
// The legend frame of cursor 1 in window w's panel, and its two read-outs
// when they do not exist yet.
void creer_lectures_curseur1(int w);
// Discards a control; nothing for 0 or an unknown handle.
void detruire_controle(int handle);
void ecrire_texte(int handle, const QString& texte);
// The widget of a control, null for 0 or an unknown handle.
QWidget* widget_controle(int handle);

// The active window's plot shifted right by Info.legende and, when it is
// wider than that, narrowed by it.
void Affiche_legende();
// The delta frames and read-outs in the active window's legend strip.
void Affiche_delta();
// Discards them.
void Retire_delta();
// The same for window w.
void retirer_delta(int w);
