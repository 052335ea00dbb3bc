// The link end to end: the QSerialPort layer on a real pseudo-terminal,
// against the simulated wattmeter, reached as COM 1 of a temporary program
// directory.
#include "acquisition/connexion.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "link/jbus.h"
#include "link/jbus_codec.h"
#include "link/serial.h"
#include "support/simulateur.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTest>

#include <array>
#include <cmath>
#include <memory>
#include <unistd.h>

namespace {

constexpr double DELAI = 0.5; // the tests' time-out, seconds
constexpr std::uint16_t TEMOIN = 0xBEEF;

double long_en_reel(const std::uint16_t* mots, int i, double echelle)
{
    std::int32_t v = 0;
    transforme_signes_mots_long_mot(mots, i, v);
    return v * echelle;
}

} // namespace

class TestJbusSimulateur : public QObject {
    Q_OBJECT

private:
    // Starts the simulator with `evenements` and opens its port.
    bool relier(SimulateurDeTest& sim, const QStringList& evenements = {})
    {
        if (!sim.demarrer(evenements))
            return false;
        fixer_repertoire_programme(sim.repertoire());
        return ouverture_com(1, 9600, 0, 8, 1, DELAI) == 0;
    }

    int lire18(std::uint16_t* mots) { return jbus_fonction_03(1, 9600, 1, 0, 18, mots); }

private slots:
    void init()
    {
        remise_a_zero_globales();
        oublier_entrees_com();
    }
    void cleanup() { fermeture_com(1); }

    void lecture_de_18_mots_decodee()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"voltage 230.46", "current 4.321", "pf 0.8", "mode t3fe+smooth"}));
        QCOMPARE(QFileInfo(sim.lien()).symLinkTarget(), sim.terminal());
        // As at start-up: COM 1 of the program directory, 9600 8N1, 5 s.
        Mesure.port = 1;
        QCOMPARE(ouvrir_port_instrument(), 0);
        QCOMPARE(Acq.port_ouvert, 1);

        std::uint16_t m[18];
        QCOMPARE(lire18(m), 0);
        QCOMPARE(m[0], std::uint16_t(23046)); // x100
        QCOMPARE(m[1], std::uint16_t(4321));  // x1000
        const double s = 230.46 * 4.321;
        QVERIFY(std::fabs(long_en_reel(m, 2, 0.1) - 0.8 * s) <= 0.05);
        QVERIFY(std::fabs(long_en_reel(m, 4, 0.1) - 0.6 * s) <= 0.05);
        QCOMPARE(m[6], std::uint16_t(std::lround(s * 10)));
        QCOMPARE(m[7], std::uint16_t(80));
        QCOMPARE(m[8], std::uint16_t(0)); // no inrush outside INRUSH mode
        QCOMPARE(m[9], std::uint16_t(5));
        // Fixed readings: the averages settle on them.
        QCOMPARE(m[10], std::uint16_t(23046));
        QCOMPARE(m[17], std::uint16_t(80));
    }

    void charge_par_defaut_coherente()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim));
        std::uint16_t m[18];
        QCOMPARE(lire18(m), 0);
        const double v = m[0] * 0.01, i = m[1] * 0.001;
        const double p = long_en_reel(m, 2, 0.1), q = long_en_reel(m, 4, 0.1), s = m[6] * 0.1;
        QVERIFY2(v > 220.0 && v < 240.0, qPrintable(QString::number(v)));
        QVERIFY(i > 0.5);
        QVERIFY(i < 10.3);
        QVERIFY(std::fabs(s - v * i) < 0.01 * s + 0.2);
        QVERIFY(std::fabs(std::hypot(p, q) - s) < 0.01 * s + 0.2);
        QVERIFY(std::fabs(m[7] * 0.01 - p / s) < 0.011);
        QCOMPARE(m[9], std::uint16_t(0));
    }

    void reponses_fautives_data()
    {
        QTest::addColumn<QString>("faute");
        QTest::addColumn<int>("statut");
        QTest::newRow("corrupted data byte") << "corrupt on" << JBUS_CRC_ERRONE;
        QTest::newRow("slave 2") << "reply-slave 2" << JBUS_ESCLAVE_ERRONE;
        QTest::newRow("wrong byte count") << "bad-count on" << JBUS_NOMBRE_ERRONE;
        QTest::newRow("exception") << "exception 4" << JBUS_FONCTION_ERRONEE;
    }
    void reponses_fautives()
    {
        QFETCH(QString, faute);
        QFETCH(int, statut);
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {faute}));
        std::uint16_t m[18];
        std::fill(std::begin(m), std::end(m), TEMOIN);
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(lire18(m), statut);
        // Every fault is told at once, the exception reply included.
        QVERIFY2(chrono.elapsed() < DELAI * 1000 / 2, qPrintable(QString::number(chrono.elapsed())));
        for (auto w : m)
            QCOMPARE(w, TEMOIN);

        // Once the fault is gone the link works again.
        QVERIFY(sim.commande("faults off"));
        QCOMPARE(lire18(m), 0);
    }

    void silence_puis_delai_ecoule()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"silence on"}));
        std::uint16_t m[18];
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(lire18(m), int(SERIE_ERREUR_DELAI));
        QVERIFY2(chrono.elapsed() >= DELAI * 1000 - 1, qPrintable(QString::number(chrono.elapsed())));
        QVERIFY(chrono.elapsed() < DELAI * 1000 + 1000);
    }

    void reponses_retardees_et_cadence_de_la_ligne()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"delay 150"}));
        std::uint16_t m[18];
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(lire18(m), 0);
        QVERIFY(chrono.elapsed() >= 150);

        // 8 + 41 characters of 10 bits at 9600 bit/s, plus the slave's
        // silence: a little over 51 ms.
        QVERIFY(sim.commande("delay 0"));
        QVERIFY(sim.commande("wire on"));
        chrono.restart();
        QCOMPARE(lire18(m), 0);
        QVERIFY2(chrono.elapsed() >= 50, qPrintable(QString::number(chrono.elapsed())));
    }

    void ecriture_relue()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim));
        const std::uint16_t ecrits[] = {0x0000, 0xFFFF, 0x1234, 65500, 0x8001};
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 5, ecrits), 0);
        std::uint16_t relus[5] = {};
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 100, 5, relus), 0);
        QCOMPARE(std::vector<std::uint16_t>(relus, relus + 5), std::vector<std::uint16_t>(ecrits, ecrits + 5));

        // The measurement words are read only: the slave answers with an
        // exception, told at once.
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 0, 1, ecrits), JBUS_FONCTION_ERRONEE);
        // So is a read past the end of its words.
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 250, 10, relus), JBUS_FONCTION_ERRONEE);
    }

    void modes_indefinis_et_surcharge()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"undefined 0,3,11", "mode inrush", "inrush 35.2"}));
        std::uint16_t m[18];
        QCOMPARE(lire18(m), 0);
        QCOMPARE(m[0], std::uint16_t(65500));
        QCOMPARE(m[11], std::uint16_t(65500));
        std::int32_t p = 0;
        transforme_signes_mots_long_mot(m, 2, p);
        QCOMPARE(p, 65500); // word 3 names the whole pair
        QCOMPARE(m[9], std::uint16_t(16));
        QCOMPARE(m[8], std::uint16_t(352));

        QVERIFY(sim.commande("undefined none"));
        QVERIFY(sim.commande("mode t3fe+smooth+hold"));
        QVERIFY(sim.commande("overload on"));
        QCOMPARE(lire18(m), 0);
        QCOMPARE(m[9], std::uint16_t(7));
        transforme_signes_mots_long_mot(m, 2, p);
        QCOMPARE(p, 65000); // the overload code, 6500.0 once scaled
        QCOMPARE(m[6], std::uint16_t(65000));
        QVERIFY(m[0] * 0.01 > 618.0);
        QVERIFY(m[1] * 0.001 > 10.3);

        QVERIFY(!sim.commande("mode bogus"));
    }

    void maintien_fige_les_mesures()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"mode hold"}));
        std::uint16_t a[18], b[18];
        QCOMPARE(lire18(a), 0);
        QTest::qWait(300); // long enough for the load model to move
        QCOMPARE(lire18(b), 0);
        QCOMPARE(std::vector<std::uint16_t>(a, a + 18), std::vector<std::uint16_t>(b, b + 18));
        QCOMPARE(a[9], std::uint16_t(2));
    }

    void scenario_en_fichier()
    {
        QTemporaryFile f;
        QVERIFY(f.open());
        f.write("# a held display, then smooth\n"
                "0    mode hold\n"
                "0.2  mode smooth   # comment\n");
        f.close();
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"--scenario", f.fileName()}));
        std::uint16_t m[18];
        QCOMPARE(lire18(m), 0);
        QCOMPARE(m[9], std::uint16_t(2));
        QTRY_VERIFY_WITH_TIMEOUT(lire18(m) == 0 && m[9] == 4, 5000);
    }

    void port_inexistant()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim));
        // COM 7's entry leads nowhere.
        QVERIFY(QFile::link("/nonexistent/ttyUSB7", sim.repertoire() + "/ports/COM7"));
        QCOMPARE(ouverture_com(7, 9600, 0, 8, 1, DELAI), -1);
        QCOMPARE(ouverture_com(0, 9600, 0, 8, 1, DELAI), -1);
        QVERIFY(!port_serie().est_ouvert());
        // A setting the port cannot take.
        QCOMPARE(ouverture_com(1, 9600, 9, 8, 1, DELAI), -1);
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, DELAI), 0);
    }

    // A COM number whose entry is missing (its device unplugged and the link
    // gone with it) names that entry still: nothing else is opened, and the
    // failure says where the program looked.
    void entree_absente_rien_d_autre_ouvert()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim));
        QCOMPARE(lire18(std::array<std::uint16_t, 18>{}.data()), 0);
        const QStringList avant = terminaux_ouverts();
        QVERIFY(QFile::remove(sim.lien()));
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, DELAI), -1);
        QCOMPARE(dernier_echec_ouverture().cause, int(SERIE_ERREUR_ABSENT));
        QCOMPARE(dernier_echec_ouverture().peripherique, sim.lien());
        QCOMPARE(terminaux_ouverts().size(), avant.size() - 1);
        // COM 3 has never had an entry, but the ports folder names devices.
        QCOMPARE(ouverture_com(3, 9600, 0, 8, 1, DELAI), -1);
        QCOMPARE(dernier_echec_ouverture().peripherique, sim.repertoire() + "/ports/COM3");
        QVERIFY(terminaux_ouverts().filter("/dev/ttyS").isEmpty());

        // Even with the whole folder gone, COM 1 stays the entry this run found.
        QVERIFY(QDir(sim.repertoire() + "/ports").removeRecursively());
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, DELAI), -1);
        QCOMPARE(dernier_echec_ouverture().peripherique, sim.lien());
        QVERIFY(terminaux_ouverts().filter("/dev/ttyS").isEmpty());
        // Back: the same name is used again.
        QVERIFY(QDir(sim.repertoire()).mkpath("ports"));
        QVERIFY(QFile::link(sim.terminal(), sim.lien()));
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, DELAI), 0);
        QCOMPARE(dernier_echec_ouverture().cause, 0);
    }

    // A port another program holds is refused as in use, naming the holder
    // when it is a VOLTEXA; once it lets go the port opens.
    void port_occupe_data()
    {
        QTest::addColumn<bool>("voltexa");
        QTest::newRow("another VOLTEXA") << true;
        QTest::newRow("another program") << false;
    }
    void port_occupe()
    {
        QFETCH(bool, voltexa);
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer());
        fixer_repertoire_programme(sim.repertoire());
        std::unique_ptr<SerialPort> autre_voltexa;
        QSerialPort autre_programme(sim.lien());
        if (voltexa) {
            autre_voltexa = port_serie_qt();
            autre_voltexa->ouvrir(sim.lien(), 9600, 0, 8, 1, 512, 512);
            QCOMPARE(autre_voltexa->erreur(), 0);
        } else {
            QVERIFY(autre_programme.open(QIODevice::ReadWrite));
        }
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, DELAI), -1);
        QCOMPARE(dernier_echec_ouverture().cause, int(SERIE_ERREUR_OCCUPE));
        QCOMPARE(dernier_echec_ouverture().occupant, voltexa ? qint64(::getpid()) : qint64(0));
        QVERIFY(!port_serie().est_ouvert());

        if (voltexa)
            autre_voltexa->fermer();
        else
            autre_programme.close();
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, DELAI), 0);
        std::uint16_t m[18];
        QCOMPARE(lire18(m), 0);
        // And now this one holds it.
        if (voltexa) {
            autre_voltexa->ouvrir(sim.lien(), 9600, 0, 8, 1, 512, 512);
            QCOMPARE(autre_voltexa->erreur(), int(SERIE_ERREUR_OCCUPE));
            QCOMPARE(autre_voltexa->occupant(), qint64(::getpid()));
        }
    }

    // An answer that comes after its time-out is never taken for the answer
    // to the next request: that one gets its own, fresh answer.
    void reponse_tardive_ecartee()
    {
        SimulateurDeTest sim;
        QVERIFY(relier(sim, {"voltage 230", "delay 750"}));
        std::uint16_t m[18];
        std::fill(std::begin(m), std::end(m), TEMOIN);
        QCOMPARE(lire18(m), int(SERIE_ERREUR_DELAI));
        QCOMPARE(m[0], TEMOIN);
        // The instrument answers promptly again, with another reading; the
        // late answer (230 V) is still on its way when the next read starts.
        QVERIFY(sim.commande("delay 0"));
        QVERIFY(sim.commande("voltage 240"));
        QCOMPARE(lire18(m), 0);
        QCOMPARE(m[0], std::uint16_t(24000));
        // Nothing is left over for the read after.
        QCOMPARE(lire18(m), 0);
        QCOMPARE(m[0], std::uint16_t(24000));
    }

    void le_simulateur_part_proprement()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({}, 4));
        QVERIFY(QFileInfo(sim.lien(4)).isSymLink());
        QCOMPARE(sim.arreter(), 0);
        QVERIFY(!QFileInfo(sim.lien(4)).isSymLink());
        QVERIFY(!QFileInfo::exists(sim.repertoire() + "/ports"));

        // A link of the user's is never replaced.
        SimulateurDeTest autre;
        QVERIFY(QDir(autre.repertoire()).mkpath("ports"));
        QVERIFY(QFile::link("/dev/null", autre.lien(1)));
        QVERIFY(!autre.demarrer());
        QCOMPARE(autre.arreter(), 1);
        QCOMPARE(QFileInfo(autre.lien(1)).symLinkTarget(), QStringLiteral("/dev/null"));

        // A malformed event is refused before anything is made.
        SimulateurDeTest mal;
        QVERIFY(!mal.demarrer({"5 mode sideways"}));
        QCOMPARE(mal.arreter(), 2);
        QVERIFY(!QFileInfo::exists(mal.repertoire() + "/ports"));
    }
};

QTEST_GUILESS_MAIN(TestJbusSimulateur)
#include "test_jbus_simulateur.moc"
