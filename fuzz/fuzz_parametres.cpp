// The settings file read over the defaults, written back as the quit command
// writes it and read again: the second file is the same as the first.
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
    if (!lire_parametres(entree, enregistrer))
        return 0;
    const QByteArray ecrit = texte_parametres();

    valeur_par_defaut();
    enregistrer = 0;
    if (!lire_parametres(ecrit, enregistrer) || enregistrer != 1)
        std::abort(); // written, and refused on reading
    const QByteArray relu = texte_parametres();
    if (relu != ecrit) {
        std::fprintf(stderr, "written:\n%s\nwritten again:\n%s\n", ecrit.constData(), relu.constData());
        std::abort();
    }
    return 0;
}
