// Full scale of each quantity: the Y range a new window shows and the bound a
// fixed range is narrowed to; and the range check of a stored reading at,
// just inside and just outside each bound of the instrument's range.
#include "acquisition/limites.h"
#include "graph/courbes.h"
#include "graph/emplacements.h"
#include "socle/globals.h"
#include "graph/panneaux.h"
#include "support/fake_platform.h"

#include <QtTest>
#include <qcustomplot.h>

namespace {

struct PleineEchelle {
    int code;
    const char* nom;
    double mini, maxi;
};

const PleineEchelle pleines_echelles[] = {
    {1, "V(V)", 0, 630},          {2, "Vm(V)", 0, 630},         {3, "I(A)", 0, 11},
    {4, "Im(A)", 0, 11},          {5, "P(W)", -6300, 6300},     {6, "Pm(W)", -6300, 6300},
    {7, "Q(Var)", -6300, 6300},   {8, "Qm(Var)", -6300, 6300},  {9, "S(VA)", 0, 6300},
    {10, "Sm(VA)", 0, 6300},      {11, "FP", 0, 1},             {12, "FPm", 0, 1},
};

QCPRange axe_y() { return liaison<PnlGraphe>(Info[1].panel).graphe->yAxis->range(); }

// Channel 1 of quantity `code` in a new graph window 1.
void fenetre(int code)
{
    Ouvrir_graphe();
    Donnee[1].num_fenetre = 1;
    Donnee[1].grandeur = code;
}

// The instrument's range per quantity: which reading the check looks at, its
// bounds and what replaces a reading outside them.
enum Lu { tension, tension_moy, courant, courant_moy, stocke };
struct Plage {
    int code;
    const char* nom;
    Lu lu;
    double bas, haut, remplacement;
};

const Plage plages[] = {
    {1, "V(V)", tension, 0.0, 618.0, 630},
    {2, "Vm(V)", tension_moy, 0.0, 618.0, 630},
    {3, "I(A)", courant, 0.0, 10.3, 11},
    {4, "Im(A)", courant_moy, 0.0, 10.3, 11},
    {5, "P(W)", stocke, -6300.0, 6300.0, 6300},
    {6, "Pm(W)", stocke, -6300.0, 6300.0, 6300},
    {7, "Q(Var)", stocke, -6300.0, 6300.0, 6300},
    {8, "Qm(Var)", stocke, -6300.0, 6300.0, 6300},
    {9, "S(VA)", stocke, -6300.0, 6300.0, 6300},
    {10, "Sm(VA)", stocke, -6300.0, 6300.0, 6300},
    {11, "FP", stocke, -6300.0, 6300.0, 1},
    {12, "FPm", stocke, -6300.0, 6300.0, 1},
};

} // namespace

class TestPleineEchelle : public QObject {
    Q_OBJECT

private slots:
    void fenetre_neuve_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("mini");
        QTest::addColumn<double>("maxi");
        for (const PleineEchelle& p : pleines_echelles)
            QTest::newRow(p.nom) << p.code << p.mini << p.maxi;
    }
    void fenetre_neuve()
    {
        QFETCH(int, code);
        QFETCH(double, mini);
        QFETCH(double, maxi);
        SessionTest s;
        fenetre(code);
        Init_min_max_axe_Y(1);
        QCOMPARE(axe_y().lower, mini);
        QCOMPARE(axe_y().upper, maxi);
        QCOMPARE(Info[1].y_min, mini);
        QCOMPARE(Info[1].y_max, maxi);
    }

    // A range the user fixed wider than the full scale is narrowed to it at
    // the next tick; the inrush current has a scale of its own.
    void plage_fixee_ramenee_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("mini");
        QTest::addColumn<double>("maxi");
        for (const PleineEchelle& p : pleines_echelles)
            QTest::newRow(p.nom) << p.code << (p.code % 2 ? 0 : 4) << p.mini << p.maxi;
        QTest::newRow("inrush") << int(CODE_COURANT) << 16 << 5.0 << 65.0;
    }
    void plage_fixee_ramenee()
    {
        QFETCH(int, code);
        QFETCH(int, mode);
        QFETCH(double, mini);
        QFETCH(double, maxi);
        SessionTest s;
        fenetre(code);
        Acq.en_cours = 1;
        MesureTypeReseau = mode;
        Info[1].y_manuel = 1;
        Info[1].y_mode = 0;
        Info[1].y_min = -10000.0;
        Info[1].y_max = 10000.0;
        Acq.nb_points = 0;
        Donnee[1].releves[0] = 1.0;
        Zoom_AXE_Y(1, Info[1].panel);
        QCOMPARE(axe_y().lower, mini);
        QCOMPARE(axe_y().upper, maxi);
        QCOMPARE(Info[1].y_min, mini);
        QCOMPARE(Info[1].y_max, maxi);
    }

    // Instantaneous quantities go through test_limite, averages through
    // test_limite_moyenne; voltage and current are judged on the reading
    // the instrument gave for them, the others on the value stored.
    void controle_de_plage_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("lu");
        QTest::addColumn<double>("valeur");
        QTest::addColumn<bool>("hors");
        QTest::addColumn<double>("garde"); // what stays in the channel
        const double pas = 0.001;
        for (const Plage& p : plages) {
            const struct {
                const char* ou;
                double v;
                bool hors;
            } points[] = {
                {"below the low bound", p.bas - pas, true},
                {"at the low bound", p.bas, false},
                {"just above the low bound", p.bas + pas, false},
                {"just below the high bound", p.haut - pas, false},
                {"at the high bound", p.haut, false},
                {"above the high bound", p.haut + pas, true},
                {"overload code", 6500.0, true},
            };
            for (const auto& pt : points)
                QTest::addRow("%s %s", p.nom, pt.ou)
                    << p.code << int(p.lu) << pt.v << pt.hors << (pt.hors ? p.remplacement : pt.v);
        }
    }
    void controle_de_plage()
    {
        QFETCH(int, code);
        QFETCH(int, lu);
        QFETCH(double, valeur);
        QFETCH(bool, hors);
        QFETCH(double, garde);
        remise_a_zero_globales();
        // The readings not judged for this quantity are all out of range:
        // looking at the wrong one shows.
        MesureTension = MesureTensionMoy = 700.0;
        MesureCourant = MesureCourantMoy = 20.0;
        switch (Lu(lu)) {
        case tension: MesureTension = valeur; break;
        case tension_moy: MesureTensionMoy = valeur; break;
        case courant: MesureCourant = valeur; break;
        case courant_moy: MesureCourantMoy = valeur; break;
        case stocke: break;
        }
        Acq.nb_points = 7;
        Donnee[1].grandeur = code;
        Donnee[1].releves[7] = valeur;
        const int r = code % 2 ? test_limite(code, 1) : test_limite_moyenne(code, 1);
        QCOMPARE(r, hors ? -1 : 0);
        QCOMPARE(Donnee[1].releves[7], garde);
        QCOMPARE(Donnee[1].releves[6], 0.0);
        QCOMPARE(Donnee[1].releves[8], 0.0);
    }
};

QTEST_MAIN(TestPleineEchelle)
#include "test_pleine_echelle.moc"
