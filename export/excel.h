// The spreadsheet panel: readying the export, writing the readings list to
// a workbook under a name the user chooses, and closing.
//
// States: idle (Launch, working directory and Browse active, Export dimmed)
// -> Launch -> ready (the reverse) -> Export -> busy (Export and Close dimmed,
// progress panel modal) -> ready; Close hides the panel and returns to idle.
#pragma once

#include "export/classeur.h"

enum ControleExcel { EXCEL_LANCER = 1, EXCEL_QUITTER, EXCEL_PARCOUR, EXCEL_EXPORTE };

// Connects the buttons of the panel loaded at start-up to their callbacks.
void preparer_excel(int panel);
// Edit > Export to EXCEL: relabels the panel, fills the working directory
// from the settings and the sheet name with "vtex", and shows it (not modal).
void ouvrir_excel();
// Relabels the panel (Fen_princ[PNL_EXCEL]) in the current language.
void Traduc_excel();

// Launch, Close and Browse; commit events only.
int Lancer_excel(int panel, int control, int event, void* data, int e1, int e2);
// Export: fills the workbook, asks for its name (and before replacing a
// file), writes it and shows it in the desktop's spreadsheet program.
int Exporter_excel(int panel, int control, int event, void* data, int e1, int e2);
// The transfer: the workbook of the readings list, built under the progress
// panel, held until the export ends.
void Exporter_memory();
// Ends the export session: a workbook still held (an export interrupted by
// quitting) is dropped with message 17; Excel.lance goes back to 0.
void Fermeture_Excel();
