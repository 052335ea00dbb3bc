// Quitting: settings written, acquisition stopped, confirmation.
#pragma once

// The quit command (File > Exit); acts on the commit event only. Writes the
// settings, stops a running acquisition, offers to save unsaved readings
// (Cancel there, or a save that does not happen, abandons the quit), then
// asks for confirmation; Yes ends the event loop. Every attempt writes the
// settings, whatever the answer.
int sortir(int panel, int control, int event, void* data, int e1, int e2);

// Ends the event loop with `code`. Counts the requests: without a running
// event loop (tests) the request is otherwise invisible.
void fin_boucle_evenements(int code);
int nb_fins_demandees();
