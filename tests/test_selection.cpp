// Choice of quantities: ticks, the refused third tick, channels in code order
// and the fit with the instrument's mode.
#include "acquisition/selection.h"
#include "socle/globals.h"

#include <QtTest>

namespace {
int decochages = 0;
QString libelles() { return QString(Donnee[1].libelle) + Donnee[2].libelle; }
}

class TestSelection : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        remise_a_zero_globales();
        std::fill(std::begin(grandeur_mesure), std::end(grandeur_mesure), 0);
        decocher_cases = nullptr;
    }

    void voies_dans_l_ordre_des_codes()
    {
        QVERIFY(selectionner_case(5, 1) == 1);  // P, then V
        QVERIFY(selectionner_case(1, 1) == 1);
        QCOMPARE(test_grandeur_mesure(), 2);
        QCOMPARE(libelles(), QString("V(V)P(W)"));
        QVERIFY(Donnee[1].grandeur == 1);
        QVERIFY(Donnee[2].grandeur == 5);
        QVERIFY(compte_tens == 1);
        QVERIFY(compte_puis == 2);
        QVERIFY(table_control[1] == 1);
        QVERIFY(table_control[2] == 5);
        QCOMPARE(selectionner_case(3, 1), 0);  // third tick refused
        QVERIFY(compteur_grandeur == 2);
        QVERIFY(grandeur_mesure[3] == 0);
        QVERIFY(checkcour == 0);
        QVERIFY(selectionner_case(1, 0) == 0);
        QVERIFY(selectionner_case(3, 1) == 1);
        QCOMPARE(test_grandeur_mesure(), 2);
        QCOMPARE(libelles(), QString("I(A)P(W)"));
    }

    void compte_toujours_juste()
    {
        selectionner_case(3, 1);
        selectionner_case(3, 1);  // a box ticked again by program counts once
        QCOMPARE(compteur_grandeur, 1);
        selectionner_case(3, 0);
        selectionner_case(3, 0);
        QCOMPARE(compteur_grandeur, 0);
        // Three ticks forced in: two channels, nothing past table_control.
        grandeur_mesure[12] = grandeur_mesure[4] = grandeur_mesure[8] = 1;
        QCOMPARE(test_grandeur_mesure(), 2);
        QCOMPARE(libelles(), QString("Im(A)Qm(Var)"));
    }

    void annulation_et_mode()
    {
        decocher_cases = [] { ++decochages; };
        selectionner_case(2, 1);
        selectionner_case(6, 1);
        Annuler_choix_grandeur();
        QVERIFY(decochages == 1);
        QVERIFY(compteur_grandeur == 0);
        QVERIFY(checktensm == 0);
        QVERIFY(checkpuism == 0);
        QCOMPARE(test_grandeur_mesure(), 0);
        QVERIFY(!selection_convient(1, 2));
        QVERIFY(selection_convient(2, 2));
        QVERIFY(!selection_convient(12, 1));
        QVERIFY(selection_convient(11, 1));
        QVERIFY(selection_convient(1, 3));
        QVERIFY(selection_convient(2, 16));
        QVERIFY(selection_convient(0, 1));
    }
};

QTEST_GUILESS_MAIN(TestSelection)
#include "test_selection.moc"
