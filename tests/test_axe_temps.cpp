// Time axis of a graph window: view sizes, the X range and the five labels.
#include "graph/axe_temps.h"

#include <QtTest>

class TestAxeTemps : public QObject {
    Q_OBJECT

private slots:
    void vues_et_plage()
    {
        const int vues[NB_ZOOMS] = {30000, 15000, 7500, 3000, 1500, 750, 300, 150, 75, 30, 15};
        for (int i = 0; i < NB_ZOOMS; ++i)
            QCOMPARE(taille_vue(table_zoom[i]), vues[i]);
        QVERIFY(taille_vue(0.0) == 30000);
        QVERIFY(taille_vue(0.001) == 30000);
        int lo = -1, hi = -1;
        plage_x(0, 150, 30000 - 150, lo, hi);
        QVERIFY(lo == 0);
        QVERIFY(hi == 150);
        // At the widest zooms the thumb still reaches the last readings.
        for (int v : {0, 7000, 15000}) {
            plage_x(v, taille_vue(0.01), 30000 - taille_vue(0.01), lo, hi);
            QCOMPARE(hi, v + 15000);
        }
        plage_x(29850, 150, 29850, lo, hi);  // factor 1, thumb at the end
        QCOMPARE(hi, 30000);
        plage_x(15000, 30000, 15000, lo, hi);  // factor 0.005 keeps the maximum of 0.01
        QCOMPARE(hi, 30000);
        plage_x(2000000000, 2000000000, 30000, lo, hi);
        QCOMPARE(hi, 30000);
    }

    void etiquettes()
    {
        QCOMPARE(positions_etiquettes(0, 150), (std::array<int, 5>{0, 37, 75, 112, 150}));
        QCOMPARE(positions_etiquettes(10, 21), (std::array<int, 5>{10, 12, 15, 18, 21}));
        QStringList a_1s, a_la_demande;
        for (double p : positions_exactes(0, 150))
            a_1s << texte_etiquette(p, 1), a_la_demande << texte_etiquette(p, -1);
        QCOMPARE(a_1s, QStringList({"0:00:00", "0:00:37", "0:01:15", "0:01:52", "0:02:30"}));
        QCOMPARE(a_la_demande, QStringList({"0", "37", "75", "112", "150"}));
        QCOMPARE(texte_etiquette(150, 0), QString("0:01:15"));
        QCOMPARE(texte_etiquette(37.5, 2), QString("0:01:15"));  // from the exact position
        QCOMPARE(texte_etiquette(30000, 60), QString("500:00:00"));
    }

    // Labels at the quarters of an axis `longueur` pixels long, each `largeur`
    // wide (the last `derniere`), 8 pixels apart at least: which stand.
    void etiquettes_qui_se_touchent_data()
    {
        QTest::addColumn<double>("longueur");
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("derniere");
        QTest::addColumn<QList<int>>("gardees");
        QTest::newRow("room for five") << 400.0 << 45.0 << 45.0 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("five just apart") << 212.0 << 45.0 << 45.0 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("quarters too close") << 211.0 << 45.0 << 45.0 << QList<int>{0, 2, 4};
        QTest::newRow("a wider last label") << 220.0 << 45.0 << 70.0 << QList<int>{0, 2, 4};
        QTest::newRow("halves too close") << 100.0 << 45.0 << 45.0 << QList<int>{0, 4};
        QTest::newRow("ends too close") << 50.0 << 45.0 << 45.0 << QList<int>{0};
    }
    void etiquettes_qui_se_touchent()
    {
        QFETCH(double, longueur);
        QFETCH(double, largeur);
        QFETCH(double, derniere);
        QFETCH(QList<int>, gardees);
        std::array<double, 5> centres{}, largeurs{};
        for (int i = 0; i < 5; ++i) {
            centres[std::size_t(i)] = longueur * i / 4.0;
            largeurs[std::size_t(i)] = i == 4 ? derniere : largeur;
        }
        const std::vector<int> r = etiquettes_lisibles(centres, largeurs, 8.0);
        QCOMPARE(QList<int>(r.begin(), r.end()), gardees);
    }
};

QTEST_GUILESS_MAIN(TestAxeTemps)
#include "test_axe_temps.moc"
