#include "socle/ecran/dialogue.h"

#include "socle/ecran/ctrl_menu.h"

#include <set>

namespace {
// Dialogs shown by montrer_dialogue and not closed yet. Handles are never
// reused, so a stale entry cannot stand for another panel.
std::set<int>& montres()
{
    static std::set<int> m;
    return m;
}
} // namespace

bool est_panel(int panel, PanelKind kind)
{
    return panel > 0 && tk::panel_valide(panel) && tk::type_panel(panel) == kind;
}

int charger_dialogue(PanelKind kind, void (*traduire)())
{
    if (est_panel(Fen_princ[kind], kind))
        fermer_dialogue(Fen_princ[kind]);
    Fen_princ[kind] = 0;
    const int p = tk::LoadPanel(Fen_princ[PNL_PRINC], kind);
    if (p < 1)
        return p;
    Fen_princ[kind] = p;
    if (traduire)
        traduire();
    return p;
}

void montrer_dialogue(int panel)
{
    if (!tk::panel_valide(panel))
        return;
    montres().insert(panel);
    Ctrl_menu(1);
    tk::InstallPopup(panel);
}

void fermer_dialogue(int panel)
{
    if (!tk::panel_valide(panel))
        return;
    const PanelKind kind = tk::type_panel(panel);
    tk::RemovePopup(panel);
    tk::DiscardPanel(panel);
    if (Fen_princ[kind] == panel)
        Fen_princ[kind] = 0;
    if (montres().erase(panel))
        Ctrl_menu(0);
}

void relier_bouton(int panel, QAbstractButton* bouton, ControleCallback cb, int control)
{
    relier_signal(panel, bouton, &QAbstractButton::clicked, cb, control);
}
