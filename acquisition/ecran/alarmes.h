// The OK buttons of the two notices a stored reading can raise (undefined
// values, out of limits).
#pragma once

int Annuler_Avis_Ov(int panel, int control, int event, void* data, int e1, int e2);
int Annuler_Avis_ind(int panel, int control, int event, void* data, int e1, int e2);
