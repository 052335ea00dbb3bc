#include "acquisition/ecran/alarmes.h"

#include "acquisition/ecran/panneaux.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"

namespace {

// Discards a notice once its OK is pressed; a second press finds the flag
// down and does nothing.
void fermer_avis(unsigned char& drapeau, PanelKind kind, int event)
{
    if (event != EVENT_COMMIT || drapeau != 1)
        return;
    drapeau = 0;
    tk::DiscardPanel(Fen_princ[kind]);
    Fen_princ[kind] = 0;
}

} // namespace

int Annuler_Avis_Ov(int, int, int event, void*, int, int)
{
    fermer_avis(flag_overload, PNL_OVERLOAD, event);
    return 0;
}

int Annuler_Avis_ind(int, int, int event, void*, int, int)
{
    fermer_avis(flag_indefinie, PNL_INDEFINI, event);
    return 0;
}
