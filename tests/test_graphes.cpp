// Graph-window slots, their scroll bars and plots.
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/emplacements.h"
#include "graph/defilement.h"
#include "graph/traces.h"
#include "support/inspection.h"
#include "support/fake_platform.h"

#include <QMenu>
#include <QScrollBar>
#include <QtTest>
#include <qcustomplot.h>

class TestGraphes : public QObject {
    Q_OBJECT

private slots:
    void ouvrir_et_fermer()
    {
        SessionTest s;
        fermer_graphes(); // start from the Data window alone
        langue = 1;
        QCOMPARE(Ouvrir_graphe(), 2);
        QCOMPARE(Ouvrir_graphe(), 3);
        QCOMPARE(nb_panel, 3);
        QCOMPARE(tk::geometrie(Info[1].panel).top, 90);
        QCOMPARE(tk::geometrie(Info[1].panel).left, 25);
        QCOMPARE(tk::geometrie(Info[2].panel).top, 110);
        QCOMPARE(tk::geometrie(Info[2].panel).left, 45);
        QVERIFY(!tk::fenetre(Info[1].panel)->isVisible());
        QCOMPARE(QString(Info[2].texte[0]), QString("Min"));
        QCOMPARE(QString(Info[2].texte[1]), QString("Max"));
        QCOMPARE(QString(Info[2].texte[4]), QString("text"));
        QCOMPARE(Info[2].zoom_index, 7);
        QCOMPARE(Info[2].zoom, 1.0);
        QMenu* m = tk::sous_menu(BARRE_FENETRE);
        QCOMPARE(m->actions().last(), tk::action(Info[2].item));
        QCOMPARE(ScrollBar_GetAttribute(Info[1].panel, SB_MAXIMUM), 30000);
        QCOMPARE(ScrollBar_GetAttribute(Info[1].panel, SB_TAILLE_VUE), 150);
        QCOMPARE(ScrollBar_GetAttribute(Info[1].panel, SB_HAUTEUR), 16);

        int p1 = Info[1].panel, p2 = Info[2].panel;
        Info[1].texte_place[0] = 1;
        fermer_graphes();
        QCOMPARE(nb_panel, 1);
        QVERIFY(!tk::panel_valide(p1));
        QVERIFY(!tk::panel_valide(p2));
        QCOMPARE(Info[1].texte_place[0], 0);
        QCOMPARE(m->actions().last(), tk::action(Info[0].item));
        QCOMPARE(grafic, 0);
        QVERIFY(tk::panel_valide(Info[0].panel));

        // Slots fill again from the first graph slot.
        Ouvrir_graphe();
        QCOMPARE(tk::geometrie(Info[1].panel).top, 90);
    }

    void barre_de_defilement()
    {
        SessionTest s;
        fermer_graphes(); // start from the Data window alone
        Ouvrir_graphe();
        int p = Info[1].panel;
        // Minimum must stay below the maximum and the maximum above the minimum.
        QCOMPARE(ScrollBar_SetAttribute(p, SB_MAXIMUM, 0), -1);
        QCOMPARE(ScrollBar_GetAttribute(p, SB_MAXIMUM), 30000);
        QCOMPARE(ScrollBar_SetAttribute(p, SB_MINIMUM, 30000), -1);
        QCOMPARE(ScrollBar_SetAttribute(p, SB_MAXIMUM, 29850), 0);
        // The value is kept within the range.
        ScrollBar_SetAttribute(p, SB_VALEUR, 40000);
        QCOMPARE(ScrollBar_GetAttribute(p, SB_VALEUR), 29850);
        ScrollBar_SetAttribute(p, SB_VALEUR, -3);
        QCOMPARE(ScrollBar_GetAttribute(p, SB_VALEUR), 0);
        QScrollBar* b = liaison<PnlGraphe>(p).defilement;
        QCOMPARE(b->pageStep(), 150);
    }

    void etiquettes_du_temps()
    {
        SessionTest s;
        fermer_graphes(); // start from the Data window alone
        Acq.periode = 1;
        Ouvrir_graphe();
        int p = Info[1].panel;
        QCustomPlot* g = liaison<PnlGraphe>(p).graphe;
        QCOMPARE(g->xAxis->range().lower, 0.0);
        QCOMPARE(g->xAxis->range().upper, 150.0);
        auto ticker = g->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
        QVERIFY(ticker);
        QMap<double, QString> attendu{{0, "0:00:00"}, {37, "0:00:37"}, {75, "0:01:15"}, {112, "0:01:52"},
                                      {150, "0:02:30"}};
        QCOMPARE(ticker->ticks(), attendu);

        // The thumb moved to the right widens the view from 0.
        grafic = 1;
        ScrollBar_SetAttribute(p, SB_VALEUR, 1000);
        ScrollBarCallback(p, 0, 3, nullptr, 0, 0);
        QCOMPARE(g->xAxis->range().upper, 1150.0);

        // Reading numbers in the on-request mode.
        Acq.periode = -1;
        ScrollBar_SetAttribute(p, SB_VALEUR, 0);
        ScrollBarCallback(p, 0, 1, nullptr, 0, 0);
        ticker = g->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
        QCOMPARE(ticker->ticks().value(112), QString("112"));
        // Events outside 1..6 change nothing.
        ScrollBar_SetAttribute(p, SB_VALEUR, 500);
        ScrollBarCallback(p, 0, 9, nullptr, 0, 0);
        QCOMPARE(g->xAxis->range().upper, 150.0);
    }

    void traces()
    {
        SessionTest s;
        fermer_graphes(); // start from the Data window alone
        Ouvrir_graphe();
        int p = Info[1].panel;
        int x[3] = {0, 1, 2};
        double y[3] = {230.0, 231.0, 229.5};
        int c = PlotXY(p, x, y, 3, 0xFF0000);
        int l = PlotLine(p, 0.0, 100.0, 30000.0, 100.0, 0);
        QVERIFY(c > 0);
        QVERIFY(l > 0);
        QVERIFY(c != l);
        QCOMPARE(nb_traces(p), 2);
        QCustomPlot* g = liaison<PnlGraphe>(p).graphe;
        QCOMPARE(g->graph(0)->data()->size(), 3);
        QCOMPARE(g->graph(0)->pen().color(), QColor(255, 0, 0));
        DeleteGraphPlot(p, c);
        QCOMPARE(nb_traces(p), 1);
        QVERIFY(!trace_existe(c));
        DeleteGraphPlot(p, c); // twice: nothing
        DeleteGraphPlot(Info[0].panel, l); // not this panel's plot: nothing
        QVERIFY(trace_existe(l));
        supprimer_traces(p);
        QCOMPARE(nb_traces(p), 0);
        QCOMPARE(g->graphCount(), 0);
    }
};

QTEST_MAIN(TestGraphes)
#include "test_graphes.moc"
