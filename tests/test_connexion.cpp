// Connection labels: one graph window per channel, titles, Window-menu items,
// Y labels and the readings list's heading.
#include "socle/globals.h"
#include "socle/liste_releves.h"
#include "socle/panels.h"
#include "graph/fenetres_voies.h"
#include "graph/emplacements.h"
#include "support/fake_platform.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <qcustomplot.h>

namespace {

void voie(int k, int code)
{
    Donnee[k].grandeur = code;
    copie_texte(Donnee[k].libelle, grandeurs[code].libelle);
}
PnlDonnees& donnees() { return liaison<PnlDonnees>(Info[0].panel); }
int decimales(int w) { return liaison<PnlGraphe>(Info[w].panel).graphe->yAxis->numberPrecision(); }

} // namespace

class TestConnexion : public QObject {
    Q_OBJECT

private slots:
    void deux_voies()
    {
        SessionTest s;
        langue = 1;
        Mesure.nb_voies = 2;
        voie(1, 1);
        voie(2, 3);
        // Start-up gave channel 1 its window; channel 2 has none yet.
        QCOMPARE(nb_panel, 2);
        const int p1 = Info[1].panel;
        Donnee[2].num_fenetre = -1;
        donnees().liste->addItem("    1 03-07-2026 10:00:00  230.000   ");
        Acq.nb_points = 1;

        Maj_connexion();
        QCOMPARE(donnees().entete->text(),
                 QString::fromUtf8(" N°   Date       Time     " " CH1: V(V)     " " CH2: I(A)     "));
        QCOMPARE(nb_panel, 3);
        QCOMPARE(Info[1].panel, p1);
        QCOMPARE(Donnee[2].num_fenetre, 2);
        QCOMPARE(tk::titre(Info[1].panel), QString("Channel 1 : V(V)"));
        QCOMPARE(tk::ItemName(Info[2].item), QString("Channel 2 : I(A)"));
        QVERIFY(tk::fenetre(Info[2].panel)->isVisible());
        QCOMPARE(decimales(1), 1);
        QCOMPARE(decimales(2), 3);
        QCOMPARE(donnees().liste->count(), 0);
        QCOMPARE(Acq.nb_points, 0);

        // Again, power factor on channel 2, in French: relabelled, no new window.
        langue = 0;
        voie(2, 11);
        Maj_connexion();
        QCOMPARE(nb_panel, 3);
        QCOMPARE(tk::titre(Info[2].panel), QString("Canal 2 : FP"));
        QCOMPARE(decimales(2), 2);
        QVERIFY(donnees().entete->text().startsWith(QString::fromUtf8(" N°   Date       Heure      CH1")));
    }

    void fenetres_absentes()
    {
        SessionTest s;
        langue = 1;
        voie(1, 5);
        // Window 1 closed, but channel 1 still names it: it gets a new one.
        fermer_graphes();
        Maj_connexion();
        QCOMPARE(nb_panel, 2);
        QCOMPARE(tk::titre(Info[1].panel), QString("Channel 1 : P(W)"));

        // No port: an empty heading and no window.
        fermer_graphes();
        Donnee[1].num_fenetre = -1;
        Mesure.port = 0;
        Maj_connexion();
        QCOMPARE(donnees().entete->text(), QString());
        QCOMPARE(nb_panel, 1);
    }
};

QTEST_MAIN(TestConnexion)
#include "test_connexion.moc"
