// The simulated wattmeter's register encoding and load model, checked with
// the decoding the acquisition applies (voltage /100, current /1000, powers
// /10 signed 32-bit low word first, power factor /100, inrush /10).
#include "link/jbus_codec.h"
#include "sim/registres.h"

#include <QTest>

#include <cmath>

using namespace sim;

class TestSimRegistres : public QObject {
    Q_OBJECT

    static std::int32_t paire(const std::array<std::uint16_t, NB_MOTS_MESURE>& m, int i)
    {
        std::int32_t v = 0;
        transforme_signes_mots_long_mot(m.data(), i, v);
        return v;
    }

private slots:
    void encodage_des_18_mots()
    {
        Releve r;
        r.inst = {230.46, 4.321, -0.1, 7019.6, 1000.04, 0.8};
        r.moy = {229.99, 0.0006, -7019.6, -1.0, 999.94, 0.806};
        r.inrush = 42.04;
        r.mode = MODE_T3FE | MODE_SMOOTH;
        const auto m = encoder_registres(r);
        QCOMPARE(m[MOT_TENSION], std::uint16_t(23046));
        QCOMPARE(m[MOT_COURANT], std::uint16_t(4321));
        QCOMPARE(m[MOT_P], std::uint16_t(0xFFFF)); // -1: -0.1 W
        QCOMPARE(m[MOT_P + 1], std::uint16_t(0xFFFF));
        QCOMPARE(m[MOT_Q], std::uint16_t(0x1234)); // 70196, low word first
        QCOMPARE(m[MOT_Q + 1], std::uint16_t(0x0001));
        QCOMPARE(m[MOT_S], std::uint16_t(10000));
        QCOMPARE(m[MOT_FP], std::uint16_t(80));
        QCOMPARE(m[MOT_INRUSH], std::uint16_t(420));
        QCOMPARE(m[MOT_MODE], std::uint16_t(5));
        QCOMPARE(m[MOT_TENSION_MOY], std::uint16_t(22999));
        QCOMPARE(m[MOT_COURANT_MOY], std::uint16_t(1)); // rounded, not truncated
        QCOMPARE(paire(m, MOT_P_MOY), -70196);
        QCOMPARE(paire(m, MOT_Q_MOY), -10);
        QCOMPARE(m[MOT_S_MOY], std::uint16_t(9999));
        QCOMPARE(m[MOT_FP_MOY], std::uint16_t(81));
    }

    void jamais_le_code_indefini_par_hasard()
    {
        // Values that would encode as 65500 or beyond stay defined.
        QCOMPARE(mot_non_signe(655.0, 100.0), std::uint16_t(65499));
        QCOMPARE(mot_non_signe(700.0, 100.0), std::uint16_t(65499));
        QCOMPARE(mot_non_signe(-3.0, 100.0), std::uint16_t(0));
        QCOMPARE(mot_non_signe(std::nan(""), 10.0), std::uint16_t(0));
        std::uint16_t w[2];
        long_signe(6550.0, 10.0, w, 0);
        std::int32_t v = 0;
        transforme_mots_long_mot(w, 0, v);
        QCOMPARE(v, 65499);
        long_signe(1e12, 10.0, w, 0);
        transforme_mots_long_mot(w, 0, v);
        QCOMPARE(v, INT32_MAX);
        long_signe(-1e12, 10.0, w, 0);
        transforme_mots_long_mot(w, 0, v);
        QCOMPARE(v, INT32_MIN);
    }

    void mots_indefinis()
    {
        std::array<std::uint16_t, NB_MOTS_MESURE> m{};
        rendre_indefini(m, MOT_Q + 1); // a high word names its pair
        rendre_indefini(m, MOT_FP_MOY);
        QCOMPARE(paire(m, MOT_Q), 65500);
        QCOMPARE(m[MOT_Q], std::uint16_t(0xFFDC));
        QCOMPARE(m[MOT_FP_MOY], std::uint16_t(65500));
        QCOMPARE(m[MOT_S], std::uint16_t(0));
        rendre_indefini(m, NB_MOTS_MESURE); // outside the map: nothing
    }

    void noms_de_mode()
    {
        QCOMPARE(mode_depuis_nom("normal"), std::optional<int>(0));
        QCOMPARE(mode_depuis_nom("Hold"), std::optional<int>(2));
        QCOMPARE(mode_depuis_nom("t3fe+smooth+hold"), std::optional<int>(7));
        QCOMPARE(mode_depuis_nom("inrush"), std::optional<int>(16));
        QCOMPARE(mode_depuis_nom("12"), std::optional<int>(12));
        QCOMPARE(mode_depuis_nom("65536"), std::nullopt);
        QCOMPARE(mode_depuis_nom("hold+"), std::nullopt);
        QCOMPARE(mode_depuis_nom("sideways"), std::nullopt);
    }

    void moyennes_lissees()
    {
        Lissage l(8.0);
        const Grandeurs bas = puissances(230.0, 1.0, 0.0);
        const Grandeurs haut = puissances(230.0, 5.0, std::acos(0.8));
        QCOMPARE(l.ajouter(bas, 0.5).courant, 1.0); // starts on the first reading
        // One time constant after a step: 63 % of the way.
        for (int k = 0; k < 16; ++k)
            l.ajouter(haut, 0.5);
        QVERIFY(std::fabs(l.moyenne().courant - (1.0 + 4.0 * (1.0 - std::exp(-1.0)))) < 1e-9);
        for (int k = 0; k < 400; ++k)
            l.ajouter(haut, 0.5);
        QVERIFY(std::fabs(l.moyenne().p - haut.p) < 1e-6);
        QVERIFY(std::fabs(l.moyenne().fp - 0.8) < 1e-9);
    }
};

QTEST_GUILESS_MAIN(TestSimRegistres)
#include "test_sim_registres.moc"
