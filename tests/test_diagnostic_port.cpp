// What the user is told about a COM port that cannot be used: the device
// tried (the ports/ entry or the default device, and where a link leads) and
// why it failed, from the serial layer's report, in the current language.
// Real devices where this account can make the failure; the serial double
// for the rest (a device in use, permission denied as root, a silent line).
#include "socle/globals.h"
#include "socle/platform.h"
#include "lang/port_texte.h"
#include "link/jbus.h"
#include "link/jbus_codec.h"
#include "link/serial.h"
#include "support/fake_serial.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

class TestDiagnosticPort : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        remise_a_zero_globales();
        oublier_entrees_com();
    }
    void cleanup()
    {
        fermeture_com(1);
        langue = 1;
    }

    // Each row: how COM n fails, in which language, and the two lines the
    // user reads. %D is the program's folder; ports/COM1 there leads to
    // %D/ttyUSB0, a file only its owner may use.
    void peripherique_et_cause_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QString>("attendu");

        QTest::newRow("no entry for COM2")
            << 1 << "reel COM2"
            << "Device tried: COM2 → %D/ports/COM2\nCOM2: no device at %D/ports/COM2";
        QTest::newRow("link leading nowhere, French")
            << 0 << "reel lien mort"
            << "Périphérique essayé : COM7 → %D/ports/COM7 → /nonexistent/ttyUSB7\n"
               "COM7 : aucun périphérique en /nonexistent/ttyUSB7";
        QTest::newRow("no ports folder: the default device")
            << 1 << "reel defaut"
            << "Device tried: COM200 → /dev/ttyS199 (default device; a link %D/ports/COM200 chooses another)\n"
               "COM200: no device at /dev/ttyS199";
        QTest::newRow("not a serial device: the system's words")
            << 1 << "reel pas un terminal"
            << "Device tried: COM3 → %D/ports/COM3 → /dev/null\nCOM3: /dev/null cannot be used: "
                   + QString::fromLocal8Bit(std::strerror(ENOTTY));
        QTest::newRow("permission denied, English")
            << 1 << "permission"
            << "Device tried: COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1: permission denied on %D/ttyUSB0.\nYour account must be in the dialout group: "
               "sudo adduser $USER dialout, then log out and log in again.";
        QTest::newRow("permission denied, German")
            << 2 << "permission"
            << "Versuchtes Gerät: COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1: Zugriff auf %D/ttyUSB0 verweigert.\nIhr Konto muss zur Gruppe dialout gehören: "
               "sudo adduser $USER dialout, dann ab- und wieder anmelden.";
        QTest::newRow("in use by another program, Spanish")
            << 3 << "occupe"
            << "Dispositivo probado: COM1 → %D/ports/COM1 → %D/ttyUSB0\nCOM1 está en uso por otro programa";
        QTest::newRow("another error, Italian")
            << 4 << "systeme"
            << "Dispositivo provato: COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1: %D/ttyUSB0 non è utilizzabile: Input/output error";
        QTest::newRow("opened, nothing answered")
            << 1 << "muet"
            << "Device tried: COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1: %D/ttyUSB0 is open, but nothing answered within 5 s";
        QTest::newRow("nothing answered, still said once the port is opened again")
            << 1 << "muet puis rouvert"
            << "Device tried: COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1: %D/ttyUSB0 is open, but nothing answered within 5 s";
        QTest::newRow("an answer that is not valid, French")
            << 0 << "reponse invalide"
            << "Périphérique essayé : COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1 : une réponse est arrivée par %D/ttyUSB0, mais elle n'est pas valide";
        QTest::newRow("the device failed while open")
            << 1 << "ecriture"
            << "Device tried: COM1 → %D/ports/COM1 → %D/ttyUSB0\n"
               "COM1: %D/ttyUSB0 cannot be used: Input/output error";
        QTest::newRow("a success after a failure says nothing more")
            << 1 << "muet puis bon" << "Device tried: COM1 → %D/ports/COM1 → %D/ttyUSB0";
    }
    void peripherique_et_cause()
    {
        QFETCH(int, l);
        QFETCH(QString, cas);
        QFETCH(QString, attendu);

        QTemporaryDir dossier;
        const QString d = dossier.path();
        fixer_repertoire_programme(d);
        QFile appareil(d + "/ttyUSB0");
        QVERIFY(appareil.open(QIODevice::WriteOnly));
        QVERIFY(appareil.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        appareil.close();
        if (cas != "reel defaut") {
            QVERIFY(QDir(d).mkpath("ports"));
            QVERIFY(QFile::link(d + "/ttyUSB0", d + "/ports/COM1"));
        }

        std::unique_ptr<PortSerieDeTest> double_;
        if (!cas.startsWith("reel"))
            double_ = std::make_unique<PortSerieDeTest>();
        const auto ouvrir = [](int port) { return ouverture_com(port, 9600, 0, 8, 1, 5.0); };
        std::uint16_t mots[18];
        if (cas == "reel COM2") {
            QCOMPARE(ouvrir(2), -1);
        } else if (cas == "reel lien mort") {
            QVERIFY(QFile::link("/nonexistent/ttyUSB7", d + "/ports/COM7"));
            QCOMPARE(ouvrir(7), -1);
        } else if (cas == "reel defaut") {
            QVERIFY(!QFile::exists("/dev/ttyS199"));
            QCOMPARE(ouvrir(200), -1);
        } else if (cas == "reel pas un terminal") {
            QVERIFY(QFile::link("/dev/null", d + "/ports/COM3"));
            QCOMPARE(ouvrir(3), -1);
        } else if (cas == "permission") {
            (*double_)->erreur_ouverture = SERIE_ERREUR_PERMISSION;
            (*double_)->texte_erreur = "Permission denied";
            QCOMPARE(ouvrir(1), -1);
        } else if (cas == "occupe") {
            (*double_)->erreur_ouverture = SERIE_ERREUR_OCCUPE;
            QCOMPARE(ouvrir(1), -1);
        } else if (cas == "systeme") {
            (*double_)->erreur_ouverture = SERIE_ERREUR_OUVERTURE;
            (*double_)->texte_erreur = "Input/output error";
            QCOMPARE(ouvrir(1), -1);
        } else if (cas.startsWith("muet")) {
            QCOMPARE(ouvrir(1), 0);
            QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, mots), int(SERIE_ERREUR_DELAI));
            if (cas == "muet puis rouvert")
                QCOMPARE(ouvrir(1), 0);
            if (cas == "muet puis bon") {
                (*double_)->repondre = [&](const std::vector<std::uint8_t>&) {
                    std::vector<std::uint8_t> r{0x01, 0x03, 36};
                    r.resize(3 + 36, 0);
                    const std::uint16_t crc = calcule_crc_16(r.data(), int(r.size()));
                    r.push_back(crc & 0xFF);
                    r.push_back(crc >> 8);
                    (*double_)->a_lire.assign(r.begin(), r.end());
                };
                QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, mots), 0);
            }
        } else if (cas == "reponse invalide") {
            QCOMPARE(ouvrir(1), 0);
            (*double_)->repondre = [&](const std::vector<std::uint8_t>&) {
                (*double_)->a_lire.assign(41, 0x55);
            };
            QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, mots), JBUS_CRC_ERRONE);
        } else if (cas == "ecriture") {
            QCOMPARE(ouvrir(1), 0);
            (*double_)->erreur_ecriture = SERIE_ERREUR_ECRITURE;
            (*double_)->texte_erreur = "Input/output error";
            QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, mots), int(SERIE_ERREUR_ECRITURE));
        }
        langue = l;
        QCOMPARE(texte_diagnostic_port(diagnostic_liaison()), attendu.replace("%D", d));
    }

    // Permission denied on a real device, where the account is not root
    // (root may open anything).
    void permission_refusee_sur_un_vrai_fichier()
    {
        if (::geteuid() == 0)
            QSKIP("root may read and write any file");
        QTemporaryDir dossier;
        fixer_repertoire_programme(dossier.path());
        QVERIFY(QDir(dossier.path()).mkpath("ports"));
        QFile f(dossier.path() + "/ports/COM1");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner));
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, 5.0), -1);
        QCOMPARE(dernier_echec_ouverture().cause, int(SERIE_ERREUR_PERMISSION));
        langue = 1;
        QVERIFY(texte_diagnostic_port(diagnostic_liaison()).contains("sudo adduser $USER dialout"));
    }
};

QTEST_GUILESS_MAIN(TestDiagnosticPort)
#include "test_diagnostic_port.moc"
