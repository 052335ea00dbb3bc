// The toolkit's own texts in the language in force: the file chooser, the
// print dialog, the standard buttons of the message boxes, the key names of
// the menus' shortcuts. They come from the system's Qt catalogues.
#pragma once

#include <QString>

// Puts the catalogue of `langue` (0..4, as the global) in force on the
// application in place of the one installed before. English has none (Qt's
// own texts are English); a language whose catalogue is not on the system
// leaves the toolkit in English. True when a catalogue is in force.
bool traduire_boite_a_outils(int langue);
// Where the catalogues are looked for.
QString dossier_traductions_qt();
