// Time from the start of the process to the main window shown on screen,
// leaving out the splash panel's fixed one-second wait. One measurement per
// run; bench/demarrage.sh runs it several times and prints the figures.
//
//   bench_demarrage          a first start: a new program directory without
//                            settings file (the program writes one)
//   bench_demarrage DIR      a start in DIR, whose settings file is read
#include "socle/globals.h"
#include "socle/platform.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"

#include "commun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {
// Counts the splash wait instead of spending it.
class HorlogeSansAttente : public Clock {
public:
    void attendre(double) override {}
};
} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer chrono;
    chrono.start();
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QTemporaryDir temporaire;
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporaire.path();
    if (!QFileInfo(dossier).isDir()) {
        std::fprintf(stderr, "start-up bench: %s is not a folder\n", qPrintable(dossier));
        return 2;
    }
    preparer_repertoire(dossier);
    popups_scriptes();
    plateforme().horloge = std::make_unique<HorlogeSansAttente>();
    if (demarrage() < 0)
        return 1;
    QWidget* principal = tk::fenetre(Fen_princ[PNL_PRINC]);
    while (!principal->windowHandle() || !principal->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    principal->repaint();
    QApplication::processEvents();
    std::printf("%.1f\n", chrono.nsecsElapsed() / 1e6);
    arreter_voltexa();
    return 0;
}
