// Decoding of a measurement read, the mode mapping and the reading line.
#include "acquisition/decodage.h"
#include "lang/langue.h"
#include "socle/globals.h"
#include "acquisition/ligne.h"

#include <QtTest>

class TestLecture : public QObject {
    Q_OBJECT
    unsigned short mots[NB_MOTS_MESURE] = {};

    // The first number from `pos` on, blanks skipped, as the file reader takes it.
    static double lire(const QString& ligne, int pos, bool* ok = nullptr)
    {
        return ligne.mid(pos).trimmed().section(QLatin1Char(' '), 0, 0).toDouble(ok);
    }

private slots:
    void init()
    {
        remise_a_zero_globales();
        std::fill(std::begin(mots), std::end(mots), 1);
    }

    void code_indefini_par_grandeur()
    {
        // Flag slots: V, I, P, Q, S, FP, then the averages; a pair FFDC/0000 is 65500.
        const int mot[NB_GRANDEURS] = {0, 1, 2, 4, 6, 7, 10, 11, 12, 14, 16, 17};
        const int code[NB_GRANDEURS] = {1, 3, 5, 7, 9, 11, 2, 4, 6, 8, 10, 12};
        for (int k = 0; k < NB_GRANDEURS; ++k) {
            init();
            mots[mot[k]] = 0xFFDC;
            if (code[k] >= 5 && code[k] <= 8)
                mots[mot[k] + 1] = 0;
            decoder_mesures(mots);
            for (int j = 0; j < NB_GRANDEURS; ++j)
                QCOMPARE(int(memo_grandeur_indefinie[j]), j == k ? 1 : 0);
            QCOMPARE(*grandeurs[code[k]].derniere_valeur, 0.0);
            mots[mot[k]] = 1;  // the next defined reading clears the flag
            decoder_mesures(mots);
            QCOMPARE(int(memo_grandeur_indefinie[k]), 0);
        }
    }

    void valeurs_decodees()
    {
        // 65535 would wrap to 0 V if the rounding were cut to 16 bits.
        const int bruts[] = {23046, 23044, 61800, 65499, 65535};
        const double volts[] = {230.5, 230.4, 618.0, 655.0, 655.4};
        for (int i = 0; i < 5; ++i) {
            mots[0] = mots[10] = static_cast<unsigned short>(bruts[i]);
            decoder_mesures(mots);
            QVERIFY(qFuzzyCompare(MesureTension, volts[i]));
            QVERIFY(qFuzzyCompare(MesureTensionMoy, volts[i]));
        }
        for (int w : {2, 4, 12, 14})
            mots[w] = mots[w + 1] = 0xFFFF;
        mots[9] = 0xFFFF;
        decoder_mesures(mots);
        for (double p : {MesurePuisActive, MesurePuisReactive, MesurePuisActiveMoy, MesurePuisReactiveMoy})
            QCOMPARE(p, -0.1);
        QCOMPARE(MesureTypeReseau, -1.0);  // signed mode word
        mots[2] = 0xFFDC;                  // over FFFF: -36, defined
        decoder_mesures(mots);
        QVERIFY(qFuzzyCompare(MesurePuisActive, -3.6));
        QVERIFY(memo_grandeur_indefinie[2] == 0);
        QVERIFY(qFuzzyCompare(MesureCourant, 0.001));
        QVERIFY(qFuzzyCompare(MesureFacteurPuisMoy, 0.01));
    }

    void modes()
    {
        struct { int avant, mot, suite, apres; } cas[] = {{1, 0, 1, 1}, {3, 0, 0, 1}, {1, 4, 1, 2},
            {3, 5, 0, 2}, {1, 2, 0, 3}, {2, 7, 0, 3}, {1, 16, 1, 1}, {2, 9, 1, 2}, {1, -1, 1, 1}};
        for (const auto& c : cas) {
            ModeEnCours_actuel = c.avant;
            MesureTypeReseau = c.mot;
            QCOMPARE(suite_annule(), c.suite);
            QCOMPARE(ModeEnCours_actuel, c.apres);
        }
        langue = 4;
        QCOMPARE(texte_mode(0) + texte_mode(5) + texte_mode(16) + texte_mode(9), QString(" normale T3FE & Smooth INRUSH"));
    }

    void tete_de_ligne()
    {
        const QDate d(2024, 3, 7);
        const QTime t(9, 5, 3);
        QCOMPARE(tete_ligne(1, d, t, false, 0, 0, 0, 1), QString("    1 03-07-2024 09:05:03 "));
        for (int l : {0, 2, 3, 4})
            QCOMPARE(tete_ligne(1, d, t, false, 0, 0, 0, l), QString("    1 07-03-2024 09:05:03 "));
        // Past midnight the elapsed time keeps counting from the first reading.
        int h, m, s;
        decoupe_hms(ecoule(secondes_depuis_minuit(QTime(0, 0, 5)), 86398.0), h, m, s);
        QCOMPARE(tete_ligne(30000, d, t, true, h, m, s, 0), QString("30000 07-03-2024 00:00:07 "));
    }

    void colonnes_aux_positions_lues()
    {
        const QString tete = tete_ligne(3, QDate(2024, 1, 2), QTime(1, 2, 3), false, 0, 0, 0, 1);
        QString l = tete + colonnes_ligne(1, 12.345678, false, 0, false);
        QCOMPARE(l.mid(26), QString("    12.346   "));
        QCOMPARE(colonnes_ligne(1, 0, true, 0, false), QString("      ----   "));
        l = tete + colonnes_ligne(2, 1.5, false, -2.25, false);
        QCOMPARE(l.mid(POS_VALEUR_VOIE1, LARGEUR_VALEUR) + l.mid(POS_VALEUR_VOIE2, LARGEUR_VALEUR),
                 QString("    1.500   -2.250"));
        QVERIFY(lire(l, 26) == 1.5);
        QVERIFY(lire(l, 37) == -2.25);
        // Channel 1 undefined: channel 2 keeps its place and reads back.
        bool ok = true;
        l = tete + colonnes_ligne(2, 0, true, 42.5, false);
        QCOMPARE(l.mid(26, 15), QString("   ----        "));
        lire(l, 26, &ok);
        QVERIFY(!ok);
        QVERIFY(lire(l, 37) == 42.5);
        QVERIFY(l.size() == 60);
        QCOMPARE(colonnes_ligne(2, 1, false, 0, true).mid(15), QString("      ----         "));
        // The widest readings keep both columns in place.
        l = tete + colonnes_ligne(2, -6300.0, false, 6553.5, false);
        QCOMPARE(l.size(), 60);
        QVERIFY(lire(l, 26) == -6300.0);
        QVERIFY(lire(l, 37) == 6553.5);
        QCOMPARE(l.mid(POS_VALEUR_VOIE1, LARGEUR_VALEUR), QString("-6300.000"));
    }

    // Thousandths as the lines have always shown them: to the nearest, the
    // exact halfway values away from zero, a negative value's sign kept.
    void valeur_au_millieme_data()
    {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<QString>("texte");
        QTest::newRow("below half a thousandth") << 0.0004 << "0.000";
        QTest::newRow("negative below half") << -0.0004 << "-0.000";
        QTest::newRow("negative zero") << -0.0 << "-0.000";
        QTest::newRow("0.0005 lies above half") << 0.0005 << "0.001";
        QTest::newRow("1.0005 lies below half") << 1.0005 << "1.000";
        QTest::newRow("2.0005 lies above half") << 2.0005 << "2.001";
        QTest::newRow("halfway up") << 0.0625 << "0.063";
        QTest::newRow("halfway down") << -0.0625 << "-0.063";
        QTest::newRow("halfway, large") << 4095.9375 << "4095.938";
        QTest::newRow("carried into the units") << 999.9995 << "1000.000";
        QTest::newRow("just below the carry") << 9.9995 << "9.999";
        QTest::newRow("negative below the carry") << -9.9995 << "-9.999";
        QTest::newRow("6553.4995 lies below half") << 6553.4995 << "6553.499";
        QTest::newRow("1234.5675 lies above half") << 1234.5675 << "1234.568";
        QTest::newRow("sum off by one bit") << 0.1 + 0.2 << "0.300";
    }

    void valeur_au_millieme()
    {
        QFETCH(double, valeur);
        QFETCH(QString, texte);
        const QString c = colonnes_ligne(1, valeur, false, 0, false);
        QCOMPARE(c.size(), 13);
        QCOMPARE(c.mid(1, LARGEUR_VALEUR), texte.rightJustified(LARGEUR_VALEUR));
    }
};

QTEST_GUILESS_MAIN(TestLecture)
#include "test_lecture.moc"
