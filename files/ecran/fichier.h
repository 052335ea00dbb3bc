// The File menu's callback and the acquisition commands Run, Pause and Stop.
#pragma once

void Gestion_fichier(int menubar, int item, void* data, int panel);

// File > New: unsaved readings get their save question
// (proposer_enregistrement), then the recording is cleared. False, and
// nothing cleared, when the user abandoned it.
bool commande_nouveau();
// Stop without Stop's own save question, for a caller that asks about the
// readings itself (quitting).
void arreter_sans_question();
