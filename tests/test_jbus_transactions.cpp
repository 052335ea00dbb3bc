// JBUS transactions on the serial double: the frames sent, the order of the
// port operations, and the order of the response checks.
#include "acquisition/connexion.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "link/jbus.h"
#include "link/jbus_codec.h"
#include "support/fake_serial.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

using Octets = std::vector<std::uint8_t>;

Octets avec_crc(Octets t)
{
    const std::uint16_t crc = calcule_crc_16(t.data(), static_cast<int>(t.size()));
    t.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    t.push_back(static_cast<std::uint8_t>(crc >> 8));
    return t;
}

// Response to a read of `mots` from slave 1.
Octets reponse_03(const std::vector<std::uint16_t>& mots)
{
    Octets t{0x01, 0x03, static_cast<std::uint8_t>(2 * mots.size())};
    for (auto m : mots) {
        t.push_back(static_cast<std::uint8_t>(m >> 8));
        t.push_back(static_cast<std::uint8_t>(m & 0xFF));
    }
    return avec_crc(t);
}

constexpr std::uint16_t TEMOIN = 0xBEEF;

} // namespace

Q_DECLARE_METATYPE(Octets)

class TestJbusTransactions : public QObject {
    Q_OBJECT

private:
    // Opens COM 1 on the double and answers every request with `reponse`.
    void ouvrir_avec(PortSerieDeTest& port, const Octets& reponse)
    {
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, 5.0), 0);
        port->repondre = [&port, reponse](const Octets&) { port->a_lire.assign(reponse.begin(), reponse.end()); };
        port->journal.clear();
    }

private slots:
    void init()
    {
        remise_a_zero_globales();
        oublier_entrees_com();
        fixer_repertoire_programme(dossier_.path());
    }

    void ouverture_regle_le_port_puis_vide_et_fixe_le_delai()
    {
        PortSerieDeTest port;
        QCOMPARE(ouverture_com(1, 9600, 0, 8, 1, 5.0), 0);
        QCOMPARE(port->journal, QStringList({"ouvrir /dev/ttyS0", "vider", "delai 5"}));

        port->erreur_ouverture = SERIE_ERREUR_OUVERTURE;
        QCOMPARE(ouverture_com(2, 9600, 0, 8, 1, 5.0), -1);
        // No port number: refused without touching a device.
        port->journal.clear();
        QCOMPARE(ouverture_com(0, 9600, 0, 8, 1, 5.0), -1);
        QVERIFY(!port->journal.join(' ').contains("ouvrir"));
    }

    void nom_du_port_selon_le_dossier_ports()
    {
        QCOMPARE(nom_peripherique_com(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(nom_peripherique_com(4), QStringLiteral("/dev/ttyS3"));
        QVERIFY(QDir(dossier_.path()).mkpath("ports"));
        const QString com2 = dossier_.path() + "/ports/COM2";
        // A link that leads nowhere still names the port: opening it fails
        // instead of reaching another device.
        QVERIFY(QFile::link("/nonexistent/ttyUSB9", com2));
        QCOMPARE(nom_peripherique_com(2), com2);
        // Once a ports folder names devices, a COM number without an entry
        // is that missing entry, never the machine's own serial port.
        QCOMPARE(nom_peripherique_com(1), dossier_.path() + "/ports/COM1");
        QFile::remove(com2);
        QCOMPARE(nom_peripherique_com(2), com2);
        QVERIFY(QDir(dossier_.path() + "/ports").removeRecursively());
        // COM 2 was found behind its entry in this run: it stays that entry.
        QCOMPARE(nom_peripherique_com(2), com2);
        QCOMPARE(nom_peripherique_com(1), QStringLiteral("/dev/ttyS0"));
    }

    void ouverture_au_demarrage()
    {
        PortSerieDeTest port;
        Mesure.port = 3;
        Acq.port_ouvert = 1;
        port->erreur_ouverture = SERIE_ERREUR_OUVERTURE;
        ouvrir_port_instrument();
        QCOMPARE(Acq.port_ouvert, 0);

        port->erreur_ouverture = SERIE_OK;
        QCOMPARE(ouvrir_port_instrument(), 0);
        QCOMPARE(Acq.port_ouvert, 1);
        QCOMPARE(port->journal.last(), QStringLiteral("delai 5"));
        QVERIFY(port->journal.contains("ouvrir /dev/ttyS2"));
    }

    void lecture_envoie_la_requete_d_acquisition()
    {
        PortSerieDeTest port;
        std::vector<std::uint16_t> mots(18);
        for (int i = 0; i < 18; ++i)
            mots[i] = static_cast<std::uint16_t>(i * 1000);
        mots[0] = 0xFFDC;
        ouvrir_avec(port, reponse_03(mots));

        std::uint16_t lus[18] = {};
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, lus), 0);
        const Octets attendu{0x01, 0x03, 0x00, 0x00, 0x00, 0x12, 0xC5, 0xC7};
        QCOMPARE(port->ecrit, attendu);
        // Queues emptied before the request; the 41-byte response read within
        // one time-out (the first 5 bytes tell an exception reply apart).
        QCOMPARE(port->journal, QStringList({"vider", "ecrire 8", "pause", "lire 5", "lire 36"}));
        QCOMPARE(lus[0], std::uint16_t(65500));
        QCOMPARE(lus[17], std::uint16_t(17000));
    }

    void ecriture_envoie_la_trame_16()
    {
        PortSerieDeTest port;
        ouvrir_avec(port, avec_crc({0x01, 0x10, 0x00, 0x64, 0x00, 0x02}));
        const std::uint16_t mots[] = {0x1234, 0xABCD};
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 2, mots), 0);
        // Slave, 0x10, address 100, 2 words, 4 bytes, the words, CRC low first.
        const Octets attendu{0x01, 0x10, 0x00, 0x64, 0x00, 0x02, 0x04, 0x12, 0x34, 0xAB, 0xCD, 0x0E, 0x67};
        QCOMPARE(port->ecrit, attendu);
    }

    void verifications_de_la_reponse_03_dans_l_ordre_data()
    {
        QTest::addColumn<Octets>("reponse");
        QTest::addColumn<int>("statut");
        const Octets bonne = reponse_03({0x0102, 0x0304});
        Octets donnee_alteree = bonne;
        donnee_alteree[4] ^= 0x40;
        // Each faulty frame also breaks the checks after the one expected, so
        // that a wrong order shows.
        Octets crc_et_esclave = bonne;
        crc_et_esclave[0] = 2;
        QTest::newRow("corrupt data byte") << donnee_alteree << JBUS_CRC_ERRONE;
        QTest::newRow("CRC checked before slave") << crc_et_esclave << JBUS_CRC_ERRONE;
        QTest::newRow("slave 2, then function and count wrong too")
            << avec_crc({0x02, 0x04, 0x02, 0x01, 0x02, 0x03, 0x04}) << JBUS_ESCLAVE_ERRONE;
        QTest::newRow("function 4, count wrong too")
            << avec_crc({0x01, 0x04, 0x02, 0x01, 0x02, 0x03, 0x04}) << JBUS_FONCTION_ERRONEE;
        QTest::newRow("byte count 2 for 2 words") << avec_crc({0x01, 0x03, 0x02, 0x01, 0x02, 0x03, 0x04})
                                                  << JBUS_NOMBRE_ERRONE;
        QTest::newRow("exception reply") << avec_crc({0x01, 0x83, 0x02}) << JBUS_FONCTION_ERRONEE;
        QTest::newRow("exception reply of slave 2") << avec_crc({0x02, 0x83, 0x02}) << JBUS_ESCLAVE_ERRONE;
        QTest::newRow("short response") << Octets(bonne.begin(), bonne.end() - 1) << int(SERIE_ERREUR_DELAI);
        QTest::newRow("no response") << Octets{} << int(SERIE_ERREUR_DELAI);
    }
    void verifications_de_la_reponse_03_dans_l_ordre()
    {
        QFETCH(Octets, reponse);
        QFETCH(int, statut);
        PortSerieDeTest port;
        ouvrir_avec(port, reponse);
        std::uint16_t mots[3] = {TEMOIN, TEMOIN, TEMOIN};
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 2, mots), statut);
        for (auto m : mots)
            QCOMPARE(m, TEMOIN);
    }

    void reponse_d_exception_sans_attendre_la_longueur()
    {
        PortSerieDeTest port;
        ouvrir_avec(port, avec_crc({0x01, 0x83, 0x02}));
        std::uint16_t mots[18];
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, mots), JBUS_FONCTION_ERRONEE);
        QCOMPARE(port->journal.filter("lire"), QStringList({"lire 5"}));

        // 0x83 with a CRC that does not match is no exception reply: the
        // read goes on for the full length and times out.
        Octets faux = avec_crc({0x01, 0x83, 0x02});
        faux[4] ^= 1;
        ouvrir_avec(port, faux);
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 18, mots), int(SERIE_ERREUR_DELAI));
        QCOMPARE(port->journal.filter("lire"), QStringList({"lire 5", "lire 36"}));
    }

    void verifications_de_la_reponse_16()
    {
        const std::uint16_t mots[] = {1, 2, 3};
        PortSerieDeTest port;
        // The echoed address is not compared; the echoed count is.
        ouvrir_avec(port, avec_crc({0x01, 0x10, 0x07, 0x77, 0x00, 0x03}));
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 3, mots), 0);
        ouvrir_avec(port, avec_crc({0x01, 0x10, 0x00, 0x64, 0x00, 0x02}));
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 3, mots), JBUS_NOMBRE_ERRONE);
        ouvrir_avec(port, avec_crc({0x01, 0x03, 0x00, 0x64, 0x00, 0x02}));
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 3, mots), JBUS_FONCTION_ERRONEE);
        ouvrir_avec(port, avec_crc({0x05, 0x10, 0x00, 0x64, 0x00, 0x03}));
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 3, mots), JBUS_ESCLAVE_ERRONE);
        Octets alteree = avec_crc({0x01, 0x10, 0x00, 0x64, 0x00, 0x03});
        alteree[3] ^= 1;
        ouvrir_avec(port, alteree);
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 3, mots), JBUS_CRC_ERRONE);
        ouvrir_avec(port, avec_crc({0x01, 0x90, 0x02}));
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 100, 3, mots), JBUS_FONCTION_ERRONEE);
    }

    void nombres_hors_limites_refuses_sans_rien_envoyer()
    {
        PortSerieDeTest port;
        ouvrir_avec(port, {});
        std::uint16_t mots[130] = {};
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 0, mots), -1);
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 126, mots), -1);
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 0, 0, mots), -1);
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 0, 124, mots), -1);
        QVERIFY(port->ecrit.empty());

        // The limits themselves go out, in frames of the full size; the
        // answer stops after its header.
        ouvrir_avec(port, {0x01, 0x03, 250, 0x00, 0x00});
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 125, mots), int(SERIE_ERREUR_DELAI));
        QCOMPARE(port->journal.filter("lire"), QStringList({"lire 5", "lire 250"}));
        QCOMPARE(jbus_fonction_16(1, 9600, 1, 0, 123, mots), int(SERIE_ERREUR_DELAI));
        QCOMPARE(port->ecrit.size(), std::size_t(8 + 9 + 246));
        QCOMPARE(port->ecrit[8 + 6], std::uint8_t(246));
    }

    void erreurs_du_port_remontees()
    {
        PortSerieDeTest port;
        ouvrir_avec(port, reponse_03({1}));
        std::uint16_t mots[1] = {TEMOIN};
        // A transaction on a port that is not the one open.
        QCOMPARE(jbus_fonction_03(2, 9600, 1, 0, 1, mots), int(SERIE_ERREUR_PORT_FERME));
        QVERIFY(port->ecrit.empty());

        port->erreur_ecriture = SERIE_ERREUR_ECRITURE;
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 1, mots), int(SERIE_ERREUR_ECRITURE));
        QVERIFY(!port->journal.contains("lire 5"));
        port->erreur_ecriture = SERIE_OK;

        // The output queue is polled until it is empty, then the read.
        port->file_sortie_restante = 3;
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 1, mots), 0);
        QCOMPARE(port->file_sortie_restante, 0);
        QCOMPARE(mots[0], std::uint16_t(1));

        QCOMPARE(fermeture_com(1), 0);
        QCOMPARE(jbus_fonction_03(1, 9600, 1, 0, 1, mots), int(SERIE_ERREUR_PORT_FERME));
        QCOMPARE(fermeture_com(1), -1);
    }

private:
    QTemporaryDir dossier_;
};

QTEST_GUILESS_MAIN(TestJbusTransactions)
#include "test_jbus_transactions.moc"
