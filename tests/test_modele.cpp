// The reading model's operations without any window: what a run, a reading
// stored, Pause, Stop, New, Save, a cancelled choice and a recording read
// leave in the records, and what the listeners hear.
#include "acquisition/modele.h"
#include "socle/globals.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const QDateTime INSTANT(QDate(2026, 12, 8), QTime(10, 0));

// Writes what it hears, one letter an event: L run, R reading (with its
// index), P pause, S stop, E cleared, C loaded (with its line count), M mode.
struct Oreille : modele::Ecouteur {
    QString entendu;
    void releve_stocke(int i, const QString&) override { entendu += QStringLiteral("R%1").arg(i); }
    void acquisition_lancee() override { entendu += 'L'; }
    void acquisition_suspendue() override { entendu += 'P'; }
    void acquisition_arretee() override { entendu += 'S'; }
    void releves_effaces() override { entendu += 'E'; }
    void enregistrement_charge(const QStringList& l) override { entendu += QStringLiteral("C%1").arg(l.size()); }
    void mode_change() override { entendu += 'M'; }
};

// One operation per letter, as the user's commands call them.
void faire(QChar op)
{
    switch (op.toLatin1()) {
    case 'L': modele::lancer(); break;
    case 'R':
        Donnee[1].releves[Acq.nb_points] = 230.0 + Acq.nb_points;
        modele::stocker_releve(INSTANT, 0.0);
        break;
    case 'P': modele::suspendre(); break;
    case 'S': modele::arreter(); break;
    case 'E': modele::effacer(); break;
    case 'W': modele::marquer_enregistre(); break;
    case 'A':
        if (modele::annuler_choix())
            modele::arreter(); // what the raised Stop does
        break;
    case 'M': modele::remise_mode(); break;
    default: QFAIL("unknown step");
    }
}

} // namespace

class TestModele : public QObject {
    Q_OBJECT

    Oreille oreille;

private slots:
    void init()
    {
        remise_a_zero_globales();
        Mesure.nb_voies = 1;
        Mesure.port = 1;
        oreille.entendu.clear();
        modele::abonner(oreille);
    }
    void cleanup() { modele::desabonner(oreille); }

    // Sequences of commands: whether a run is on, the readings counted, the
    // unsaved flag New and Exit ask about, and what the views heard.
    void operations_data()
    {
        QTest::addColumn<QString>("etapes");
        QTest::addColumn<int>("en_cours");
        QTest::addColumn<int>("nb_points");
        QTest::addColumn<int>("non_enregistre");
        QTest::addColumn<QString>("entendu");
        QTest::newRow("Run") << "L" << 1 << 0 << 0 << "L";
        QTest::newRow("Run, three readings") << "LRRR" << 1 << 3 << 1 << "LR0R1R2";
        QTest::newRow("Pause and resume keep the readings") << "LRPPR" << 1 << 2 << 1 << "LR0PPR1";
        QTest::newRow("Stop keeps them unsaved") << "LRRS" << 0 << 2 << 1 << "LR0R1S";
        QTest::newRow("Save") << "LRRSW" << 0 << 2 << 0 << "LR0R1S";
        QTest::newRow("Save, then a choice cancelled") << "LRRSWA" << 0 << 2 << 0 << "LR0R1S";
        QTest::newRow("a choice cancelled during a run stops it") << "LRA" << 0 << 1 << 1 << "LR0S";
        QTest::newRow("New") << "LRSE" << 0 << 0 << 0 << "LR0SE";
        QTest::newRow("Run again starts at reading 0") << "LRRSLR" << 1 << 1 << 1 << "LR0R1SLR0";
        QTest::newRow("mode change resets the run") << "LRRM" << 0 << 0 << 1 << "LR0R1M";
    }
    void operations()
    {
        QFETCH(QString, etapes);
        for (QChar op : etapes)
            faire(op);
        QFETCH(int, en_cours);
        QFETCH(int, nb_points);
        QFETCH(int, non_enregistre);
        QFETCH(QString, entendu);
        QCOMPARE(Acq.en_cours, en_cours);
        QCOMPARE(Acq.nb_points, nb_points);
        QCOMPARE(Acq.non_enregistre, non_enregistre);
        QCOMPARE(oreille.entendu, entendu);
    }

    // A reading stored: the plotted copy of each channel in use, its x
    // position, an undefined value plotted at 0 once its notice was given.
    void stocker_data()
    {
        QTest::addColumn<int>("voies");
        QTest::addColumn<int>("indefini");      // channel 1 undefined
        QTest::addColumn<int>("avis_indefini"); // its notice already given
        QTest::addColumn<double>("v1");
        QTest::addColumn<double>("v2");
        QTest::newRow("one channel") << 1 << 0 << 0 << 231.5 << 0.0;
        QTest::newRow("two channels") << 2 << 0 << 0 << 231.5 << 1.25;
        QTest::newRow("undefined, notice given: 0") << 2 << 1 << 1 << 0.0 << 1.25;
        QTest::newRow("undefined, notice not yet given") << 1 << 1 << 0 << 231.5 << 0.0;
    }
    void stocker()
    {
        QFETCH(int, voies);
        QFETCH(int, indefini);
        QFETCH(int, avis_indefini);
        QFETCH(double, v1);
        QFETCH(double, v2);
        Mesure.nb_voies = voies;
        Mesure.avis_indefini = avis_indefini;
        modele::lancer();
        // The reading comes after 41 others, on a time axis scrolled to 41.
        Acq.nb_points = pas_x = 41;
        point[2][41] = -7.0; // left from an earlier recording
        Donnee[1].indefini = static_cast<unsigned char>(indefini);
        Donnee[1].releves[41] = 231.5;
        Donnee[2].releves[41] = 1.25;
        QVERIFY(modele::stocker_releve(INSTANT, 0.0));
        QCOMPARE(point[1][41], v1);
        QCOMPARE(point[2][41], voies == 2 ? v2 : -7.0);
        QCOMPARE(ptx[41], 41);
        QCOMPARE(Acq.nb_points, 42);
        QCOMPARE(pas_x, 42);
        QCOMPARE(oreille.entendu, QStringLiteral("LR41"));
    }

    // An acquisition ends at its own limit of readings or at 30000; the
    // channels never take a reading beyond 30000.
    void limite_data()
    {
        QTest::addColumn<int>("nb_max");
        QTest::addColumn<int>("avant"); // readings before the one stored
        QTest::addColumn<bool>("stocke");
        QTest::addColumn<bool>("atteinte");
        QTest::newRow("no limit, 29998 before") << 0 << 29998 << true << false;
        QTest::newRow("no limit, the 30000th reading") << 0 << 29999 << true << true;
        QTest::newRow("no limit, full") << 0 << 30000 << false << true;
        QTest::newRow("limit 30000, the 30000th reading") << 30000 << 29999 << true << true;
        QTest::newRow("limit 10, the tenth reading") << 10 << 9 << true << false;
        QTest::newRow("limit 10, the eleventh reading: Stop") << 10 << 10 << true << true;
    }
    void limite()
    {
        QFETCH(int, nb_max);
        QFETCH(int, avant);
        QFETCH(bool, stocke);
        QFETCH(bool, atteinte);
        modele::lancer();
        Acq.nb_max = nb_max;
        Acq.nb_points = pas_x = avant;
        QCOMPARE(modele::stocker_releve(INSTANT, 0.0), stocke);
        QCOMPARE(Acq.nb_points, stocke ? avant + 1 : avant);
        QCOMPARE(oreille.entendu, stocke ? QStringLiteral("LR%1").arg(avant) : QStringLiteral("L"));
        QCOMPARE(modele::limite_atteinte(), atteinte);
    }

    // A recording read: its readings plotted (undefined ones and those the
    // file lacks at 0, never at the recording shown before), its x
    // positions, its list lines announced once.
    void charger_data()
    {
        QTest::addColumn<int>("nb_points");
        QTest::addColumn<QList<double>>("valeurs");
        QTest::addColumn<QList<double>>("points");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("three readings") << 3 << QList<double>{1.5, 2.5, 3.5} << QList<double>{1.5, 2.5, 3.5};
        QTest::newRow("an undefined reading") << 3 << QList<double>{1.5, nan, 3.5} << QList<double>{1.5, 0.0, 3.5};
        QTest::newRow("fewer values than readings") << 3 << QList<double>{1.5} << QList<double>{1.5, 0.0, 0.0};
        QTest::newRow("more than 30000 announced") << 30001 << QList<double>{4.0} << QList<double>{4.0, 0.0};
    }
    void charger()
    {
        QFETCH(int, nb_points);
        QFETCH(QList<double>, valeurs);
        QFETCH(QList<double>, points);
        std::fill(point[1], point[1] + NB_RELEVES_MAX, 99.0);
        modele::charger_nombre(nb_points);
        QCOMPARE(Acq.nb_points, std::min(nb_points, NB_RELEVES_MAX));
        modele::charger_abscisses({0, 2, 4});
        modele::charger_valeurs(1, std::vector<double>(valeurs.begin(), valeurs.end()));
        for (int j = 0; j < points.size(); ++j)
            QCOMPARE(point[1][j], points[j]);
        QCOMPARE(point[1][Acq.nb_points - 1], Acq.nb_points <= valeurs.size() ? points.last() : 0.0);
        QCOMPARE(ptx[2], 4);
        modele::enregistrement_charge({"a", "b", "c"});
        QCOMPARE(oreille.entendu, QStringLiteral("C3"));
    }

    // A view subscribed twice (start-up run again) still hears once.
    void abonnement_unique()
    {
        modele::abonner(oreille);
        modele::lancer();
        modele::desabonner(oreille);
        modele::arreter();
        QCOMPARE(oreille.entendu, QStringLiteral("L"));
    }
};

QTEST_GUILESS_MAIN(TestModele)
#include "test_modele.moc"
