#include "lang/traductions_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <iterator>
#include <memory>

namespace {

// One per language, in the order of the text tables. The base module's
// catalogue covers the widgets, the print dialog and the key names; the
// "qt_" catalogue on top of it would also need every other module's to load.
const char* const catalogues[] = {"qtbase_fr", nullptr, "qtbase_de", "qtbase_es", "qtbase_it"};

QPointer<QTranslator>& en_vigueur()
{
    static QPointer<QTranslator> t;
    return t;
}

} // namespace

QString dossier_traductions_qt()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool traduire_boite_a_outils(int langue)
{
    QPointer<QTranslator>& t = en_vigueur();
    if (t) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || langue < 0 || langue >= int(std::size(catalogues)) || !catalogues[langue])
        return false;
    auto nouveau = std::make_unique<QTranslator>(app);
    if (!nouveau->load(QString::fromLatin1(catalogues[langue]), dossier_traductions_qt()))
        return false;
    QCoreApplication::installTranslator(nouveau.get());
    t = nouveau.release();
    return true;
}
