// Quitting: settings written, acquisition stopped, confirmation.
#pragma once

// The quit command (File > Exit); acts on the commit event only.
int sortir(int panel, int control, int event, void* data, int e1, int e2);
