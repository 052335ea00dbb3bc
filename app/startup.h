// Start-up of the program.
#pragma once

// Everything start-up does before the event loop. Returns 0, or -1 when the
// panel resource file is missing (its message has then been shown and no
// other state touched).
int demarrage();
// The message shown when the panel resource file is missing.
extern const char* const MESSAGE_UIR_INTROUVABLE;
// The application's name, desktop entry, icon and style, once the
// QApplication exists.
void preparer_application();
// Creates the application, starts up and runs the event loop; the process's
// exit status.
int demarrer_voltexa(int argc, char* argv[]);
// Tears down what start-up built (tests, benchmarks).
void arreter_voltexa();
