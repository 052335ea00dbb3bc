// Cost of one step of cursor 1 dragged across a 30000-reading curve (snap to
// the nearest reading, read-outs in the legend, the readings list's
// selection, repaint) and of one zoom step, on a two-channel recording
// opened from its files.
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "graph/affichage.h"
#include "graph/curseurs.h"
#include "graph/valeurs_curseurs.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "app/startup.h"
#include "acquisition/ligne.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include "commun.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QTemporaryDir dossier;
    FakePopups* popups = demarrer_banc(dossier, "cursor");
    if (!popups)
        return 2;
    const int n = NB_RELEVES_MAX;
    const QString chemin = dossier.filePath("mesure1.dat");
    popups->saisie_suivante = chemin;
    remplir_deux_voies(n);
    Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
    Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
    Ouverture_fichier(chemin);
    if (Acq.nb_points != n) {
        std::fprintf(stderr, "cursor bench: %d readings read back instead of %d\n", Acq.nb_points, n);
        return 1;
    }
    tk::activer(Info[1].panel);
    lien = 1;
    Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
    QApplication::processEvents();

    // Dragged across the whole curve in 500 steps, both windows' cursors
    // following (linked), each step painted.
    const int p = Info[1].panel;
    QCustomPlot* g = liaison<PnlGraphe>(p).graphe;
    std::vector<double> pas;
    for (int i = 0; i < 500; ++i) {
        QElapsedTimer t;
        t.start();
        glisser_curseur1(p, i * (n / 500.0) + 0.3);
        g->replot(QCustomPlot::rpImmediateRefresh);
        QApplication::processEvents();
        pas.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("cursor 1 across %d readings, linked, legend shown, %zu steps\n", n, pas.size());
    std::printf("  one step: median %.2f ms, slowest %.2f ms (goal: 5 ms)\n", mediane(pas),
                *std::max_element(pas.begin(), pas.end()));

    // The same with the delta cursors on at both ends: the statistics block
    // of all 30000 readings recomputed at each step; then cursor 3 dragged
    // back across them, the span shrinking at each step.
    Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
    fixer_position_curseur(p, 2, 0.0, 0.0);
    fixer_position_curseur(p, 3, n - 1.0, 0.0);
    QApplication::processEvents();
    std::vector<double> pas_stats;
    for (int i = 0; i < 500; ++i) {
        QElapsedTimer t;
        t.start();
        glisser_curseur1(p, i * (n / 500.0) + 0.3);
        g->replot(QCustomPlot::rpImmediateRefresh);
        QApplication::processEvents();
        pas_stats.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("  with the delta cursors and the statistics of %d readings: median %.2f ms, slowest %.2f ms "
                "(goal: 5 ms)\n",
                n, mediane(pas_stats), *std::max_element(pas_stats.begin(), pas_stats.end()));
    std::vector<double> pas_delta;
    for (int i = 0; i < 500; ++i) {
        QElapsedTimer t;
        t.start();
        fixer_position_curseur(p, 3, n - 1.0 - i * (n / 500.0), 0.0);
        ValCurseur(p, 0, EVENT_COMMIT, nullptr, 0, 0);
        g->replot(QCustomPlot::rpImmediateRefresh);
        QApplication::processEvents();
        pas_delta.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("  cursor 3 dragged, statistics recomputed: median %.2f ms, slowest %.2f ms (goal: 5 ms)\n",
                mediane(pas_delta), *std::max_element(pas_delta.begin(), pas_delta.end()));
    Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);

    std::vector<double> zooms;
    for (int r = 0; r < 5; ++r)
        for (int item : {ITEM_ZOOMPLUS, ITEM_ZOOMMOINS}) {
            for (int i = 0; i < 10; ++i) {
                QElapsedTimer t;
                t.start();
                Gestion_affichage(menu, item, nullptr, 0);
                g->replot(QCustomPlot::rpImmediateRefresh);
                QApplication::processEvents();
                zooms.push_back(t.nsecsElapsed() / 1e6);
            }
        }
    std::printf("  one zoom step (axis, labels, read-outs, paint): median %.2f ms, slowest %.2f ms (goal: 20 ms)\n",
                mediane(zooms), *std::max_element(zooms.begin(), zooms.end()));
    arreter_voltexa();
    return 0;
}
