// The window records (Info, grafic, nb_panel) are written in graph/ only;
// the other folders read them and change them through these operations.
#pragma once

// Start-up: the Data window `panel` in slot 0 with its Window-menu item;
// no graph window yet (nb_panel 1) and no text placed on any.
void inscrire_fenetre_donnees(int panel, int item);
// Window w becomes the one the Display and Edit commands act on (grafic).
void rendre_active(int w);
// Window w's Y scale follows its curve again (a manual scale dropped).
void echelle_y_automatique(int w);
// Window w's limits as a recording's configuration holds them: `limite` a
// ModeLimite, the beep only with a limit, each threshold kept only for a
// mode that uses it. The lines are not drawn.
void fixer_limites(int w, int limite, int alarme, double seuil_bas, double seuil_haut);
// Window w has no limit; its limit lines are already gone with its plots
// or its panel, so only their handles are forgotten.
void abandonner_limites(int w);
// The limit lines of window w went with all its plots; the limits stay.
void oublier_lignes_limites(int w);
