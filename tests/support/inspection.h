// What the tests read of the program's state that the program itself never
// asks for, through the same handles the program uses.
#pragma once

#include <QString>

// Whether control `handle` (graph/legende.h) still exists.
bool controle_existe(int handle);
// The text of label control `handle`; empty for another kind or an unknown handle.
QString texte_controle(int handle);
