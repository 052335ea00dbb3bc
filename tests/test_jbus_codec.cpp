// JBUS conversions and CRC-16, against the protocol's published values.
#include "link/jbus_codec.h"
#include "support/reels_jbus.h"

#include <QTest>

#include <climits>
#include <cstring>

class TestJbusCodec : public QObject {
    Q_OBJECT

private slots:
    void crc_valeurs_de_reference()
    {
        const char* chiffres = "123456789";
        QCOMPARE(calcule_crc_16(reinterpret_cast<const std::uint8_t*>(chiffres), 9), std::uint16_t(0x4B37));
        QCOMPARE(calcule_crc_16(nullptr, 0), std::uint16_t(0xFFFF));
        // The acquisition's request: its frame ends with C5 C7.
        const std::uint8_t requete[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x12};
        QCOMPARE(calcule_crc_16(requete, 6), std::uint16_t(0xC7C5));
        // A frame followed by its own CRC (low byte first) checks to zero.
        const std::uint8_t trame[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x12, 0xC5, 0xC7};
        QCOMPARE(calcule_crc_16(trame, 8), std::uint16_t(0x0000));
    }

    void mots_vers_long_signe_data()
    {
        QTest::addColumn<int>("bas");
        QTest::addColumn<int>("haut");
        QTest::addColumn<qint64>("attendu");
        QTest::newRow("-1") << 0xFFFF << 0xFFFF << qint64(-1);
        QTest::newRow("minimum") << 0x0000 << 0x8000 << qint64(INT32_MIN);
        QTest::newRow("maximum") << 0xFFFF << 0x7FFF << qint64(INT32_MAX);
        QTest::newRow("70196, low half first") << 0x1234 << 0x0001 << qint64(70196);
        QTest::newRow("65500, undefined code as a long") << 0xFFDC << 0x0000 << qint64(65500);
    }
    void mots_vers_long_signe()
    {
        QFETCH(int, bas);
        QFETCH(int, haut);
        QFETCH(qint64, attendu);
        // At a non-zero index, with neighbours that must not leak in.
        const std::uint16_t mots[] = {0xAAAA, std::uint16_t(bas), std::uint16_t(haut), 0x5555};
        std::int32_t v = 0, s = 0;
        transforme_mots_long_mot(mots, 1, v);
        transforme_signes_mots_long_mot(mots, 1, s);
        QCOMPARE(qint64(v), attendu);
        QCOMPARE(qint64(s), attendu);

        std::uint16_t retour[4] = {0x1111, 0x2222, 0x3333, 0x4444};
        transforme_long_mot_mots(v, 1, retour);
        QCOMPARE(retour[1], std::uint16_t(bas));
        QCOMPARE(retour[2], std::uint16_t(haut));
        QCOMPARE(retour[0], std::uint16_t(0x1111));
        QCOMPARE(retour[3], std::uint16_t(0x4444));
    }

    void reels_en_deux_mots()
    {
        // IEEE-754: 1.0f is 0x3F800000, -2.5f is 0xC0200000, low half first.
        std::uint16_t mots[3] = {};
        transforme_reel_mots(1.0f, 0, mots);
        QCOMPARE(mots[0], std::uint16_t(0x0000));
        QCOMPARE(mots[1], std::uint16_t(0x3F80));
        transforme_reel_mots(-2.5f, 1, mots);
        QCOMPARE(mots[1], std::uint16_t(0x0000));
        QCOMPARE(mots[2], std::uint16_t(0xC020));

        const std::uint16_t pi[] = {0x0FDB, 0x4049}; // 3.14159274f
        float r = 0.0f;
        transforme_mots_reel(pi, 0, r);
        QCOMPARE(r, 3.14159274f);
    }

    void mots_en_octets()
    {
        std::uint8_t octets[10];
        std::memset(octets, 0xEE, sizeof octets);
        transforme_mots_en_octet(0x0102, 3, octets);
        QCOMPARE(octets[6], std::uint8_t(0x01));
        QCOMPARE(octets[7], std::uint8_t(0x02));
        QCOMPARE(octets[5], std::uint8_t(0xEE));
        QCOMPARE(octets[8], std::uint8_t(0xEE));
    }

    void octets_en_mot_signe()
    {
        QCOMPARE(transform_mot(0xFF, 0xDC), std::int16_t(-36));
        QCOMPARE(static_cast<std::uint16_t>(transform_mot(0xFF, 0xDC)), std::uint16_t(65500));
        QCOMPARE(transform_mot(0x80, 0x00), std::int16_t(-32768));
        QCOMPARE(transform_mot(0x7F, 0xFF), std::int16_t(32767));
        QCOMPARE(transform_mot(0x00, 0x12), std::int16_t(0x12));
    }

    void copie_des_mots_dans_la_trame()
    {
        const std::uint8_t octets[] = {0x12, 0x34, 0xAB, 0xCD, 0x99, 0x99};
        std::uint8_t trame[12];
        std::memset(trame, 0, sizeof trame);
        ajout_mots_a_ecrir(octets, 2, trame, 7);
        const std::uint8_t attendu[12] = {0, 0, 0, 0, 0, 0, 0, 0x12, 0x34, 0xAB, 0xCD, 0};
        QCOMPARE(std::memcmp(trame, attendu, sizeof trame), 0);
        ajout_mots_a_ecrir(octets, 0, trame, 0);
        QCOMPARE(trame[0], std::uint8_t(0));
    }
};

QTEST_GUILESS_MAIN(TestJbusCodec)
#include "test_jbus_codec.moc"
