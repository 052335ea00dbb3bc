// Settings: their defaults and how they are applied at start-up.
#pragma once

// Sets every setting to its default (all but the save-on-exit check mark).
void valeur_par_defaut();
// Loads the settings at start-up and applies them to the main window, the
// File menu, the language, the Setup check marks, the timer and the channels.
void charge_config();
// Applies the loaded settings (window placement, check marks, language,
// timer interval, channel colours); `enregistrer_en_quittant` is the
// save-on-exit flag.
void appliquer_config(int enregistrer_en_quittant);
// Interval of the acquisition timer for a reading period (0 = half a second).
double intervalle_periode(int periode);
