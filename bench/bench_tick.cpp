// Cost of one acquisition tick (read over the pty from the simulator,
// decode, store, list the line, redraw both channels' curves and paint) with
// 100, 10000 and 30000 readings already stored, with and without the
// acquisition journal (one run of ticks with the journal open throughout,
// then the same run from the same readings with it closed: opening and
// closing it between ticks would leave its disk work and its thread's start
// in the next tick's time), the journal's own append alone, and the
// resident memory with both channels full.
#include "acquisition/cycle.h"
#include "acquisition/selection.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/fichier.h"
#include "files/journal.h"
#include "acquisition/ligne.h"
#include "files/ecran/enregistrement.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include "socle/ecran/liste_releves.h"
#include "support/releves_ranges.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include "commun.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class HorlogeSansAttente : public Clock {
public:
    void attendre(double) override {}
};

double rss_mo()
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Puts n synthetic readings in both channels and the readings list.
void remplir(int n)
{
    liaison<PnlDonnees>(Info[0].panel).liste->clear();
    for (int j = 0; j < n; ++j) {
        double v = 230.0 + (j % 50) * 0.1, p = 1000.0 + (j % 70);
        Donnee[1].releves[j] = v;
        Donnee[2].releves[j] = p;
        ptx[j] = j;
        ranger_essai(j, QDate::currentDate(), QTime::currentTime(), false, 1, 2, v, p);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QTemporaryDir dossier;
    QDir bin(QCoreApplication::applicationDirPath());

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(bin.filePath("voltexa-sim"), {"--dir", dossier.path(), "--com", "1"});
    while (!sim.canReadLine() && sim.waitForReadyRead(10000)) {
    }
    if (!sim.canReadLine()) {
        std::fprintf(stderr, "tick bench: the simulator did not start\n");
        return 2;
    }
    preparer_repertoire(dossier.path(), false);
    popups_scriptes();
    plateforme().horloge = std::make_unique<HorlogeSansAttente>();
    if (demarrage() != 0 || Acq.port_ouvert != 1) {
        std::fprintf(stderr, "tick bench: start-up failed\n");
        return 2;
    }
    selectionner_case(1, 1);
    selectionner_case(5, 1);
    flag_type_mesure = 1;
    ModeEnCours_actuel = 1;
    Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
    activer_minuterie(false);
    QApplication::processEvents();

    const int mesures = 60;
    Acq.nb_max = 0;
    std::printf("one tick: read, decode, store, list, redraw both curves and paint\n");
    // Ticks follow one another as in an acquisition, ending with n readings stored.
    const char* seul = getenv("BENCH_SEUL");
    // Run opened the journal; it is closed for the ticks without it.
    if (!QFile::exists(chemin_journal())) {
        std::fprintf(stderr, "tick bench: Run opened no journal\n");
        return 2;
    }
    for (int n : {100, 10000, 30000}) {
        if (seul && n != atoi(seul))
            continue;
        // The ticks end with n readings stored; fewer than n start from none
        // (an index below 0 would be no reading at all).
        const int ticks = std::min(mesures + 5, n);
        const int debut = n - ticks;
        std::vector<double> avec, sans;
        for (const bool journal : {true, false}) {
            if (journal)
                journal_lancer();
            else
                journal_fermer();
            remplir(debut);
            Acq.nb_points = pas_x = debut;
            Acq.en_cours = 1;
            flag_demande_lancer = 1;
            for (int i = 0; i < ticks; ++i) {
                QElapsedTimer t;
                t.start();
                cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
                QApplication::processEvents();
                if (i >= 5)
                    (journal ? avec : sans).push_back(t.nsecsElapsed() / 1e6);
            }
        }
        journal_lancer();
        std::printf("  up to %5d readings stored: median %.2f ms with the journal, %.2f ms without, "
                    "slowest %.2f ms%s\n",
                    n, mediane(avec), mediane(sans), std::max(*std::max_element(avec.begin(), avec.end()),
                                                               *std::max_element(sans.begin(), sans.end())),
                    n == 30000 ? " (goal: 3 ms)" : "");
    }
    {
        // The journal's part of a tick: one line appended, as the feed does.
        Journal j;
        QTemporaryDir d;
        if (!j.ouvrir(d.filePath("acquisition.dat"), configuration_courante())) {
            std::fprintf(stderr, "tick bench: no journal in %s\n", qPrintable(d.path()));
            return 2;
        }
        const QString ligne = tete_ligne(30000, QDate::currentDate(), QTime::currentTime(), false, 0, 0, 0, 1) +
                              colonnes_ligne(2, 230.5, false, 1234.5, false);
        std::vector<double> us;
        for (int i = 0; i < 30000; ++i) {
            QElapsedTimer t;
            t.start();
            j.ajouter(ligne);
            us.push_back(t.nsecsElapsed() / 1e3);
        }
        j.synchroniser();
        std::vector<double> tries = us;
        std::sort(tries.begin(), tries.end());
        std::printf("journal: one reading appended: median %.1f us, 99th percentile %.1f us, slowest %.1f us "
                    "over 30000 (goal: 200 us above a tick without it)\n",
                    mediane(us), tries[tries.size() * 99 / 100], tries.back());
    }
    std::printf("resident memory, both channels full: %.1f MB (goal: 150 MB)\n", rss_mo());
    arreter_voltexa();
    sim.terminate();
    sim.waitForFinished(10000);
    return 0;
}
