// The program as a person starts it, then an acquisition started without a
// person, for tests that run the program itself (the crash of an
// acquisition, screenshots of a live one):
//     voltexa-essai 1 5
// ticks the quantity codes given (here voltage and active power), then issues
// Run once the event loop runs.
#include "app/startup.h"
#include "acquisition/selection.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/ecran/toolkit.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    preparer_application();
    if (demarrage() < 0)
        return 1;
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty()) {
        for (const QString& a : arguments)
            for (const QString& code : a.split(u',', Qt::SkipEmptyParts))
                selectionner_case(code.toInt(), 1);
        flag_type_mesure = 1;
        ModeEnCours_actuel = 1;
        QTimer::singleShot(0, [] { tk::declencher(ITEM_LANCER); });
    }
    return QApplication::exec();
}
