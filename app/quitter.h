// Quitting: settings written, acquisition stopped, confirmation.
#pragma once

// The quit command (File > Exit); acts on the commit event only. Writes the
// settings, stops a running acquisition, offers to save unsaved readings
// (Cancel there, or a save that does not happen, abandons the quit), then
// asks for confirmation; Yes ends the event loop. Every attempt writes the
// settings, whatever the answer.
int sortir(int panel, int control, int event, void* data, int e1, int e2);

// Ends the event loop with `code`: QCoreApplication::exit, unless another
// end was installed (nullptr puts that one back).
void fin_boucle_evenements(int code);
using FinBoucle = void (*)(int code);
void installer_fin_boucle(FinBoucle fin);
