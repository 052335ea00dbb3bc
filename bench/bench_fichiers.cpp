// Saving and opening a two-channel recording of 30000 readings: Save writes
// the data and configuration files; Open reads them, fills the readings
// list, rebuilds the windows, draws both curves and zooms out, up to the
// painted windows.
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/platform.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "acquisition/ligne.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include "commun.h"

#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QTemporaryDir dossier;
    FakePopups* popups = demarrer_banc(dossier, "file");
    if (!popups)
        return 2;
    QApplication::processEvents();

    const int n = NB_RELEVES_MAX, essais = 7;
    const QString chemin = dossier.filePath("mesure1.dat");
    popups->saisie_suivante = chemin;
    std::vector<double> ecriture, lecture;
    for (int i = 0; i < essais; ++i) {
        remplir_deux_voies(n);
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        ecriture.push_back(t.nsecsElapsed() / 1e6);

        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QApplication::processEvents();
        t.restart();
        Ouverture_fichier(chemin);
        QApplication::processEvents();
        lecture.push_back(t.nsecsElapsed() / 1e6);
        if (Acq.nb_points != n) {
            std::fprintf(stderr, "file bench: %d readings read back instead of %d\n", Acq.nb_points, n);
            return 1;
        }
    }
    const auto taille = [&](const char* nom) { return QFileInfo(dossier.filePath(nom)).size() / 1024.0; };
    std::printf("two channels, %d readings (data file %.0f KB, configuration file %.0f KB), %d runs\n", n,
                taille("mesure1.dat"), taille("mesure1.cfg"), essais);
    std::printf("  save: median %6.1f ms, slowest %6.1f ms (goal: 150 ms)\n", mediane(ecriture),
                *std::max_element(ecriture.begin(), ecriture.end()));
    std::printf("  open: median %6.1f ms, slowest %6.1f ms (goal: 150 ms; list, windows, curves, paint)\n",
                mediane(lecture), *std::max_element(lecture.begin(), lecture.end()));
    arreter_voltexa();
    return 0;
}
