// The File menu's callback and the acquisition commands Run, Pause and Stop.
#pragma once

void Gestion_fichier(int menubar, int item, void* data, int panel);
