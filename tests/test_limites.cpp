// Range checks of stored readings and the beeps of the user limits.
#include "acquisition/limites.h"

#include <QtTest>

using R = QPair<int, double>;

// Stores `lu` as channel k's reading and checks it: the result and what stays stored.
static R verifie(int (*test)(int, int), int code, int k, double lu)
{
    Donnee[k].grandeur = code;
    Donnee[k].releves[Acq.nb_points] = lu;
    const int r = test(code, k);
    return {r, Donnee[k].releves[Acq.nb_points]};
}

class TestLimites : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        remise_a_zero_globales();
        Acq.nb_points = 5;
    }

    void hors_echelle()
    {
        MesureTension = 620.0;
        QCOMPARE(verifie(test_limite, 1, 1, 620.0), R(-1, 630.0));
        MesureTension = 618.0;
        QCOMPARE(verifie(test_limite, 1, 1, 618.0), R(0, 618.0));
        MesureCourant = -0.1;
        QCOMPARE(verifie(test_limite, 3, 1, -0.1), R(-1, 11.0));
        QCOMPARE(verifie(test_limite, 5, 1, -6300.5), R(-1, 6300.0));  // full scale, not the minimum
        QCOMPARE(verifie(test_limite, 5, 1, 6500.0), R(-1, 6300.0));   // overload code
        QVERIFY(Donnee[1].releves[4] == 0.0);
        QVERIFY(Donnee[1].releves[6] == 0.0);
        // Averages look at the average voltage and current only.
        MesureTension = 700.0, MesureTensionMoy = 230.0;
        QCOMPARE(verifie(test_limite_moyenne, 2, 2, 230.0), R(0, 230.0));
        MesureCourantMoy = 10.4;
        QCOMPARE(verifie(test_limite_moyenne, 4, 2, 10.4), R(-1, 11.0));
    }

    void indefini_et_capacite()
    {
        QCOMPARE(verifie([](int, int k) { return test_indefinie(k, 1); }, 1, 1, 12.0), R(1, 0.0));
        QCOMPARE(int(Donnee[1].indefini), 1);
        QCOMPARE(verifie([](int, int k) { return test_indefinie(k, 0); }, 1, 1, 12.0), R(0, 12.0));
        QCOMPARE(int(Donnee[1].indefini), 0);
        // Past the last reading or channel nothing is written.
        Acq.nb_points = NB_RELEVES_MAX;
        MesureTension = 700.0;
        QVERIFY(test_limite(1, 1) == 0);
        QVERIFY(test_indefinie(1, 1) == 1);
        QCOMPARE(test_limite(1, NB_VOIES_TABLE), 0);
    }

    void bips_et_ordre()
    {
        InfoRecord w;
        w.alarme = 1, w.limite = 1, w.seuil_bas = 100.0, w.seuil_haut = 50.0;
        QVERIFY(bips_limites(w, 99.9) == 1);
        QVERIFY(bips_limites(w, 100.0) == 0);
        QVERIFY(bips_limites(w, 150.0) == 0);
        w.limite = 11, w.seuil_haut = 200.0;
        QVERIFY(bips_limites(w, 200.1) == 1);
        QVERIFY(bips_limites(w, 200.0) == 0);
        QVERIFY(bips_limites(w, 50.0) == 0);
        w.alarme = 0;
        QCOMPARE(bips_limites(w, 201.0), 0);
        w.limite = 10;
        w.seuil_bas = 200.0, w.seuil_haut = 100.0, w.trace_bas = 7, w.trace_haut = 8;
        ordonner_limites(w);
        QVERIFY(w.seuil_bas == 100.0);
        QVERIFY(w.seuil_haut == 200.0);
        QVERIFY(w.trace_bas == 8);
        QVERIFY(w.trace_haut == 7);
        w.alarme = 1;
        QVERIFY(bips_limites(w, 99.0) == 1);
        QVERIFY(bips_limites(w, 201.0) == 1);
        QVERIFY(bips_limites(w, 150.0) == 0);
        w.limite = 11, w.seuil_bas = 300.0;
        ordonner_limites(w);
        QCOMPARE(w.seuil_bas, 300.0);
    }
};

QTEST_GUILESS_MAIN(TestLimites)
#include "test_limites.moc"
