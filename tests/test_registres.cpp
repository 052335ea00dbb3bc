// The integer-handle registries forget what was discarded: a closed graph
// window's handles are refused, and opening and closing windows all day
// leaves no entry behind.
#include "socle/globals.h"
#include "socle/ecran/toolkit.h"
#include "graph/curseurs.h"
#include "graph/defilement.h"
#include "graph/emplacements.h"
#include "graph/legende.h"
#include "graph/panneaux.h"
#include "graph/traces.h"
#include "support/fake_platform.h"
#include "support/inspection.h"

#include <QtTest>

#include <functional>

namespace {

// What one registry holds for the window w just opened, and whether it
// still accepts that handle.
using Valide = std::function<bool()>;
using Inscription = std::function<Valide(int w)>;

int courbe(int panel)
{
    const int x[] = {0, 1, 2};
    const double y[] = {1.0, 2.0, 3.0};
    return PlotXY(panel, x, y, 3, 0xFF0000);
}

void fermer_tout()
{
    fermer_graphes();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

Q_DECLARE_METATYPE(Inscription)

class TestRegistres : public QObject {
    Q_OBJECT

private slots:
    void handle_abandonne_refuse_data()
    {
        QTest::addColumn<Inscription>("inscrire");
        QTest::newRow("panel") << Inscription([](int w) -> Valide {
            const int p = Info[w].panel;
            return [p] { return tk::panel_valide(p); };
        });
        QTest::newRow("menu item") << Inscription([](int w) -> Valide {
            const int i = Info[w].item;
            return [i] { return tk::action(i) != nullptr; };
        });
        QTest::newRow("curve") << Inscription([](int w) -> Valide {
            const int h = courbe(Info[w].panel);
            return [h] { return trace_existe(h); };
        });
        QTest::newRow("text control") << Inscription([](int w) -> Valide {
            const int h = creer_texte(Info[w].panel, 4, 5);
            return [h] { return controle_existe(h); };
        });
        QTest::newRow("cursors") << Inscription([](int w) -> Valide {
            const int p = Info[w].panel;
            return [p] { return nb_curseurs(p) > 0; };
        });
        // A scroll bar left registered reached for a panel that is gone.
        QTest::newRow("scroll bar") << Inscription([](int w) -> Valide {
            const int p = Info[w].panel;
            return [p] { return ScrollBar_GetAttribute(p, SB_MAXIMUM) == 30000; };
        });
        QTest::newRow("binding") << Inscription([](int w) -> Valide {
            const int p = Info[w].panel;
            liaison<PnlGraphe>(p);
            return [p] {
                try {
                    return liaison<PnlGraphe>(p).graphe != nullptr;
                } catch (const ErreurLiaison&) {
                    return false;
                }
            };
        });
    }

    void handle_abandonne_refuse()
    {
        QFETCH(Inscription, inscrire);
        SessionTest s;
        fermer_tout();
        const int w = Ouvrir_graphe() - 1;
        const Valide valide = inscrire(w);
        QVERIFY(valide());
        fermer_tout();
        QVERIFY(!valide());
    }

    void mille_ouvertures_sans_croissance()
    {
        SessionTest s;
        auto cycle = [] {
            const int w = Ouvrir_graphe() - 1;
            courbe(Info[w].panel);
            creer_texte(Info[w].panel, 4, 5);
            liaison<PnlGraphe>(Info[w].panel);
            ScrollBar_SetAttribute(Info[w].panel, SB_VALEUR, 10);
            fermer_tout();
        };
        fermer_tout();
        cycle(); // every registry has met its first window
        const std::size_t avant = tk::entrees_registres();
        for (int i = 0; i < 1000; ++i)
            cycle();
        QCOMPARE(tk::entrees_registres(), avant);
    }
};

QTEST_MAIN(TestRegistres)
#include "test_registres.moc"
