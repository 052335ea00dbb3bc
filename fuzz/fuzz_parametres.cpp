// The settings file read over the defaults (its good lines, the defaults for
// the others), written back as the quit command writes it and read again:
// every line of what was written reads, and the second file is the same as
// the first.
#include "app/config.h"
#include "socle/platform.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The window placement is checked against the screens.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    fixer_repertoire_programme(QDir::tempPath());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray entree(reinterpret_cast<const char*>(data), qsizetype(size));
    int enregistrer = 1;
    valeur_par_defaut();
    // Whatever the file held, good lines and defaults for the rest.
    lire_parametres(entree, enregistrer);
    const QByteArray ecrit = texte_parametres();

    valeur_par_defaut();
    enregistrer = 0;
    const QList<int> abimees = lire_parametres(ecrit, enregistrer);
    if (!abimees.isEmpty() || enregistrer != 1) {
        std::fprintf(stderr, "written, and lines %s refused on reading:\n%s\n",
                     QByteArray::number(abimees.value(0)).constData(), ecrit.constData());
        std::abort();
    }
    const QByteArray relu = texte_parametres();
    if (relu != ecrit) {
        std::fprintf(stderr, "written:\n%s\nwritten again:\n%s\n", ecrit.constData(), relu.constData());
        std::abort();
    }
    return 0;
}
