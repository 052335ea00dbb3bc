// The Setup menu's callback.
#pragma once

void Gestion_parametre(int menubar, int item, void* data, int panel);
