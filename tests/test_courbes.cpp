// Readings into channels, the two notices, curves, Y scaling and the scale dialog.
#include "acquisition/ecran/alarmes.h"
#include "graph/lignes_limites.h"
#include "acquisition/selection.h"
#include "socle/ecran/menus.h"
#include "acquisition/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "graph/emplacements.h"
#include "acquisition/stockage.h"
#include "graph/courbes.h"
#include "graph/traces.h"
#include "support/inspection.h"
#include "support/fake_platform.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QtTest>
#include <qcustomplot.h>

namespace {

void tick(int n, std::initializer_list<int> codes, int mode)
{
    Annuler_choix_grandeur();
    for (int c : codes)
        grandeur_mesure[c] = 1;
    MesureTypeReseau = mode;
    Acq.nb_points = n;
    TraceCourbeMode();
}

bool avis(PanelKind k) { return tk::panel_valide(Fen_princ[k]) && tk::fenetre(Fen_princ[k])->isVisible(); }

QCustomPlot* graphe() { return liaison<PnlGraphe>(Info[1].panel).graphe; }

// Channel 1 of quantity `code` in graph window 1, at full scale.
void fenetre(int code)
{
    Ouvrir_graphe();
    Donnee[1].num_fenetre = 1;
    Donnee[1].grandeur = code;
    Init_min_max_axe_Y(1);
}

// Channel 1's curve through `valeurs`, then `v` stored as the next reading
// and the Y axis adjusted, as a tick does.
void zoom(const QList<double>& valeurs, double v)
{
    int i = 0;
    for (double y : valeurs) {
        ptx[i] = i;
        point[1][i++] = y;
    }
    tracer_courbe(1, i);
    Donnee[1].releves[i] = v;
    Acq.nb_points = i;
    Zoom_AXE_Y(1, Info[1].panel);
}

bool axe(double lo, double hi)
{
    const QCPRange r = graphe()->yAxis->range();
    return qAbs(r.lower - lo) < 1e-6 && qAbs(r.upper - hi) < 1e-6;
}

} // namespace

class TestCourbes : public QObject {
    Q_OBJECT

private slots:
    void grandeurs_dans_leurs_voies()
    {
        SessionTest s;
        MesureTension = 231.5;
        MesureCourant = 4.2;
        MesureFacteurPuisMoy = 0.8;
        tick(0, {1, 3}, 0);
        QCOMPARE(Donnee[1].releves[0], 231.5);
        QCOMPARE(Donnee[2].releves[0], 4.2);
        // The average power factor is stored first yet goes to channel 2.
        MesureCourantMoy = 3.5;
        tick(1, {4, 12}, 5);
        QCOMPARE(Donnee[1].releves[1], 3.5);
        QCOMPARE(Donnee[2].releves[1], 0.8);
        // Other modes store nothing.
        Donnee[1].releves[2] = -1.0;
        tick(2, {1}, 9);
        QCOMPARE(Donnee[1].releves[2], -1.0);
    }

    void courbe_remplacee()
    {
        SessionTest s;
        fenetre(1);
        zoom({230.0}, 230.0);
        zoom({230.0, 231.0, 229.0}, 230.0);
        QCOMPARE(nb_traces(Info[1].panel), 1);
        QCOMPARE(graphe()->graph(0)->data()->size(), 3);
        tracer_courbe(1, NB_RELEVES_MAX + 1); // a full channel: never a point more
        QCOMPARE(graphe()->graph(0)->data()->size(), NB_RELEVES_MAX);
    }

    void inrush()
    {
        SessionTest s;
        MesureInrush = 6550;
        tick(0, {3}, 16);
        QCOMPARE(Donnee[1].releves[0], 0.0);
        QVERIFY(avis(PNL_INDEFINI));
        liaison<PnlAvis>(Fen_princ[PNL_INDEFINI]).bouton_ok->click();
        tick(1, {3}, 16);
        QCOMPARE(Fen_princ[PNL_INDEFINI], 0);
        MesureInrush = 6500;
        tick(2, {3}, 16);
        QCOMPARE(Donnee[1].releves[2], 65.0);
        QVERIFY(avis(PNL_OVERLOAD));
        Annuler_Avis_Ov(0, 0, EVENT_COMMIT, nullptr, 0, 0);
        tick(3, {3}, 16);
        QCOMPARE(Fen_princ[PNL_OVERLOAD], 0);
        MesureInrush = 12.5;
        tick(4, {3}, 16);
        QCOMPARE(Donnee[1].releves[4], 12.5);
        QCOMPARE(Mesure.avis_limite + Mesure.avis_indefini, 0);
    }

    // One channel out of range, the other in: one notice for the episode,
    // whichever is stored first.
    void hors_limites_une_fois_data()
    {
        QTest::addColumn<double>("tension");
        QTest::addColumn<double>("courant");
        QTest::newRow("voltage out") << 620.0 << 5.0;
        QTest::newRow("current out") << 230.0 << -0.1;
    }
    void hors_limites_une_fois()
    {
        QFETCH(double, tension);
        QFETCH(double, courant);
        SessionTest s;
        MesureTension = tension;
        MesureCourant = courant;
        tick(0, {1, 3}, 0);
        QVERIFY(avis(PNL_OVERLOAD));
        const int p = Fen_princ[PNL_OVERLOAD];
        QTest::keyClick(tk::fenetre(p), Qt::Key_Escape); // acts as OK
        QVERIFY(!tk::panel_valide(p));
        Annuler_Avis_Ov(p, 0, EVENT_COMMIT, nullptr, 0, 0); // a second OK: nothing
        tick(1, {1, 3}, 0);
        tick(2, {1, 3}, 0);
        QCOMPARE(Fen_princ[PNL_OVERLOAD], 0);
        MesureTension = 230.0;
        MesureCourant = 5.0;
        tick(3, {1, 3}, 0);
        MesureTension = tension;
        MesureCourant = courant;
        tick(4, {1, 3}, 0);
        QVERIFY(avis(PNL_OVERLOAD));
    }

    void echelle_y()
    {
        SessionTest s;
        fenetre(1);
        // Manual: wider than the full scale is narrowed, zero width falls back to it.
        Info[1].y_manuel = 1;
        Info[1].y_min = -100.0;
        Info[1].y_max = 1000.0;
        zoom({230.0}, 230.0);
        QVERIFY(axe(0.0, 630.0));
        QCOMPARE(Info[1].y_max, 630.0);
        Info[1].y_min = Info[1].y_max = 50.0;
        zoom({230.0}, 230.0);
        QCOMPARE(Info[1].y_min, 0.0);
        QCOMPARE(Info[1].y_max, 630.0);

        Info[1].y_manuel = 0;
        Info[1].limite = 1;
        Info[1].seuil_bas = 100.0;
        tracer_limites(1);
        // A new extreme: the curve's range (the limit line is not a reading),
        // not widened but for the 5 % margin.
        zoom({230.0, 230.2}, 230.2);
        QVERIFY(axe(229.99, 230.21));
        // No new extreme and narrower than 0.4 V: 0.4 V more on each side.
        zoom({230.0, 230.2}, 230.1);
        QVERIFY(axe(229.55, 230.65));
        QVERIFY(qAbs(Info[1].y_max - 230.65) < 1e-9);
        zoom({230.0, 230.0}, 230.0); // flat
        QVERIFY(axe(229.56, 230.44));
        // The power factor axis never moves.
        Donnee[1].grandeur = 11;
        graphe()->yAxis->setRange(0, 1);
        zoom({0.5, 0.6}, 0.7);
        zoom({0.5, 0.6}, 0.55);
        QVERIFY(axe(0.0, 1.0));
    }

    // A flat curve at a new extreme (the first reading of a window) opens
    // 0.4 above it, for every quantity; nothing widens it further then.
    void courbe_plate_a_un_nouvel_extreme_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("v");
        QTest::newRow("tension") << int(CODE_TENSION) << 230.0;
        QTest::newRow("courant") << int(CODE_COURANT) << 2.0;
        QTest::newRow("puissance") << int(CODE_P) << 1200.0;
    }
    void courbe_plate_a_un_nouvel_extreme()
    {
        QFETCH(int, code);
        QFETCH(double, v);
        SessionTest s;
        fenetre(code);
        zoom({v}, v);
        QVERIFY2(axe(v - 0.02, v + 0.42), qPrintable(QString("%1 .. %2").arg(graphe()->yAxis->range().lower)
                                                  .arg(graphe()->yAxis->range().upper)));
        QVERIFY(qAbs(Info[1].y_min - (v - 0.02)) < 1e-9);
        QVERIFY(qAbs(Info[1].y_max - (v + 0.42)) < 1e-9);
    }

    // The tick adjusts the axis before the curve holds its newest reading: in
    // automatic mode that reading still stands inside the frame, above or
    // below the curve so far; a manual range does not follow it.
    void releve_le_plus_recent_dans_le_cadre_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("v");
        QTest::addColumn<int>("manuel");
        QTest::newRow("power above") << int(CODE_P) << 1208.0 << 0;
        QTest::newRow("average power below") << int(CODE_P_MOY) << 1112.2 << 0;
        QTest::newRow("voltage below") << int(CODE_TENSION) << 229.1 << 0;
        QTest::newRow("current below") << int(CODE_COURANT) << 2.662 << 0;
        QTest::newRow("manual") << int(CODE_P) << 1208.0 << 1;
    }
    void releve_le_plus_recent_dans_le_cadre()
    {
        QFETCH(int, code);
        QFETCH(double, v);
        QFETCH(int, manuel);
        SessionTest s;
        fenetre(code);
        Acq.en_cours = 1; // a tick: the newest reading is not drawn yet
        const double base = code == CODE_TENSION ? 230.0 : code == CODE_COURANT ? 2.7 : 1150.0;
        const double pas = code == CODE_COURANT ? 0.01 : 3.0;
        Info[1].y_manuel = manuel;
        Info[1].y_min = 1000.0;
        Info[1].y_max = 1100.0;
        zoom({base}, base);
        zoom({base, base + pas}, base + pas);
        zoom({base, base + pas, base + 2 * pas}, v);
        const QCPRange r = graphe()->yAxis->range();
        if (manuel) {
            QVERIFY(axe(1000.0, 1100.0));
        } else {
            const double marge = (r.upper - r.lower) * 0.02;
            QVERIFY2(r.lower + marge < std::min(v, base) && std::max(v, base + 2 * pas) < r.upper - marge,
                     qPrintable(QString("%1 not inside %2 .. %3").arg(v).arg(r.lower).arg(r.upper)));
            QCOMPARE(Info[1].y_max, r.upper);
        }
    }

    // The automatic range keeps its margin inside the quantity's full scale
    // and the newest reading inside the frame; the Scales dialog offers the
    // range in force. `en_cours`: a tick (the newest reading is `v`, not yet
    // drawn); otherwise a recording drawn whole.
    void plage_dans_la_pleine_echelle_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<double>>("releves");
        QTest::addColumn<double>("v");
        QTest::addColumn<int>("en_cours");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::newRow("opened voltage from 0 V") << int(CODE_TENSION) << QList<double>{0.0, 120.0, 232.2} << 232.2 << 0
                                                 << 0.0 << 243.81;
        QTest::newRow("voltage up to full scale") << int(CODE_TENSION) << QList<double>{600.0, 630.0} << 630.0 << 0
                                                  << 598.5 << 630.0;
        QTest::newRow("current over the whole scale") << int(CODE_COURANT) << QList<double>{0.0, 11.0} << 11.0 << 0
                                                      << 0.0 << 11.0;
        QTest::newRow("apparent power from 0") << int(CODE_S) << QList<double>{0.0, 500.0} << 500.0 << 0 << 0.0
                                               << 525.0;
        QTest::newRow("active power from -6300 W") << int(CODE_P) << QList<double>{-6300.0, 100.0} << 100.0 << 0
                                                   << -6300.0 << 420.0;
        QTest::newRow("tick, current falling to 0") << int(CODE_COURANT) << QList<double>{0.2, 0.1} << 0.0 << 1
                                                    << 0.0 << 0.21;
        QTest::newRow("tick, average voltage rising to 630") << int(CODE_TENSION_MOY) << QList<double>{610.0, 620.0}
                                                             << 630.0 << 1 << 609.0 << 630.0;
    }
    void plage_dans_la_pleine_echelle()
    {
        QFETCH(int, code);
        QFETCH(QList<double>, releves);
        QFETCH(double, v);
        QFETCH(int, en_cours);
        QFETCH(double, lo);
        QFETCH(double, hi);
        SessionTest s;
        fenetre(code);
        Acq.en_cours = en_cours;
        zoom(releves, v);
        const QCPRange r = graphe()->yAxis->range();
        QVERIFY2(axe(lo, hi), qPrintable(QString("%1 .. %2").arg(r.lower).arg(r.upper)));
        QVERIFY(r.lower <= v && v <= r.upper);
        QVERIFY(qAbs(Info[1].y_min - lo) < 1e-6);
        QVERIFY(qAbs(Info[1].y_max - hi) < 1e-6);

        Acq.en_cours = 0;
        grafic = 1;
        ouvrir_echelle();
        PnlEchelle& e = liaison<PnlEchelle>(Fen_princ[PNL_ECHELLE]);
        QVERIFY(qAbs(e.y_min->value() - lo) < 1e-3);
        QVERIFY(qAbs(e.y_max->value() - hi) < 1e-3);
        e.quitter->click();
    }

    // Each Y label is the value its grid line stands at, with the decimals
    // of its quantity, however narrow the range.
    void graduations_exactes_data()
    {
        QTest::addColumn<int>("decimales");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::newRow("voltage") << 1 << 229.8 << 231.1;
        QTest::newRow("voltage, narrow") << 1 << 229.98 << 230.22;
        QTest::newRow("current") << 3 << 2.6551 << 2.6689;
        QTest::newRow("current, full scale") << 3 << 0.0 << 11.0;
        QTest::newRow("power factor") << 2 << 0.71 << 0.93;
        QTest::newRow("power, full scale") << 1 << -6300.0 << 6300.0;
        QTest::newRow("power, narrow") << 1 << 1207.9 << 1208.35;
    }
    void graduations_exactes()
    {
        QFETCH(int, decimales);
        QFETCH(double, lo);
        QFETCH(double, hi);
        SessionTest s;
        fenetre(CODE_TENSION);
        graduer_axe_y(Info[1].panel, decimales);
        graphe()->yAxis->setRange(lo, hi);
        QVector<double> valeurs, sous;
        QVector<QString> textes;
        graphe()->yAxis->ticker()->generate(graphe()->yAxis->range(), QLocale::c(), 'f', decimales, valeurs,
                                            &sous, &textes);
        QVERIFY(valeurs.size() >= 2);
        for (int i = 0; i < valeurs.size(); ++i)
            QVERIFY2(qAbs(textes[i].toDouble() - valeurs[i]) < 1e-9,
                     qPrintable(QString("%1 labelled %2").arg(valeurs[i], 0, 'g', 17).arg(textes[i])));
    }

    void dialogue_echelle()
    {
        SessionTest s;
        fenetre(1);
        grafic = -1;
        ouvrir_echelle();
        QCOMPARE(s.plateforme.popups->vus.size(), 1); // error 4
        grafic = 0;
        ouvrir_echelle();
        QCOMPARE(Fen_princ[PNL_ECHELLE], 0);

        grafic = 1;
        for (int mode : {0, 1}) {
            ouvrir_echelle();
            QVERIFY(tk::ItemDimmed(BARRE_FICHIER));
            PnlEchelle& e = liaison<PnlEchelle>(Fen_princ[PNL_ECHELLE]);
            e.mode_echelle->setCurrentIndex(e.mode_echelle->findData(mode));
            QCOMPARE(e.y_max->isEnabled(), mode == 0);
            e.y_max->setValue(100.0);
            e.y_min->setValue(200.0);
            e.bouton_ok->click();
            // Manual: exchanged; automatic: as typed.
            QCOMPARE(Info[1].y_max, mode == 0 ? 200.0 : 100.0);
            QCOMPARE(int(Info[1].y_manuel), 1 - mode);
            QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));
        }
        QVERIFY(axe(100.0, 200.0)); // automatic, with no curve to fit: left as it was

        ouvrir_echelle();
        QTest::keyClick(tk::fenetre(Fen_princ[PNL_ECHELLE]), Qt::Key_Escape);
        QCOMPARE(Fen_princ[PNL_ECHELLE], 0);
        QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));
    }
};

QTEST_MAIN(TestCourbes)
#include "test_courbes.moc"
