// Start-up: the missing panel file, and a first start on the defaults.
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "graph/panneaux.h"
#include "app/quitter.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/ctrl_menu.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

class TestDemarrage : public QObject {
    Q_OBJECT

private slots:
    void fichier_de_panneaux_absent()
    {
        remise_a_zero_globales();
        PlateformeTest p;
        ProgrammeTest prog(false);
        Mesure.port = 7;
        Acq.port_ouvert = 5;

        QCOMPARE(demarrage(), -1);
        QCOMPARE(p.popups->vus.size(), 1);
        QCOMPARE(p.popups->vus[0].titre, QString());
        QCOMPARE(p.popups->vus[0].texte, QString("FATAL RUNTIME ERROR\n\nFile voltexa.UIR not found !\n"));
        // Nothing else was touched: no panel, no splash wait, no port.
        QCOMPARE(p.horloge->attendu, 0.0);
        QCOMPARE(nb_panel, 0);
        QCOMPARE(Acq.nb_max, 0);
        QCOMPARE(Acq.port_ouvert, 5);
        QCOMPARE(Mesure.port, 7);
        for (int slot : Fen_princ)
            QCOMPARE(slot, 0);
        QCOMPARE(p.popups->attente, 0);
        arreter_voltexa();

        // An unreadable file is the same as a missing one.
        PlateformeTest p2;
        ProgrammeTest prog2(false);
        QFile f(prog2.dir() + "/VOLTEXA.uir");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a resource file");
        f.close();
        QCOMPARE(demarrage(), -1);
        QCOMPARE(p2.popups->vus.size(), 1);
        arreter_voltexa();
    }

    void premier_demarrage()
    {
        // A start in a program directory without a settings file.
        struct PremierDemarrage {
            PlateformeTest plateforme;
            ProgrammeTest programme;
            int resultat = 0;
            PremierDemarrage()
            {
                remise_a_zero_globales();
                QFile::remove(programme.dir() + "/voltexa.ini");
                resultat = demarrage();
            }
            ~PremierDemarrage() { arreter_voltexa(); }
        } s;
        QCOMPARE(s.resultat, 0);
        QCOMPARE(s.plateforme.horloge->attendu, 1.0);
        // A first start has no settings file: message 0, once.
        QCOMPARE(s.plateforme.popups->messages(), QStringList{"File VOLTEXA.INI not found\n"});
        QCOMPARE(s.plateforme.popups->vus.size(), 1);
        QCOMPARE(s.plateforme.popups->attente, 0);

        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA"));
        // The set-up's one channel on COM1 has its graph window.
        QCOMPARE(nb_panel, 2);
        QCOMPARE(Donnee[1].num_fenetre, 1);
        QVERIFY(tk::fenetre(Info[1].panel)->isVisible());
        QCOMPARE(Acq.nb_max, 30000);
        QCOMPARE(Acq.nb_points, 0);
        QCOMPARE(langue, 1);
        QCOMPARE(Mesure.port, 1);
        QCOMPARE(comport, 1);
        QCOMPARE(Mesure.nb_voies, 1);
        QCOMPARE(intervalle_minuterie(), 0.5);
        QVERIFY(!minuterie_active());
        QCOMPARE(Fen_princ[PNL_SPLASH], 0);
        QVERIFY(Fen_princ[PNL_GRAPHE] > 0);
        QVERIFY(Fen_princ[PNL_COULEUR] > 0);
        QVERIFY(Fen_princ[PNL_EXCEL] > 0);
        QVERIFY(Fen_princ[PNL_INDEFINI] > 0);
        for (int i = 0; i < NB_COULEURS; ++i)
            QCOMPARE(colo[i], color[i]);
        QCOMPARE(color[4], 128);

        // The Window menu: three commands, a separator, the Data window's item,
        // then the graph window's.
        QMenu* fen = tk::sous_menu(BARRE_FENETRE);
        QVERIFY(fen);
        QCOMPARE(fen->actions().at(4), tk::action(Info[0].item));
        QCOMPARE(fen->actions().last(), tk::action(Info[1].item));
        QCOMPARE(tk::ItemName(Info[0].item), QString("Data"));
        // Recent files go between Print and the separator before Exit.
        QVERIFY(tk::action(ITEM_SEP_RECENTS)->isSeparator());
        QVERIFY(tk::ItemChecked(ITEM_ENREGIST2));
        QVERIFY(tk::ItemChecked(ITEM_ANGLAIS));
        QVERIFY(tk::ItemChecked(ITEM_TPSABS));
        QVERIFY(!tk::ItemChecked(ITEM_TPSREEL));

        // The Data window, tiled and inactive, with its heading.
        QCOMPARE(tk::couleur_barre_titre(Info[0].panel), 0xC0C0C0);
        QCOMPARE(tk::geometrie(Info[0].panel).top, 70);
        QCOMPARE(liaison<PnlDonnees>(Info[0].panel).entete->text(),
                 QString(" N°   Date       Time      CH1:          "));
        // COM1 cannot be opened: no message, the port stays closed.
        QCOMPARE(Acq.port_ouvert, 0);
    }

    void ouvre_le_port_de_l_instrument()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer());
        remise_a_zero_globales();
        PlateformeTest p;
        ProgrammeTest prog;
        QFile::remove(prog.dir() + "/ports/COM1");
        QVERIFY(QFile::link(sim.terminal(), prog.dir() + "/ports/COM1"));
        QFile::remove(prog.dir() + "/voltexa.ini");
        QCOMPARE(demarrage(), 0);
        QCOMPARE(Acq.port_ouvert, 1);
        // Nothing but the first start's message 0 (no settings file yet).
        QCOMPARE(p.popups->messages(), QStringList{"File VOLTEXA.INI not found\n"});
        QCOMPARE(p.popups->vus.size(), 1);
        arreter_voltexa();
    }

    void fermer_la_fenetre_c_est_quitter()
    {
        SessionTest s;
        QWidget* principale = tk::fenetre(Fen_princ[PNL_PRINC]);
        principale->show();
        QFile::remove(s.programme.dir() + "/voltexa.ini");
        int fins = nb_fins_demandees();
        s.plateforme.popups->reponses << 2; // No
        QVERIFY(!principale->close());
        QVERIFY(principale->isVisible());
        QCOMPARE(s.plateforme.popups->vus.last().titre, QString("Quit"));
        QCOMPARE(nb_fins_demandees(), fins);
        // The settings were written all the same.
        QVERIFY(QFile::exists(s.programme.dir() + "/voltexa.ini"));
        s.plateforme.popups->reponses << 1; // Yes
        principale->close();
        QCOMPARE(nb_fins_demandees(), fins + 1);
    }

    void verrou_des_menus()
    {
        SessionTest s;
        const int barres[] = {BARRE_FICHIER, BARRE_PARAMETRE, BARRE_EDITION, BARRE_OPTIONS,
                              BARRE_AFFICHAGE, BARRE_FENETRE, BARRE_AIDE};
        Ctrl_menu(1);
        for (int b : barres)
            QVERIFY(tk::ItemDimmed(b));
        // Items keep their own state: only the menus are dimmed.
        QVERIFY(!tk::ItemDimmed(ITEM_NOUVEAU));
        Ctrl_menu(0);
        for (int b : barres)
            QVERIFY(!tk::ItemDimmed(b));
    }
};

QTEST_MAIN(TestDemarrage)
#include "test_demarrage.moc"
