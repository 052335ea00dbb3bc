// The words of a port that cannot be used: which device COM n was and why.
#pragma once

#include "link/diagnostic.h"

#include <QString>

// In the current language, one line naming the device tried ("Device tried:
// COM1 → …/ports/COM1 → /dev/ttyUSB0"), then one saying why it failed, when
// it did. Empty when no port was tried.
QString texte_diagnostic_port(const DiagnosticPort& d);
