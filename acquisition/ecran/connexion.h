// The connection dialog: the instrument's COM port.
#pragma once

// Loads the connection dialog into Fen_princ[PNL_CONNEXION], relabels it,
// lists the ports with what each resolves to, selects `comport`, locks the
// menu bar and shows it. Does not touch the port itself.
void ouvrir_connexion();
// Callback of the dialog's buttons; acts on the commit event only.
int Communicate(int panel, int control, int event, void* data, int e1, int e2);
enum ControleConnexion { CONNEXION_OK = 1, CONNEXION_ANNULER };
// Relabels the connection dialog in the current language.
void traduc_connexion();
