// Time from the start of the process to the main window shown on screen,
// leaving out the splash panel's fixed one-second wait. One measurement per
// run; bench/demarrage.sh runs it several times and prints the figures.
#include "app/globals.h"
#include "app/platform.h"
#include "app/startup.h"
#include "app/toolkit.h"

#include <QApplication>
#include <QElapsedTimer>
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
    plateforme().horloge = std::make_unique<HorlogeSansAttente>();
    if (demarrage() < 0)
        return 1;
    QWidget* principal = tk::fenetre(Fen_princ[PNL_PRINC]);
    while (!principal->windowHandle() || !principal->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    principal->repaint();
    QApplication::processEvents();
    std::printf("%.1f\n", chrono.nsecsElapsed() / 1e6);
    return 0;
}
