// The measurement-type dialog: ticks, channels, OK and Cancel, against a
// closed port and against the simulated wattmeter.
#include "acquisition/connexion.h"
#include "acquisition/selection.h"
#include "acquisition/ecran/type_mesure.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "acquisition/ecran/panneaux.h"
#include "files/ecran/fichier.h"
#include "graph/emplacements.h"
#include "graph/traces.h"
#include "link/jbus.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

PnlTypeMesure& dialogue() { return liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]); }
void cliquer(int code) { dialogue().cases[code - 1]->click(); }

// Ticked codes: of the open dialog's boxes, and of the selection.
QList<int> cases()
{
    QList<int> l;
    for (int c = 1; c <= NB_GRANDEURS; ++c)
        if (dialogue().cases[c - 1]->isChecked())
            l << c;
    return l;
}
QList<int> selection()
{
    QList<int> l;
    for (int c = 1; c <= NB_GRANDEURS; ++c)
        if (grandeur_mesure[c])
            l << c;
    return l;
}

bool menus_bloques() { return tk::ItemDimmed(BARRE_FICHIER); }

} // namespace

class TestTypeMesure : public QObject {
    Q_OBJECT

private slots:
    // The selection outlives a session, as it outlives an acquisition.
    void init() { Annuler_choix_grandeur(); }

    void deux_grandeurs_au_plus()
    {
        SessionTest s;
        langue = 2;
        ouvrir_type_mesure();
        QVERIFY(menus_bloques());
        QCOMPARE(dialogue().noms[3]->text(), QString("Mittelwert Strom")); // row k - 1 names code k
        // Channels follow the code order, not the order of the ticks.
        cliquer(5);
        cliquer(1);
        QCOMPARE(test_grandeur_mesure(), 2);
        QCOMPARE(QString(Donnee[1].libelle), QString("V(V)"));
        QCOMPARE(QString(Donnee[2].libelle), QString("P(W)"));
        // A third tick springs back.
        cliquer(3);
        QCOMPARE(compteur_grandeur, 2);
        QCOMPARE(cases(), (QList<int>{1, 5}));
        QCOMPARE(selection(), (QList<int>{1, 5}));
        // Untick one, tick another.
        cliquer(1);
        cliquer(3);
        QCOMPARE(compteur_grandeur, 2);
        QCOMPARE(selection(), (QList<int>{3, 5}));

        // Reopened, the dialog ticks the channels' boxes, and they count.
        dialogue().quitter->click();
        ouvrir_type_mesure();
        QCOMPARE(cases(), (QList<int>{3, 5}));
        cliquer(2);
        QCOMPARE(cases(), (QList<int>{3, 5}));
        QCOMPARE(compteur_grandeur, 2);
    }

    void un_clic_efface_les_limites()
    {
        SessionTest s;
        Mesure.nb_voies = 2;
        fermer_graphes();
        Ouvrir_graphe();
        Ouvrir_graphe();
        ouvrir_type_mesure();
        for (int code : {1, 1, 3, 5, 7}) { // tick, untick, tick, tick, refused
            Info[1].limite = 10;
            Info[1].trace_bas = PlotLine(Info[1].panel, 0, 1.0, 30000, 1.0, 0);
            Info[1].trace_haut = PlotLine(Info[1].panel, 0, 9.0, 30000, 9.0, 0);
            Info[2].limite = 11;
            Info[2].trace_haut = PlotLine(Info[2].panel, 0, 5.0, 30000, 5.0, 0);
            cliquer(code);
            for (int w = 1; w <= 2; ++w) {
                QCOMPARE(Info[w].limite, 0);
                QCOMPARE(Info[w].trace_bas + Info[w].trace_haut, 0);
                QCOMPARE(nb_traces(Info[w].panel), 0);
            }
        }
    }

    void annuler_echap_et_lecture_ratee()
    {
        SessionTest s;
        for (bool echap : {false, true}) {
            ouvrir_type_mesure();
            const int p = Fen_princ[PNL_TYPEMES];
            if (!echap)
                cliquer(1);
            echap ? QTest::keyClick(tk::fenetre(p), Qt::Key_Escape) : dialogue().quitter->click();
            QVERIFY(!tk::panel_valide(p));
            QVERIFY(!menus_bloques());
            QCOMPARE(Acq.en_cours, 0);
            QCOMPARE(selection(), QList<int>{1}); // kept for next time
        }

        // OK without an instrument: after the link question the selection goes;
        // reopening the dialog identifies the instrument again, which fails
        // too and ends with message 20 and the menus given back.
        ouvrir_type_mesure();
        const int p = Fen_princ[PNL_TYPEMES];
        s.plateforme.popups->vus.clear();
        s.plateforme.popups->reponses = {2, 2};
        dialogue().bouton_ok->click();
        QCOMPARE(s.plateforme.popups->messages(),
                 QStringList{QString("Invalid message or Time Out\nDevice tried: COM1 → %1/ports/COM1 → %1/ports/absent\n"
                                     "COM1: no device at %1/ports/absent\n")
                                 .arg(s.programme.dir())});
        QVERIFY(!tk::panel_valide(p));
        QCOMPARE(Fen_princ[PNL_TYPEMES], 0);
        QVERIFY(selection().isEmpty());
        QVERIFY(!menus_bloques());
        QCOMPARE(flag_type_mesure, 0);
    }

    void ok_en_mode_moyenne()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"mode smooth"}));
        SessionTest s;
        QDir d(s.programme.dir());
        QFile::remove(d.filePath("ports/COM1"));
        QVERIFY(QFile::link(sim.terminal(), d.filePath("ports/COM1")));
        QCOMPARE(ouvrir_port_instrument(), 0);
        Acq.periode = 1;

        // Nothing ticked: OK only cancels.
        ouvrir_type_mesure();
        dialogue().bouton_ok->click();
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        QVERIFY(!menus_bloques());
        QVERIFY(!tk::ItemDimmed(ITEM_QUITTER));
        QCOMPARE(ModeEnCours_actuel, 2);

        // Voltage does not suit the averaging mode: back with nothing ticked.
        ouvrir_type_mesure();
        int p = Fen_princ[PNL_TYPEMES];
        cliquer(1);
        dialogue().bouton_ok->click();
        QVERIFY(!tk::panel_valide(p));
        QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        QVERIFY(cases().isEmpty());
        QVERIFY(selection().isEmpty());
        QCOMPARE(flag_type_mesure, 0);

        // Average voltage does: the acquisition starts on it.
        p = Fen_princ[PNL_TYPEMES];
        cliquer(2);
        dialogue().bouton_ok->click();
        QCOMPARE(flag_type_mesure, 1);
        QVERIFY(!tk::panel_valide(p));
        QCOMPARE(Acq.en_cours, 1);
        QCOMPARE(QString(Donnee[1].libelle), QString("Vm(V)"));
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
    }
};

QTEST_MAIN(TestTypeMesure)
#include "test_type_mesure.moc"
