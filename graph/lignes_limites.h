// User limits of a graph window: its limit lines, their beeps and the alarm
// dialog. The rules (levels, which reading beeps) are acquisition/limites'.
#pragma once
// Relabels the alarm dialog (Fen_princ[PNL_ALARME]) in the current language.
void Traduc_alarme();
// Opens the alarm dialog for the active graph window (error 4 without one,
// nothing for the Data window or while an acquisition runs).
void ouvrir_alarme();
int Alarmes(int panel, int control, int event, void* data, int e1, int e2);
enum ControleAlarme { ALARME_CASE_BAS = 1, ALARME_CASE_HAUT, ALARME_OK, ALARME_ANNULER };

// Draws window w's active limit lines, each replacing its previous line.
void tracer_limites(int w);
// Deletes window w's limit lines and sets its limit mode to none.
void effacer_limites(int w);
// At every tick, after channel curve of window w is drawn with newest value
// v: redraws the active lines and beeps for a reading beyond an active limit
// when the beep is on.
void limites_tick(int w, double v);
