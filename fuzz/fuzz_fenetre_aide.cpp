// The help window on any help file and any search text: the file is loaded,
// cut into sections and shown, the search lists its sections, and each of the
// first ones listed is gone to, then Back, Forward and Contents are pressed.
// Every section listed must lead to an anchor the file defines.
//
// Input: the search text up to the first line end, then the help file (as
// for fuzz_aide).
#include "socle/globals.h"
#include "socle/help_search.h"
#include "socle/ecran/help_viewer.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir* dossier = nullptr;
QtHelpViewer* aide = nullptr;

template <typename T>
T* element(const char* nom)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("fenetre_aide"))
            return w->findChild<T*>(QLatin1String(nom));
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    dossier = new QTemporaryDir;
    aide = new QtHelpViewer;
    langue = 1;
    // The window made and its fonts loaded once, outside any input.
    const QString essai = dossier->filePath(QStringLiteral("essai.hlp"));
    QFile f(essai);
    if (f.open(QIODevice::WriteOnly))
        f.write("<h1 id=\"contents\">a</h1><h2 id=\"b\">B <i>c</i> <b>d</b></h2><p>e</p>");
    f.close();
    aide->recherche(essai, QStringLiteral("b"));
    aide->sommaire(essai);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray entree(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype fin = entree.indexOf('\n');
    const QString mot = QString::fromUtf8(fin < 0 ? entree : entree.left(fin));
    const QByteArray html = fin < 0 ? QByteArray() : entree.mid(fin + 1);

    const QString chemin = dossier->filePath(QStringLiteral("voltexa.hlp"));
    {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(html) != html.size())
            std::abort();
    }
    aide->recherche(chemin, mot);

    auto* liste = element<QListWidget>("aide_rubriques");
    auto* texte = element<QTextBrowser>("aide_texte");
    auto* champ = element<QLineEdit>("aide_recherche");
    if (!liste || !texte || !champ)
        std::abort();
    if (champ->text() != mot)
        std::abort();

    const QStringList a = ancres_aide(QString::fromUtf8(html));
    const QSet<QString> ancres(a.begin(), a.end());
    for (int i = 0; i < liste->count(); ++i) {
        QListWidgetItem* item = liste->item(i);
        if (!(item->flags() & Qt::ItemIsEnabled))
            continue;
        const QString ancre = item->data(Qt::UserRole).toString();
        if (!ancres.contains(ancre)) {
            std::fprintf(stderr, "listed section leads to no anchor: \"%s\"\n", qPrintable(ancre));
            std::abort();
        }
        if (i < 3)
            emit liste->itemActivated(item);
    }
    for (const char* bouton : {"aide_precedent", "aide_suivant", "aide_sommaire"})
        if (auto* b = element<QToolButton>(bouton); b && b->isEnabled())
            b->click();
    // The index of every section, then the file shown at its contents.
    champ->clear();
    aide->sommaire(chemin);
    return 0;
}
