#pragma once

#include <QString>

// Gives every channel in use its graph window, titles the windows, their
// Window-menu items and the readings list's heading, then clears the recording.
void Maj_connexion();
// "Channel 1 : V(V)" in the current language, from Donnee[voie].titre.
QString titre_voie(int voie);
