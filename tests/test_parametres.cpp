// The Setup menu's commands: time stamps and their check marks, the timer
// each command leaves, what Type of measurement clears, Alarm while running.
#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/selection.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "graph/panneaux.h"
#include "app/parametres.h"
#include "files/ecran/fichier.h"
#include "graph/emplacements.h"
#include "graph/traces.h"
#include "link/jbus.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QtTest>

namespace {

void commande(int item) { Gestion_parametre(menu, item, nullptr, Fen_princ[PNL_PRINC]); }
bool ouvert(PanelKind k) { return Fen_princ[k] > 0 && tk::panel_valide(Fen_princ[k]); }

} // namespace

class TestParametres : public QObject {
    Q_OBJECT

private slots:
    void init() { Annuler_choix_grandeur(); }

    void temps_relatif_et_absolu()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer());
        SessionTest s;
        QFile::remove(s.programme.dir() + "/ports/COM1");
        QVERIFY(QFile::link(sim.terminal(), s.programme.dir() + "/ports/COM1"));
        QCOMPARE(ouvrir_port_instrument(), 0);
        FakeClock& horloge = *s.plateforme.horloge;

        // One acquisition of three readings a second apart; the time column.
        auto temps = [&] {
            selectionner_case(1, 1);
            ModeEnCours_actuel = 1;
            flag_type_mesure = 1;
            Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
            activer_minuterie(false);
            for (int i = 0; i < 3; ++i) {
                horloge.heure = horloge.heure.addSecs(1);
                cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
            }
            s.plateforme.popups->reponses << 2;  // not saved
            Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
            ListeReleves* l = liaison<PnlDonnees>(Info[0].panel).liste;
            QStringList t;
            for (int j = 0; j < l->count(); ++j)
                t << l->texte(j).mid(17, 8);
            return t;
        };

        commande(ITEM_TPSREEL);
        QCOMPARE(Acq.temps_relatif, 1);
        QVERIFY(tk::ItemChecked(ITEM_TPSREEL));
        QVERIFY(!tk::ItemChecked(ITEM_TPSABS));
        QCOMPARE(temps(), (QStringList{"00:00:00", "00:00:01", "00:00:02"}));

        commande(ITEM_TPSABS);
        QCOMPARE(Acq.temps_relatif, 0);
        QVERIFY(tk::ItemChecked(ITEM_TPSABS));
        QVERIFY(!tk::ItemChecked(ITEM_TPSREEL));
        QStringList horaires;
        for (int i = 1; i <= 3; ++i)
            horaires << horloge.heure.addSecs(i).toString("hh:mm:ss");
        QCOMPARE(temps(), horaires);

        // Chosen from the menu itself, as a person does.
        tk::action(ITEM_TPSREEL)->trigger();
        QVERIFY(tk::ItemChecked(ITEM_TPSREEL));
        QVERIFY(!tk::ItemChecked(ITEM_TPSABS));
    }

    void chaque_commande_arrete_la_minuterie()
    {
        SessionTest s;
        for (int item : {ITEM_CONNECTER, ITEM_TYPEMES, ITEM_INTERVAL, ITEM_TPSREEL, ITEM_TPSABS, ITEM_ECHELLE,
                         ITEM_ALARME}) {
            activer_minuterie(true);
            Acq.en_cours = 0;
            commande(item);
            QVERIFY2(!minuterie_active(), qPrintable(QString("item %1").arg(item)));
        }
    }

    void type_de_mesure_efface_limites_et_echelles()
    {
        SessionTest s;
        Mesure.nb_voies = 2;
        fermer_graphes();
        Ouvrir_graphe();
        Ouvrir_graphe();
        for (int w = 1; w <= 2; ++w) {
            Info[w].limite = 10;
            Info[w].y_manuel = 1;
            Info[w].trace_bas = PlotLine(Info[w].panel, 0, 1.0, 30000, 1.0, 0);
        }
        // No instrument answers: the dialog never shows, the limits go anyway.
        commande(ITEM_TYPEMES);
        QVERIFY(!ouvert(PNL_TYPEMES));
        for (int w = 1; w <= 2; ++w) {
            QCOMPARE(Info[w].limite, 0);
            QCOMPARE(int(Info[w].y_manuel), 0);
            QCOMPARE(nb_traces(Info[w].panel), 0);
        }
    }

    void alarme_pas_pendant_une_acquisition()
    {
        SessionTest s;
        Mesure.nb_voies = 1;
        fermer_graphes();
        Ouvrir_graphe();
        grafic = 1;
        Acq.en_cours = 1;
        commande(ITEM_ALARME);
        QVERIFY(!ouvert(PNL_ALARME));
        QCOMPARE(Acq.en_cours, 1);
        Acq.en_cours = 0;
        commande(ITEM_ALARME);
        QVERIFY(ouvert(PNL_ALARME));
    }
};

QTEST_MAIN(TestParametres)
#include "test_parametres.moc"
