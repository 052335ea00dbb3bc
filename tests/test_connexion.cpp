// Connection labels: one graph window per channel, titles, Window-menu items,
// Y labels and the readings list's heading.
#include "acquisition/selection.h"
#include "files/ecran/fichier.h"
#include "lang/ecran/langue.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "socle/ecran/liste_releves.h"
#include "graph/panneaux.h"
#include "graph/fenetres_voies.h"
#include "graph/emplacements.h"
#include "support/inspection.h"
#include "support/banc.h"
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

// Ticks the quantities as the measurement-type dialog's boxes would, then Run.
void lancer(std::initializer_list<int> codes)
{
    for (int c : codes)
        selectionner_case(c, 1);
    ModeEnCours_actuel = AFFICHAGE_INSTANTANE;
    flag_type_mesure = 1;
    Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
    activer_minuterie(false);
}

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

    // What a Run on one quantity shows: the window's title and its
    // Window-menu item, the heading's piece and the decimals of the Y labels.
    void libelles_par_grandeur_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("libelle");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("chiffres"); // decimals of the Y labels
        QTest::newRow("voltage") << 1 << "V(V)" << " CH1: V(V)     " << 1;
        QTest::newRow("average voltage") << 2 << "Vm(V)" << " CH1: Vm(V)    " << 1;
        QTest::newRow("current") << 3 << "I(A)" << " CH1: I(A)     " << 3;
        QTest::newRow("average current") << 4 << "Im(A)" << " CH1: Im(A)    " << 3;
        QTest::newRow("active power") << 5 << "P(W)" << " CH1: P(W)     " << 1;
        QTest::newRow("average active power") << 6 << "Pm(W)" << " CH1: Pm(W)    " << 1;
        QTest::newRow("reactive power") << 7 << "Q(Var)" << " CH1: Q(Var)   " << 1;
        QTest::newRow("average reactive power") << 8 << "Qm(Var)" << " CH1: Qm(Var)  " << 1;
        QTest::newRow("apparent power") << 9 << "S(VA)" << " CH1: S(VA)    " << 1;
        QTest::newRow("average apparent power") << 10 << "Sm(VA)" << " CH1: Sm(VA)   " << 1;
        QTest::newRow("power factor") << 11 << "FP" << " CH1: FP       " << 2;
        QTest::newRow("average power factor") << 12 << "FPm" << " CH1: FPm      " << 2;
    }
    void libelles_par_grandeur()
    {
        QFETCH(int, code);
        QFETCH(QString, libelle);
        QFETCH(QString, piece);
        QFETCH(int, chiffres);
        BancSimulateur b;
        QVERIFY(b.pret);
        lancer({code});
        QCOMPARE(tk::titre(Info[1].panel), "Channel 1 : " + libelle);
        QCOMPARE(tk::ItemName(Info[1].item), "Channel 1 : " + libelle);
        QCOMPARE(donnees().entete->text(), QString::fromUtf8(" N°   Date       Time     ") + piece);
        QCOMPARE(decimales(1), chiffres);
    }

    // The words of the titles and of the heading in each language, two channels.
    void libelles_par_langue_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<QString>("canal");
        QTest::addColumn<QString>("entete");
        QTest::newRow("fr") << 0 << "Canal" << " N°   Date       Heure     ";
        QTest::newRow("en") << 1 << "Channel" << " N°   Date       Time     ";
        QTest::newRow("de") << 2 << "Kanal" << " N°   Datum       Stunde     ";
        QTest::newRow("es") << 3 << "Canal" << " N°   Fecha       Hora     ";
        QTest::newRow("it") << 4 << "Canale" << " N°   Data       Ora     ";
    }
    void libelles_par_langue()
    {
        QFETCH(int, l);
        QFETCH(QString, canal);
        QFETCH(QString, entete);
        BancSimulateur b;
        QVERIFY(b.pret);
        Gestion_options(menu, ITEM_FRANCAIS + l, nullptr, 0);
        lancer({9, 1});
        QCOMPARE(tk::titre(Info[1].panel), canal + " 1 : V(V)");
        QCOMPARE(tk::titre(Info[2].panel), canal + " 2 : S(VA)");
        QCOMPARE(tk::ItemName(Info[2].item), canal + " 2 : S(VA)");
        QCOMPARE(donnees().entete->text(), entete + " CH1: V(V)     " + " CH2: S(VA)    ");
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
