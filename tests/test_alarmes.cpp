// User limits of a graph window: the alarm dialog, the limit lines and the beeps.
#include "acquisition/ecran/alarmes.h"
#include "graph/lignes_limites.h"
#include "socle/ecran/menus.h"
#include "acquisition/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "graph/emplacements.h"
#include "graph/traces.h"
#include "support/inspection.h"
#include "support/fake_platform.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QtTest>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

// Levels of the lines drawn in window 1, sorted.
QList<double> niveaux()
{
    QList<double> n;
    QCustomPlot* g = liaison<PnlGraphe>(Info[1].panel).graphe;
    for (int i = 0; i < g->graphCount(); ++i)
        n << g->graph(i)->data()->at(0)->value;
    std::sort(n.begin(), n.end());
    return n;
}

// Opens the dialog for window 1, ticks the boxes given a level (NAN: unticked) and presses OK.
void regler(double bas, double haut, bool bip = false)
{
    grafic = 1;
    ouvrir_alarme();
    PnlAlarme& a = liaison<PnlAlarme>(Fen_princ[PNL_ALARME]);
    a.case_bas->setChecked(!std::isnan(bas));
    a.case_haut->setChecked(!std::isnan(haut));
    QCOMPARE(a.seuil_bas->isEnabled(), !std::isnan(bas));
    if (!std::isnan(bas))
        a.seuil_bas->setValue(bas);
    if (!std::isnan(haut))
        a.seuil_haut->setValue(haut);
    a.case_alarme->setChecked(bip);
    a.bouton_ok->click();
}

} // namespace

class TestAlarmes : public QObject {
    Q_OBJECT

private slots:
    void dialogue()
    {
        SessionTest s;
        Ouvrir_graphe();
        grafic = -1;
        ouvrir_alarme();
        QCOMPARE(s.plateforme.popups->vus.size(), 1); // error 4
        grafic = 0;
        ouvrir_alarme();
        QCOMPARE(Fen_princ[PNL_ALARME], 0);

        regler(100.0, NAN);
        QCOMPARE(Info[1].limite, 1);
        QCOMPARE(niveaux(), QList<double>{100.0});
        QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));

        regler(200.0, 100.0, true);
        QCOMPARE(Info[1].limite, 10);
        QCOMPARE(Info[1].seuil_bas, 100.0);
        QCOMPARE(niveaux(), (QList<double>{100.0, 200.0}));

        // Reopened as left; Escape changes nothing and gives the menus back.
        ouvrir_alarme();
        PnlAlarme& a = liaison<PnlAlarme>(Fen_princ[PNL_ALARME]);
        QVERIFY(a.case_bas->isChecked());
        QVERIFY(a.case_haut->isChecked());
        QVERIFY(a.case_alarme->isChecked());
        QCOMPARE(a.seuil_haut->value(), 200.0);
        QVERIFY(tk::ItemDimmed(BARRE_FICHIER));
        a.case_bas->setChecked(false);
        QTest::keyClick(tk::fenetre(Fen_princ[PNL_ALARME]), Qt::Key_Escape);
        QCOMPARE(Fen_princ[PNL_ALARME], 0);
        QCOMPARE(Info[1].limite, 10);
        QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));

        regler(NAN, NAN);
        QCOMPARE(Info[1].limite, 0);
        QCOMPARE(nb_traces(Info[1].panel), 0);
    }

    void bips_a_chaque_releve()
    {
        SessionTest s;
        Ouvrir_graphe();
        int& bips = s.plateforme.beep->bips;
        Info[1].limite = 10;
        Info[1].seuil_bas = 100.0;
        Info[1].seuil_haut = 200.0;
        Info[1].alarme = 1;
        for (double v : {99.9, 100.0, 200.0, 200.1})
            limites_tick(1, v);
        QCOMPARE(bips, 2);
        QCOMPARE(nb_traces(Info[1].panel), 2); // redrawn, not piled up
        Info[1].limite = 11; // the low line goes, low readings are quiet
        limites_tick(1, 50.0);
        QCOMPARE(niveaux(), QList<double>{200.0});
        Info[1].alarme = 0;
        limites_tick(1, 500.0);
        QCOMPARE(bips, 2);
    }
};

QTEST_MAIN(TestAlarmes)
#include "test_alarmes.moc"
