// What the benchmark programs share: a program directory of their own,
// the scripted popups of the test doubles, the median of timings.
#pragma once

#include "socle/platform.h"
#include "support/fake_platform.h"

#include <QCoreApplication>
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
