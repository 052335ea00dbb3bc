// Edit > Export to CSV: the readings in hand written in the layout of
// files/format_csv.h.
#pragma once

#include "files/format_csv.h"

#include <QString>

// The file name proposed for the readings in hand: the recording's data-file
// name (empty when not saved yet: "vtex") with ".csv", in `dossier` when
// one is given.
QString nom_csv_propose(const QString& dossier, const QString& enregistrement);

// The chosen path, with ".csv" appended unless it already ends with it
// (letter case ignored); a device or a folder chosen stays as it is.
QString completer_nom_csv(const QString& chemin);

// Edit > Export to CSV: asks for the file (the working directory, the
// recording's name), before replacing one, and writes it whole or not at
// all; a failure shows the file-writing error.
void exporter_csv();
