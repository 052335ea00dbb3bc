// Figures between the delta cursors, over readings stored as an acquisition
// stores them: count, mean, extremes and the integral over the readings' own
// times (energy in Wh, charge in Ah), with the values worked out by hand.
#include "acquisition/ligne.h"
#include "acquisition/statistiques.h"
#include "socle/globals.h"
#include "support/releves_ranges.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

constexpr double X = std::numeric_limits<double>::quiet_NaN();  // undefined

using Ecarts = QList<int>;
using Valeurs = QList<double>;

Ecarts chaque(int n, int secondes)
{
    Ecarts e(n, secondes);
    e[0] = 0;
    return e;
}

Valeurs constantes(int n, double v)
{
    return Valeurs(n, v);
}

// Stores the readings `ecarts[i]` seconds after one another from `debut`,
// channel 1 holding `valeurs`, at x positions 0, 1, 2...
void ranger(const QDateTime& debut, bool relatif, const Ecarts& ecarts, const Valeurs& valeurs)
{
    vider_releves();
    qint64 t = 0;
    for (int i = 0; i < valeurs.size(); ++i) {
        t += ecarts[i];
        const QDateTime a = debut.addSecs(t);
        ranger_essai(i, a.date(), relatif ? QTime(0, 0).addSecs(int(t)) : a.time(), relatif, 1, 1, valeurs[i]);
        ptx[i] = i;
    }
    Acq.nb_points = int(valeurs.size());
}

const QDateTime MATIN(QDate(2026, 12, 8), QTime(10, 0));
const QDateTime MINUIT_MOINS_30(QDate(2026, 12, 8), QTime(23, 59, 30));

} // namespace

class TestStatistiques : public QObject {
    Q_OBJECT

private slots:
    void init() { remise_a_zero_globales(); }

    void figures_data()
    {
        QTest::addColumn<int>("periode");
        QTest::addColumn<bool>("relatif");
        QTest::addColumn<QDateTime>("debut");
        QTest::addColumn<Ecarts>("ecarts");
        QTest::addColumn<Valeurs>("valeurs");
        QTest::addColumn<int>("premier");
        QTest::addColumn<int>("dernier");
        QTest::addColumn<int>("nb");
        QTest::addColumn<int>("indefinis");
        QTest::addColumn<double>("moyenne");
        QTest::addColumn<double>("mini");
        QTest::addColumn<double>("maxi");
        QTest::addColumn<double>("integrale");  // value x hours
        QTest::addColumn<double>("duree");      // seconds

        // 3600 s at 300 W: 300 Wh.
        QTest::newRow("300 W for 3600 s")
            << 1 << false << MATIN << chaque(3601, 1) << constantes(3601, 300.0) << 0 << 3600 << 3601 << 0
            << 300.0 << 300.0 << 300.0 << 300.0 << 3600.0;
        QTest::newRow("the same, cursors swapped")
            << 1 << false << MATIN << chaque(3601, 1) << constantes(3601, 300.0) << 3600 << 0 << 3601 << 0
            << 300.0 << 300.0 << 300.0 << 300.0 << 3600.0;
        // 0 to 3600 W in 3600 s: the triangle, 3600 x 3600 / 2 W.s = 1800 Wh.
        Valeurs rampe;
        for (int i = 0; i <= 3600; ++i)
            rampe << double(i);
        QTest::newRow("ramp") << 1 << false << MATIN << chaque(3601, 1) << rampe << 0 << 3600 << 3601 << 0
                              << 1800.0 << 0.0 << 3600.0 << 1800.0 << 3600.0;
        // Its second half: 1800 to 3600 W for 1800 s, 2700 W mean: 1350 Wh.
        QTest::newRow("ramp, second half") << 1 << false << MATIN << chaque(3601, 1) << rampe << 1800 << 3600
                                           << 1801 << 0 << 2700.0 << 1800.0 << 3600.0 << 1350.0 << 1800.0;
        // 60 s at 300 W, a 60 s pause, 60 s more: 2 x 18000 W.s = 10 Wh over 180 s.
        Ecarts pause = chaque(122, 1);
        pause[61] = 60;
        QTest::newRow("a pause adds no area") << 1 << false << MATIN << pause << constantes(122, 300.0) << 0
                                              << 121 << 122 << 0 << 300.0 << 300.0 << 300.0 << 10.0 << 180.0;
        // At 2 s a reading, 4 s between two is still counted, 6 s is a gap:
        // 100 W for 4 s then, after the gap, 100 W for 2 s: 600 W.s.
        QTest::newRow("twice the period counts, more does not")
            << 2 << false << MATIN << Ecarts{0, 4, 6, 2} << constantes(4, 100.0) << 0 << 3 << 4 << 0 << 100.0
            << 100.0 << 100.0 << 600.0 / 3600 << 12.0;
        // 100, ----, 200, 200, 200 one a second: 2 x 150 + 200 + 200 = 700 W.s.
        const Valeurs trou{100.0, X, 200.0, 200.0, 200.0};
        QTest::newRow("an undefined reading is left out")
            << 1 << false << MATIN << chaque(5, 1) << trou << 0 << 4 << 5 << 1 << 175.0 << 100.0 << 200.0
            << 700.0 / 3600 << 4.0;
        // From the undefined one on: nothing before the first defined reading.
        QTest::newRow("a span starting on an undefined reading")
            << 1 << false << MATIN << chaque(5, 1) << trou << 1 << 4 << 4 << 1 << 200.0 << 200.0 << 200.0
            << 400.0 / 3600 << 3.0;
        QTest::newRow("one reading") << 1 << false << MATIN << chaque(5, 1) << trou << 2 << 2 << 1 << 0 << 200.0
                                     << 200.0 << 200.0 << 0.0 << 0.0;
        // 600 W from 23:59:30 to 0:00:30, a reading every 10 s: 10 Wh in 60 s.
        QTest::newRow("clock time across midnight")
            << 10 << false << MINUIT_MOINS_30 << chaque(7, 10) << constantes(7, 600.0) << 0 << 6 << 7 << 0
            << 600.0 << 600.0 << 600.0 << 10.0 << 60.0;
        QTest::newRow("relative time across midnight")
            << 10 << true << MINUIT_MOINS_30 << chaque(7, 10) << constantes(7, 600.0) << 0 << 6 << 7 << 0
            << 600.0 << 600.0 << 600.0 << 10.0 << 60.0;
        // Two readings a stamped second, 0 s, 0.5 s ... 2.5 s: 360 W x 2.5 s = 0.25 Wh.
        QTest::newRow("half a second") << 0 << false << MATIN << Ecarts{0, 0, 1, 0, 1, 0}
                                       << constantes(6, 360.0) << 0 << 5 << 6 << 0 << 360.0 << 360.0 << 360.0
                                       << 0.25 << 2.5;
        // On request: 0, 100 and 1000 s, every interval counts: 360 W x 1000 s = 100 Wh.
        QTest::newRow("on request") << -1 << false << MATIN << Ecarts{0, 100, 900} << constantes(3, 360.0) << 0
                                    << 2 << 3 << 0 << 360.0 << 360.0 << 360.0 << 100.0 << 1000.0;
        // 2 A for 1800 s, a reading every 2 s: 1 Ah.
        QTest::newRow("charge") << 2 << false << MATIN << chaque(901, 2) << constantes(901, 2.0) << 0 << 900
                                << 901 << 0 << 2.0 << 2.0 << 2.0 << 1.0 << 1800.0;
        // Lowest and highest in the middle of long runs, between blocks.
        Valeurs pic = constantes(1000, 50.0);
        pic[130] = -7.0;
        pic[517] = 912.0;
        QTest::newRow("extremes far inside the span")
            << 1 << false << MATIN << chaque(1000, 1) << pic << 3 << 998 << 996 << 0
            << (50.0 * 994 - 7.0 + 912.0) / 996 << -7.0 << 912.0 << (50.0 * 995 + (-57.0) + 862.0) / 3600 << 995.0;
    }
    void figures()
    {
        QFETCH(int, periode);
        QFETCH(bool, relatif);
        QFETCH(QDateTime, debut);
        QFETCH(Ecarts, ecarts);
        QFETCH(Valeurs, valeurs);
        QFETCH(int, premier);
        QFETCH(int, dernier);
        ranger(debut, relatif, ecarts, valeurs);
        const stats::Statistiques s = stats::statistiques(1, premier, dernier, periode);
        QTEST(s.nb_releves, "nb");
        QTEST(s.nb_indefinis, "indefinis");
        QFETCH(double, moyenne);
        QFETCH(double, mini);
        QFETCH(double, maxi);
        QFETCH(double, integrale);
        QFETCH(double, duree);
        QVERIFY2(std::fabs(s.moyenne - moyenne) < 1e-9, qPrintable(QString::number(s.moyenne, 'g', 17)));
        QCOMPARE(s.mini, mini);
        QCOMPARE(s.maxi, maxi);
        QVERIFY2(std::fabs(s.integrale - integrale) < 1e-9, qPrintable(QString::number(s.integrale, 'g', 17)));
        QCOMPARE(s.duree(), duree);
    }

    // Readings added one by one (an acquisition) give what the whole
    // recording gives, the running sums kept from one call to the next; a
    // recording stored again in their place is not mixed with them.
    void lecture_en_cours()
    {
        vider_releves();
        for (int i = 0; i < 3601; ++i) {
            ranger_essai(i, MATIN.date(), MATIN.time().addSecs(i), false, 1, 1, i % 2 ? X : 300.0);
            ptx[i] = i;
            Acq.nb_points = i + 1;
            if (i % 500 == 0)
                stats::statistiques_tout(1, 1);
        }
        stats::Statistiques s = stats::statistiques_tout(1, 1);
        QCOMPARE(s.nb_releves, 3601);
        QCOMPARE(s.nb_indefinis, 1800);
        QVERIFY(std::fabs(s.integrale - 300.0) < 1e-9);

        ranger(MATIN, false, chaque(11, 1), constantes(11, 36.0));
        s = stats::statistiques_tout(1, 1);
        QCOMPARE(s.nb_releves, 11);
        QCOMPARE(s.nb_indefinis, 0);
        QVERIFY(std::fabs(s.integrale - 0.1) < 1e-12);
    }

    // The readings between two cursor positions, in either order.
    void releves_entre_data()
    {
        QTest::addColumn<double>("xa");
        QTest::addColumn<double>("xb");
        QTest::addColumn<int>("premier");
        QTest::addColumn<int>("dernier");
        QTest::newRow("between readings") << 3.6 << 10.4 << 4 << 10;
        QTest::newRow("swapped") << 10.4 << 3.6 << 4 << 10;
        QTest::newRow("on readings") << 4.0 << 10.0 << 4 << 10;
        QTest::newRow("beyond both ends") << -50.0 << 1e6 << 0 << 19;
        QTest::newRow("one reading") << 6.9 << 7.2 << 7 << 7;
        QTest::newRow("none between") << 6.1 << 6.9 << -1 << -1;
        QTest::newRow("past the last") << 25.0 << 30.0 << -1 << -1;
    }
    void releves_entre()
    {
        ranger(MATIN, false, chaque(20, 1), constantes(20, 1.0));
        QFETCH(double, xa);
        QFETCH(double, xb);
        int p = 0, d = 0;
        QFETCH(int, premier);
        QCOMPARE(stats::releves_entre(xa, xb, p, d), premier >= 0);
        QCOMPARE(p, premier);
        QTEST(d, "dernier");
    }

    void unites_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("unite");
        QTest::newRow("V") << int(CODE_TENSION) << "";
        QTest::newRow("Im") << int(CODE_COURANT_MOY) << "Ah";
        QTest::newRow("P") << int(CODE_P) << "Wh";
        QTest::newRow("Qm") << int(CODE_Q_MOY) << "varh";
        QTest::newRow("S") << int(CODE_S) << "VAh";
        QTest::newRow("FP") << int(CODE_FP) << "";
    }
    void unites()
    {
        QFETCH(int, code);
        QFETCH(QString, unite);
        QCOMPARE(QString::fromLatin1(stats::unite_integrale(code)), unite);
        QCOMPARE(stats::integrable(code), !unite.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStatistiques)
#include "test_statistiques.moc"
