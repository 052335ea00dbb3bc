// What the benchmark programs share: a program directory of their own,
// popups that show nothing and a fixed answer, the median of timings.
#pragma once

#include "app/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

// Links the built panel file and toolbar images into `dossier`, which becomes
// the program directory.
inline void preparer_repertoire(const QTemporaryDir& dossier)
{
    QDir bin(QCoreApplication::applicationDirPath());
    QFile::link(bin.filePath("VOLTEXA.uir"), dossier.filePath("VOLTEXA.uir"));
    QFile::link(bin.filePath("toolbar"), dossier.filePath("toolbar"));
    fixer_repertoire_programme(dossier.path());
}

// Messages go to the error output; every question gets `reponse` (0: its
// Escape answer); every file choice gets `chemin`.
class PopupsMuets : public Popups {
public:
    int reponse = 0;
    QString chemin;
    void message(const QString&, const QString& t) override { std::fprintf(stderr, "message: %s", qPrintable(t)); }
    int question(const QString&, const QString&, const QStringList&, int, int echap) override
    {
        return reponse ? reponse : echap;
    }
    std::optional<QString> texte(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> fichier(const QString&, const QString&, const QString&, bool) override
    {
        if (chemin.isEmpty())
            return {};
        return chemin;
    }
    std::optional<QString> dossier(const QString&, const QString&) override { return {}; }
    void curseur_attente(bool) override {}
};

inline double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
