// Typed bindings of the dialog and notice panels.
#pragma once

#include "app/panels.h"

// Binds a dialog or notice panel of `kind`; false when `kind` is not one of them.
bool verifier_liaison_dialogue(PanelKind kind, QWidget* racine);
