// Modal dialogs, opened and closed one way for every kind: a dialog of kind
// K is loaded from its form into Fen_princ[K] and relabelled in the current
// language, then shown modally with the menu bar locked; closing it removes
// and discards the panel, frees the slot and gives back the menus it locked.
// Its buttons reach the dialog's named callback with their control number.
#pragma once

#include "socle/globals.h"
#include "socle/ecran/toolkit.h"

#include <QAbstractButton>
#include <QObject>

// A dialog control's callback, as the named callbacks of the dialogs take it.
using ControleCallback = int (*)(int panel, int control, int event, void* data, int e1, int e2);

// True when `panel` is a loaded panel of kind `kind`.
bool est_panel(int panel, PanelKind kind);

// Loads a dialog of `kind` into Fen_princ[kind], closing first one of that
// kind still open, and relabels it with `traduire` (which reads
// Fen_princ[kind]). The dialog is not shown yet: the caller fills it, then
// calls montrer_dialogue. Returns the panel, or a value below 1 when the
// form cannot be loaded.
int charger_dialogue(PanelKind kind, void (*traduire)() = nullptr);
// Locks the menu bar and shows a loaded dialog modally.
void montrer_dialogue(int panel);
// Removes the dialog, discards it and frees its Fen_princ slot; the menu
// bar is unlocked when the dialog had been shown (a dialog loaded and never
// shown leaves the menus as they are: an acquisition keeps them locked).
// Does nothing for a panel that is not loaded.
void fermer_dialogue(int panel);

// `cb`(panel, control, EVENT_COMMIT) at each click of `bouton`. Escape and
// the close box of a dialog reach its dismissing button through the form.
void relier_bouton(int panel, QAbstractButton* bouton, ControleCallback cb, int control);
// `cb`(panel, control, EVENT_COMMIT) at each emission of `signal`.
template <class Emetteur, class Signal>
void relier_signal(int panel, Emetteur* emetteur, Signal signal, ControleCallback cb, int control)
{
    QObject::connect(emetteur, signal, emetteur, [=] { cb(panel, control, EVENT_COMMIT, nullptr, 0, 0); });
}
