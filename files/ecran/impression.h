// Printing: the active graph window through the system's print dialog, the
// Data window's readings through the print dialog panel.
#pragma once

// File > Print for the active window (error 4 without one).
void commande_imprimer();
// Callback of the print dialog panel's buttons.
int Print(int panel, int control, int event, void* data, int e1, int e2);
enum ControleImpression { IMPRESSION_IMPRIMER = 1, IMPRESSION_ANNULER };
void Traduc_print();
