// What the benchmark programs share: a program directory of their own,
// the scripted popups of the test doubles, the median of timings.
#pragma once

#include "acquisition/ligne.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "graph/panneaux.h"
#include "support/releves_ranges.h"
#include "app/startup.h"
#include "socle/platform.h"
#include "support/fake_platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

// Links the built panel file and toolbar images into `dossier`, which becomes
// the program directory. Its COM1 leads nowhere unless `port_com1` is false
// (a simulator then makes its own): no serial port of the machine is opened.
inline void preparer_repertoire(const QString& dossier, bool port_com1 = true)
{
    QDir bin(QCoreApplication::applicationDirPath());
    QDir d(dossier);
    QFile::link(bin.filePath("VOLTEXA.uir"), d.filePath("VOLTEXA.uir"));
    QFile::link(bin.filePath("toolbar"), d.filePath("toolbar"));
    if (port_com1) {
        d.mkdir("ports");
        QFile::link(d.filePath("ports/absent"), d.filePath("ports/COM1"));
    }
    fixer_repertoire_programme(dossier);
}

// Installs the scripted popups: nothing is shown and no run waits on a modal
// window. Questions get `reponse` (0: their Escape answer).
inline FakePopups* popups_scriptes(int reponse = 0)
{
    auto p = std::make_unique<FakePopups>();
    p->reponse_suivante = reponse;
    FakePopups* brut = p.get();
    plateforme().popups = std::move(p);
    return brut;
}

inline double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A two-channel recording of n readings (V and P, one a second), as an
// acquisition leaves it: channels, plot copies, x positions, listed lines.
inline void remplir_deux_voies(int n)
{
    Mesure.port = 1;
    Mesure.nb_voies = 2;
    Donnee[1].grandeur = 1;
    Donnee[2].grandeur = 5;
    copie_texte(Donnee[1].libelle, "V(V)");
    copie_texte(Donnee[2].libelle, "P(W)");
    liaison<PnlDonnees>(Info[0].panel).liste->clear();
    const QDateTime t0(QDate(2026, 3, 7), QTime(10, 0, 0));
    for (int j = 0; j < n; ++j) {
        const double v = 230.0 + (j % 50) * 0.1, p = 1000.0 + (j % 70);
        Donnee[1].releves[j] = v;
        Donnee[2].releves[j] = p;
        ptx[j] = j;
        const QDateTime t = t0.addSecs(j);
        ranger_essai(j, t.date(), t.time(), false, 1, 2, v, p);
    }
    Acq.nb_points = n;
}

// Starts the program in `dossier` with every question answered Yes; null,
// with a line naming `banc` on the error output, when start-up fails.
inline FakePopups* demarrer_banc(const QTemporaryDir& dossier, const char* banc)
{
    preparer_repertoire(dossier.path());
    FakePopups* popups = popups_scriptes(1);
    if (demarrage() != 0) {
        std::fprintf(stderr, "%s bench: start-up failed\n", banc);
        return nullptr;
    }
    return popups;
}
