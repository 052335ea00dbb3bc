// The Qt printer service: plain text and widgets drawn on a QPrinter, and a
// printed file that replaces the one chosen only once it is written whole.
#pragma once

#include "socle/platform.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

std::unique_ptr<Printer> imprimante_qt();

// The drawing behind the Qt printer service, on a printer already set up;
// false when the printer could not be started.
bool dessiner_texte(QPrinter& imprimante, const QString& texte);
// The widget under its caption (none when empty), the lines of `pied`
// under it.
bool dessiner_widget(QPrinter& imprimante, QWidget* w, const QString& legende = {}, const QString& pied = {});
// A job drawn by `dessiner` on a printer already set up. Printed to a file,
// the file takes the place of the one chosen only once it is written whole
// (a PDF checked to its end) and synced; otherwise echec_fichier and the
// chosen file as it was.
Printer::Resultat imprimer_sur(QPrinter& imprimante, const std::function<bool(QPrinter&)>& dessiner);
// A PDF file written to its end: its closing table is where its last lines say.
bool pdf_complet(const QString& chemin);
