// The Qt implementations of the ground's desktop services (socle/platform.h).
#pragma once

#include "socle/platform.h"

#include <QString>
#include <memory>

class QFileDialog;

// The file chooser behind Popups::fichier and Popups::dossier, built and not
// yet shown, over the active window. It is Qt's own dialog, never the
// desktop's: the desktop's speaks the desktop's language, this one the
// program's (Qt's catalogue in force). Save asks no overwrite question: the
// program asks its own.
enum class ChoixFichier { ouvrir, enregistrer, dossier };
std::unique_ptr<QFileDialog> dialogue_fichier(ChoixFichier genre, const QString& titre,
                                              const QString& dossier, const QString& filtre = {});

// Popups, beep, help viewer, clock and clipboard of the desktop.
Platform plateforme_qt();
