#include "app/panels_dialogues.h"

bool verifier_liaison_dialogue(PanelKind, QWidget* racine)
{
    PnlSimple::lier(racine);
    return true;
}
