// Acquisitions end to end against the simulated wattmeter over a real
// pseudo-terminal: choice of quantities, Run, ticks, readings, curves, the
// notices, mode changes, link failures and the menu states.
#include "acquisition/cycle.h"
#include "acquisition/selection.h"
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "acquisition/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "app/parametres.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "files/journal.h"
#include "graph/affichage.h"
#include "graph/curseurs.h"
#include "graph/edition.h"
#include "graph/legende.h"
#include "acquisition/ligne.h"
#include "graph/traces.h"
#include "link/jbus.h"
#include "link/serial.h"
#include "app/parametres.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/banc.h"
#include "support/simulateur.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QListWidget>
#include <QSerialPort>
#include <QtTest>
#include <qcustomplot.h>

#include <memory>
#include <unistd.h>

namespace {

struct Banc : BancSimulateur {
    using BancSimulateur::BancSimulateur;

    // Ticks the quantities (in this order) as the dialog's boxes would, then Run.
    void lancer(std::initializer_list<int> codes, int mode = 1)
    {
        for (int c : codes)
            selectionner_case(c, 1);
        ModeEnCours_actuel = mode;
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        // Ticks come from the test, not from the clock.
        activer_minuterie(false);
    }

    void tick()
    {
        plateforme.horloge->heure = plateforme.horloge->heure.addSecs(1);
        cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    }

    ListeReleves* liste() { return liaison<PnlDonnees>(Info[0].panel).liste; }

    // Texts of the information notices shown, message then detail.
    QStringList notices;
    void suivre_notices()
    {
        plateforme.horloge->pendant = [this] {
            if (tk::panel_valide(Fen_princ[PNL_INFO])) {
                const PnlInformation& i = liaison<PnlInformation>(Fen_princ[PNL_INFO]);
                notices << i.message->text() + " | " + i.detail->text();
            }
        };
    }
    int points_courbe(int w)
    {
        QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
        int n = 0;
        for (int i = 0; i < g->graphCount(); ++i)
            n = std::max(n, g->graph(i)->data()->size());
        return n;
    }
};

// The program started on COM1 of its own directory, leading to a simulator
// that runs, whether or not the port can be had.
struct Depart {
    SimulateurDeTest sim;
    PlateformeTest plateforme;
    ProgrammeTest programme;
    QString com1() const { return programme.dir() + "/ports/COM1"; }
    bool relier()
    {
        if (!sim.demarrer())
            return false;
        QFile::remove(com1());
        return QFile::link(sim.terminal(), com1());
    }
    int demarrer()
    {
        remise_a_zero_globales();
        oublier_entrees_com();
        Annuler_choix_grandeur();
        return demarrage();
    }
    int questions() const
    {
        int n = 0;
        for (const auto& v : plateforme.popups->vus)
            n += v.genre == "question" && v.titre == "Voltexa";
        return n;
    }
    ~Depart() { arreter_voltexa(); }
};

// Message 20 as the user reads it after the banc's instrument went silent:
// the device COM1 led to, and that nothing answered in the 0.3 s time-out.
QString message_muet(const BancSimulateur& b)
{
    return QString("Invalid message or Time Out\nDevice tried: COM1 → %1/ports/COM1 → %2\n"
                   "COM1: %2 is open, but nothing answered within 0.3 s\n")
        .arg(b.programme.dir(), b.sim.terminal());
}

// Whether message 20 was shown, whatever the lines under it.
bool message_20_vu(const FakePopups& p)
{
    for (const QString& m : p.messages())
        if (m.startsWith("Invalid message or Time Out\n"))
            return true;
    return false;
}

// Reading numbers at the head of the list's lines.
QList<int> numeros(ListeReleves* l)
{
    QList<int> n;
    for (int j = 0; j < l->count(); ++j)
        n << l->texte(j).section(' ', 0, 0, QString::SectionSkipEmpty).toInt();
    return n;
}

} // namespace

class TestAcquisition : public QObject {
    Q_OBJECT

private slots:
    void deux_voies_lignes_et_courbes()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({5, 1});
        QCOMPARE(Mesure.nb_voies, 2);
        QCOMPARE(nb_panel, 3);
        QCOMPARE(Donnee[1].grandeur, 1);
        QCOMPARE(Donnee[2].grandeur, 5);
        QCOMPARE(tk::titre(Info[1].panel), QString("Channel 1 : V(V)"));
        QCOMPARE(tk::titre(Info[2].panel), QString("Channel 2 : P(W)"));
        QVERIFY(Acq.en_cours);

        for (int i = 0; i < 3; ++i)
            b.tick();
        QCOMPARE(Acq.nb_points, 3);
        QCOMPARE(b.liste()->count(), 3);
        for (int j = 0; j < 3; ++j) {
            QString l = b.liste()->texte(j);
            QCOMPARE(l.size(), 60);
            QCOMPARE(l.left(6), QString("%1 ").arg(j + 1, 5));
            // English dates read month first: 03-07-2026.
            QCOMPARE(l.mid(6, 10), QString("03-07-2026"));
            QCOMPARE(l.mid(POS_VALEUR_VOIE1, 9).toDouble(), QString::number(Donnee[1].releves[j], 'f', 3).toDouble());
            QCOMPARE(l.mid(POS_VALEUR_VOIE2, 9).toDouble(), QString::number(Donnee[2].releves[j], 'f', 3).toDouble());
            QVERIFY(Donnee[1].releves[j] > 200);
            QVERIFY(Donnee[1].releves[j] < 260);
            QCOMPARE(point[1][j], Donnee[1].releves[j]);
            QCOMPARE(ptx[j], j);
        }
        QCOMPARE(b.liste()->currentRow(), 2);
        QCOMPARE(b.points_courbe(1), 3);
        QCOMPARE(b.points_courbe(2), 3);
        // The Y axis follows the voltage readings.
        QCPRange y = liaison<PnlGraphe>(Info[1].panel).graphe->yAxis->range();
        QVERIFY(y.lower <= Donnee[1].releves[0]);
        QVERIFY(y.upper >= Donnee[1].releves[0]);
    }

    // Cursor 1 of each window sits on a reading after Stop (the last) and
    // after Open (the first): the read-outs, the readings list's line and a
    // text placed from the Edit menu follow it, with no click in the graph.
    void curseur_1_apres_arret_et_ouverture_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QStringList>("y");
        QTest::addColumn<QList<double>>("valeurs");
        QTest::newRow("voltage") << QList<int>{1} << QStringList{"Y =  231.4  V"} << QList<double>{231.4};
        QTest::newRow("voltage and current") << QList<int>{1, 3} << QStringList{"Y =  231.4  V", "Y =   2.000  A"}
                                             << QList<double>{231.4, 2.0};
    }
    void curseur_1_apres_arret_et_ouverture()
    {
        QFETCH(QList<int>, codes);
        QFETCH(QStringList, y);
        QFETCH(QList<double>, valeurs);
        Banc b;
        QVERIFY(b.pret);
        QVERIFY(b.sim.commande("voltage 231.4"));
        QVERIFY(b.sim.commande("current 2"));
        QTemporaryDir dossier;
        const QString dat = dossier.filePath("arret.dat");
        Acq.periode = 2;
        for (int c : codes)
            selectionner_case(c, 1);
        b.lancer({});
        for (int i = 0; i < 3; ++i)
            b.tick();
        b.plateforme.popups->reponses << 1;  // save: yes
        b.plateforme.popups->saisies << dat;
        Gestion_fichier(menu, ITEM_STOP, nullptr, 0);
        QVERIFY(QFileInfo::exists(dat));

        // `premier`: the reading cursor 1 must stand on; `x`: its time.
        auto verifier = [&](int premier, const QString& x, const char* quand) {
            const int n = codes.size();
            for (int w = 1; w <= n; ++w) {
                int t = 0, i = -1;
                QVERIFY2(point_curseur1(Info[w].panel, t, i), quand);
                QCOMPARE(i, premier);
                QCOMPARE(b.liste()->currentRow(), premier);
                tk::activer(Info[w].panel);
                if (Info[w].legende == 0)
                    Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
                QCOMPARE(texte_controle(Info[w].lect_x), x);
                QCOMPARE(texte_controle(Info[w].lect_y), y[w - 1]);
                // Text 1 lands on the curve at cursor 1.
                Gestion_edition(menu, ITEM_TEXT1, nullptr, Fen_princ[PNL_PRINC]);
                QVERIFY(tk::panel_valide(Fen_princ[PNL_TEXTE]));
                QCOMPARE(memx, double(premier));
                QCOMPARE(memy, valeurs[w - 1]);
                liaison<PnlTexte>(Fen_princ[PNL_TEXTE]).quitter->click();
            }
        };
        verifier(2, "X = 0:00:04", "after Stop");  // reading 2 at 2 s a reading

        QCOMPARE(Ouverture_fichier(dat), 0);
        verifier(0, "X = 0:00:00", "after Open");
    }

    void arret_a_la_limite_de_releves()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({3});
        Acq.nb_max = 10;
        for (int i = 0; i < 10; ++i)
            b.tick();
        QVERIFY(Acq.en_cours);
        b.tick();
        QVERIFY(!Acq.en_cours);
        QCOMPARE(Acq.nb_points, 11);
        // Stop with readings stored offers to save them, No being the default.
        QCOMPARE(b.plateforme.popups->vus.last().genre, QString("question"));
        QCOMPARE(b.plateforme.popups->vus.last().texte, QString("Do you wish to save this data ?"));
        QCOMPARE(b.plateforme.popups->vus.last().defaut, 2);
        b.tick();
        QCOMPARE(Acq.nb_points, 11);
    }

    void valeurs_indefinies_et_hors_limites()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        QVERIFY(b.sim.commande("undefined 0"));
        b.tick();
        b.tick();
        QCOMPARE(Donnee[1].releves[1], 0.0);
        QCOMPARE(b.liste()->texte(1).mid(26), QString("      ----   "));
        QVERIFY(tk::panel_valide(Fen_princ[PNL_INDEFINI]));
        QVERIFY(tk::fenetre(Fen_princ[PNL_INDEFINI])->isVisible());
        QCOMPARE(Mesure.avis_indefini, 1);
        QVERIFY(b.sim.commande("undefined none"));
        b.tick();
        QCOMPARE(Mesure.avis_indefini, 0);
        QVERIFY(Donnee[1].releves[3] > 200);

        QVERIFY(b.sim.commande("overload on"));
        b.tick();
        QCOMPARE(Donnee[1].releves[4], 630.0);
        QCOMPARE(Mesure.avis_limite, 1);
        QVERIFY(tk::panel_valide(Fen_princ[PNL_OVERLOAD]));
        QCOMPARE(Acq.nb_points, 5);
    }

    void affichage_fige_puis_repris()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.suivre_notices();
        b.tick();
        QVERIFY(b.sim.commande("mode hold"));
        b.tick();
        b.tick();
        // Held: announced, nothing recorded, not stopped.
        QCOMPARE(Acq.nb_points, 1);
        QVERIFY(Acq.en_cours);
        QCOMPARE(ModeEnCours_actuel, 3);
        QCOMPARE(b.notices, QStringList{"Mode Hold | New mode"});
        QVERIFY(b.sim.commande("mode normal"));
        b.tick();
        QCOMPARE(Acq.nb_points, 2);
        QVERIFY(Acq.en_cours);
    }

    void changement_de_mode_arrete()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.suivre_notices();
        b.tick();
        b.tick();
        QVERIFY(b.sim.commande("mode smooth"));
        b.plateforme.popups->reponses << 2; // No to saving
        b.tick();
        QVERIFY(!Acq.en_cours);
        QCOMPARE(Acq.nb_points, 0);
        QCOMPARE(b.notices.value(0), QString("Mode Smooth | New mode"));
        QCOMPARE(compteur_grandeur, 0);
        // The measurement-type dialog is open again.
        QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        QVERIFY(tk::fenetre(Fen_princ[PNL_TYPEMES])->isVisible());
    }

    void instrument_muet()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        QVERIFY(b.sim.commande("silence on"));
        b.plateforme.popups->reponses << 2 << 2; // No to going on, No to saving
        b.tick();
        QVERIFY(!Acq.en_cours);
        QCOMPARE(flag_optique, 0);
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_OPTIQUE]));
        QStringList m = b.plateforme.popups->messages();
        QCOMPARE(m.last(), message_muet(b));
        // The readings already stored stay.
        QCOMPARE(Acq.nb_points, 1);
        QCOMPARE(b.liste()->count(), 1);
    }

    void instrument_muet_puis_revenu()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        QVERIFY(b.sim.commande("silence on"));
        // Yes to go on, while the instrument comes back: the notice goes and
        // the reading is taken.
        b.plateforme.popups->reponses << 1;
        b.plateforme.popups->pendant = [&](const PopupVu&) {
            QVERIFY(tk::panel_valide(Fen_princ[PNL_OPTIQUE]));
            QCOMPARE(flag_optique, 1);
            b.sim.commande("silence off");
        };
        b.tick();
        QVERIFY(Acq.en_cours);
        QCOMPARE(Acq.nb_points, 1);
        QCOMPARE(flag_optique, 0);
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_OPTIQUE]));

        // Five failed reads in one tick stop the acquisition with message 20.
        b.plateforme.popups->pendant = nullptr;
        QVERIFY(b.sim.commande("silence on"));
        b.plateforme.popups->vus.clear();
        b.plateforme.popups->reponses = {1, 1, 1, 1, 1, 2};
        // While the question is up, the notice stands above the middle of
        // the main window, where the question box comes.
        int au_dessus = 0;
        b.plateforme.popups->pendant = [&](const PopupVu& v) {
            if (v.titre != "Voltexa")
                return;
            const tk::Geometrie n = tk::geometrie(Fen_princ[PNL_OPTIQUE]);
            const tk::Geometrie m = tk::geometrie(Fen_princ[PNL_PRINC]);
            au_dessus += n.height > 0 && n.top >= m.top && n.top + n.height < m.top + m.height / 2;
        };
        b.tick();
        b.plateforme.popups->pendant = nullptr;
        QCOMPARE(au_dessus, 5);
        // The notice goes with the acquisition.
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_OPTIQUE]));
        QCOMPARE(flag_optique, 0);
        int questions = 0;
        for (const auto& v : b.plateforme.popups->vus)
            questions += v.genre == "question" && v.titre == "Voltexa";
        QCOMPARE(questions, 5);
        QVERIFY(!Acq.en_cours);
        QCOMPARE(b.plateforme.popups->messages().last(), message_muet(b));
    }

    // The instrument unplugged (the simulator killed, its terminal gone) and
    // plugged back while the question is up, behind the same ports/COM1: Yes
    // reopens the port, the acquisition goes on with every reading kept, and
    // the reading taken after the gap carries its own time.
    void instrument_debranche_puis_rebranche()
    {
        SimulateurDeTest rebranche;
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        b.tick();
        QCOMPARE(Acq.nb_points, 2);

        b.sim.processus().kill();
        QVERIFY(b.sim.processus().waitForFinished(5000));
        const QString com1 = b.programme.dir() + "/ports/COM1";
        b.plateforme.popups->reponses << 1;
        int questions = 0;
        b.plateforme.popups->pendant = [&](const PopupVu& v) {
            if (v.titre != "Voltexa")
                return;
            ++questions;
            QCOMPARE(flag_optique, 1);
            QVERIFY(tk::panel_valide(Fen_princ[PNL_OPTIQUE]));
            // A minute goes by before the instrument is back.
            b.plateforme.horloge->heure = b.plateforme.horloge->heure.addSecs(60);
            QVERIFY(rebranche.demarrer());
            QFile::remove(com1);
            QVERIFY(QFile::link(rebranche.terminal(), com1));
        };
        b.tick();
        b.plateforme.popups->pendant = nullptr;
        QCOMPARE(questions, 1);
        QVERIFY(Acq.en_cours);
        QCOMPARE(Acq.port_ouvert, 1);
        QCOMPARE(flag_optique, 0);
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_OPTIQUE]));
        b.tick();
        QCOMPARE(Acq.nb_points, 4);
        QCOMPARE(b.liste()->count(), 4);
        QVERIFY(!message_20_vu(*b.plateforme.popups));
        // The time column: a second between readings, then the minute of the gap.
        QList<int> pas;
        for (int j = 1; j < 4; ++j)
            pas << QTime::fromString(b.liste()->texte(j - 1).mid(17, 8)).secsTo(
                       QTime::fromString(b.liste()->texte(j).mid(17, 8)));
        QCOMPARE(pas, QList<int>({1, 61, 1}));
        for (int j = 0; j < 4; ++j)
            QVERIFY(Donnee[1].releves[j] > 200);
    }

    // Unplugged and not back: each Yes tries the port again and fails at
    // once (no time-out to wait); No ends with message 20, readings kept.
    void instrument_debranche_sans_retour()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        b.sim.processus().kill();
        QVERIFY(b.sim.processus().waitForFinished(5000));
        // ports/COM1 now leads to a terminal that is gone.
        b.plateforme.popups->reponses = {1, 1, 2, 2}; // Yes, Yes, No; No to saving
        QElapsedTimer t;
        t.start();
        b.tick();
        QVERIFY(t.elapsed() < 3000);
        QVERIFY(!Acq.en_cours);
        QCOMPARE(Acq.port_ouvert, 0);
        QCOMPARE(Acq.nb_points, 1);
        // The terminal COM1 leads to is named, as gone.
        QCOMPARE(b.plateforme.popups->messages().last(),
                 QString("Invalid message or Time Out\nDevice tried: COM1 → %1/ports/COM1 → %2\n"
                         "COM1: no device at %2\n")
                     .arg(b.programme.dir(), b.sim.terminal()));
    }

    // Unplugged, Yes while it is away, plugged back behind the same
    // ports/COM1, Yes: the acquisition goes on through the new device, twice
    // over. While nothing is behind COM1 the notice names the entry looked
    // for, or the terminal its link leads to; a device that only went silent
    // is named as open. A device that went silent and was replaced is left
    // too: its descriptor only times out. No other device is ever opened.
    // The reason: %1 the entry ports/COM1, %2 the terminal that was behind it.
    void debranche_oui_rebranche_oui_data()
    {
        QTest::addColumn<QString>("panne");
        QTest::addColumn<QString>("raison");
        QTest::newRow("link goes with the device")
            << "link removed" << "Device tried: COM1 → %1\nCOM1: no device at %1";
        QTest::newRow("link left leading nowhere")
            << "terminal gone" << "Device tried: COM1 → %1 → %2\nCOM1: no device at %2";
        QTest::newRow("device silent, then replaced")
            << "silent" << "Device tried: COM1 → %1 → %2\nCOM1: %2 is open, but nothing answered within 0.3 s";
    }
    void debranche_oui_rebranche_oui()
    {
        QFETCH(QString, panne);
        QFETCH(QString, raison);
        std::unique_ptr<SimulateurDeTest> rebranche;
        Banc b({"voltage 231"});
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        const QString com1 = b.programme.dir() + "/ports/COM1";
        SimulateurDeTest* en_service = &b.sim;
        QStringList ouverts;
        for (int tour = 1; tour <= 2; ++tour) {
            const QString terminal = en_service->terminal();
            if (panne == "silent") {
                QVERIFY(en_service->commande("silence on"));
            } else {
                QCOMPARE(en_service->arreter(), 0);
                if (panne == "link removed")
                    QVERIFY(QFile::remove(com1));
            }
            auto nouveau = std::make_unique<SimulateurDeTest>();
            QStringList raisons;
            b.plateforme.popups->reponses = {1, 1};
            b.plateforme.popups->pendant = [&](const PopupVu& v) {
                if (v.titre != "Voltexa")
                    return;
                const PnlOptique& o = liaison<PnlOptique>(Fen_princ[PNL_OPTIQUE]);
                raisons << (o.continuer->isHidden() ? QString() : o.continuer->text());
                ouverts << terminaux_ouverts();
                if (raisons.size() == 2) {
                    QVERIFY(nouveau->demarrer({"voltage 232"}));
                    QFile::remove(com1);
                    QVERIFY(QFile::link(nouveau->terminal(), com1));
                }
            };
            b.tick();
            b.plateforme.popups->pendant = nullptr;
            QCOMPARE(raisons.size(), 2);
            QCOMPARE(raisons.value(1), QString(raison).replace("%1", com1).replace("%2", terminal));
            QVERIFY(Acq.en_cours);
            QCOMPARE(Acq.nb_points, 1 + tour);
            QCOMPARE(terminaux_ouverts(), QStringList{nouveau->terminal()});
            QVERIFY(!tk::panel_valide(Fen_princ[PNL_OPTIQUE]));
            rebranche = std::move(nouveau);
            en_service = rebranche.get();
        }
        b.tick();
        QCOMPARE(numeros(b.liste()), QList<int>({1, 2, 3, 4}));
        QCOMPARE(Donnee[1].releves[0], 231.0);
        for (int j = 1; j < 4; ++j)
            QCOMPARE(Donnee[1].releves[j], 232.0);
        QVERIFY2(ouverts.filter("/dev/ttyS").isEmpty(), qPrintable(ouverts.join(' ')));
        QVERIFY(!message_20_vu(*b.plateforme.popups));
    }

    // The instrument's answer comes after the time-out: it is dropped, never
    // listed as the next reading. Once the instrument answers in time again,
    // the reading is its fresh one; while every answer is late, nothing is
    // stored and the acquisition stops with message 20.
    void reponse_tardive_jamais_gardee_data()
    {
        QTest::addColumn<bool>("revient");
        QTest::addColumn<QList<int>>("releves");
        QTest::addColumn<double>("derniere_tension");
        QTest::newRow("one late answer") << true << QList<int>({1, 2}) << 240.0;
        QTest::newRow("every answer late") << false << QList<int>({1}) << 230.0;
    }
    void reponse_tardive_jamais_gardee()
    {
        QFETCH(bool, revient);
        QFETCH(QList<int>, releves);
        QFETCH(double, derniere_tension);
        Banc b({"voltage 230"});
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        // The banc's time-out is 0.3 s.
        QVERIFY(b.sim.commande("delay 450"));
        b.plateforme.popups->reponses = revient ? QList<int>{1} : QList<int>{1, 1, 1, 1, 1, 2};
        b.plateforme.popups->pendant = [&](const PopupVu& v) {
            if (v.titre == "Voltexa" && revient) {
                QVERIFY(b.sim.commande("delay 0"));
                QVERIFY(b.sim.commande("voltage 240"));
            }
        };
        b.tick();
        b.plateforme.popups->pendant = nullptr;
        QCOMPARE(numeros(b.liste()), releves);
        QCOMPARE(Acq.nb_points, int(releves.size()));
        QCOMPARE(Donnee[1].releves[releves.size() - 1], derniere_tension);
        QCOMPARE(bool(Acq.en_cours), revient);
        if (!revient)
            QCOMPARE(b.plateforme.popups->messages().last(), message_muet(b));
    }

    // Start-up on a COM1 that cannot be found: with no entry at all it says
    // so, naming the entry; a link to a device not plugged in is left to the
    // first reading. Either way nothing else is opened, and once the device is
    // there the next reading reaches it without asking.
    void port_absent_au_demarrage_data()
    {
        QTest::addColumn<bool>("sans_entree");
        QTest::addColumn<QString>("message");
        QTest::newRow("no entry") << true
                                  << "Invalid serial port number\nDevice tried: COM1 → %1\nCOM1: no device at %1\n";
        QTest::newRow("link leading nowhere") << false << QString();
    }
    void port_absent_au_demarrage()
    {
        QFETCH(bool, sans_entree);
        QFETCH(QString, message);
        Depart d;
        if (sans_entree)
            QVERIFY(QFile::remove(d.com1()));
        QCOMPARE(d.demarrer(), 0);
        QCOMPARE(Acq.port_ouvert, 0);
        QVERIFY(terminaux_ouverts().isEmpty());
        QCOMPARE(d.plateforme.popups->messages(),
                 message.isEmpty() ? QStringList() : QStringList{message.arg(d.com1())});

        QVERIFY(d.relier());
        Gestion_parametre(menu, ITEM_TYPEMES, nullptr, 0);
        QCOMPARE(d.questions(), 0);
        QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        QCOMPARE(Acq.port_ouvert, 1);
        QCOMPARE(terminaux_ouverts(), QStringList{d.sim.terminal()});
    }

    // A second program on a port in use is told so at start-up, and again
    // when it reads, with no question to go on; once the port is free the
    // reading goes through.
    void port_occupe_data()
    {
        QTest::addColumn<bool>("voltexa");
        QTest::addColumn<QString>("message");
        // %1 the entry ports/COM1, %2 the terminal it leads to.
        QTest::newRow("another VOLTEXA")
            << true
            << QString("Serial port occupied\nDevice tried: COM1 → %1 → %2\n"
                       "COM1 is in use by another VOLTEXA (process %3)\n")
                   .replace("%3", QString::number(::getpid()));
        QTest::newRow("another program")
            << false << QString("Serial port occupied\nDevice tried: COM1 → %1 → %2\nCOM1 is in use by another program\n");
    }
    void port_occupe()
    {
        QFETCH(bool, voltexa);
        QFETCH(QString, message);
        Depart d;
        QVERIFY(d.relier());
        message = message.arg(d.com1(), d.sim.terminal());
        std::unique_ptr<SerialPort> autre_voltexa = port_serie_qt();
        QSerialPort autre_programme(d.com1());
        if (voltexa) {
            autre_voltexa->ouvrir(d.com1(), 9600, 0, 8, 1, 512, 512);
            QCOMPARE(autre_voltexa->erreur(), 0);
        } else {
            QVERIFY(autre_programme.open(QIODevice::ReadWrite));
        }
        QCOMPARE(d.demarrer(), 0);
        QCOMPARE(Acq.port_ouvert, 0);
        QCOMPARE(d.plateforme.popups->messages(), QStringList{message});

        Gestion_parametre(menu, ITEM_TYPEMES, nullptr, 0);
        QCOMPARE(d.questions(), 0);
        QCOMPARE(d.plateforme.popups->messages(), QStringList({message, message}));
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_TYPEMES]));

        autre_voltexa->fermer();
        autre_programme.close();
        Gestion_parametre(menu, ITEM_TYPEMES, nullptr, 0);
        QCOMPARE(d.questions(), 0);
        QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        QCOMPARE(Acq.port_ouvert, 1);
    }

    // A tick that falls due while a tick waits on its question (the event
    // loop runs under a popup) is dropped: no second read, no second
    // question, no reading stored twice.
    void pas_de_tick_dans_un_tick()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        QVERIFY(b.sim.commande("silence on"));
        int imbriques = 0;
        b.plateforme.popups->reponses = {1};
        b.plateforme.popups->pendant = [&](const PopupVu&) {
            if (imbriques++ == 0) {
                b.sim.commande("silence off");
                b.tick();
            }
        };
        b.tick();
        int questions = 0;
        for (const auto& v : b.plateforme.popups->vus)
            questions += v.genre == "question" && v.titre == "Voltexa";
        QCOMPARE(questions, 1);
        QCOMPARE(Acq.nb_points, 2);
        QCOMPARE(b.liste()->count(), 2);
        QVERIFY(Acq.en_cours);
    }

    // Readings are unsaved from the first reading of a Run until Save, New or
    // Open: Stop, and Setup > Type of measurement > Cancel with no
    // acquisition running, leave the state as it was. Each row is a step of
    // one session: the state after it, and whether New would ask.
    void releves_non_enregistres()
    {
        Banc b;
        QVERIFY(b.pret);
        QTemporaryDir d;
        FakePopups& p = *b.plateforme.popups;
        const QString fichier = d.filePath("m.dat");
        const auto stop_non = [&] {
            p.reponses << 2;
            Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        };
        const auto type_de_mesure_annule = [&] {
            Gestion_parametre(menu, ITEM_TYPEMES, nullptr, Fen_princ[PNL_PRINC]);
            QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
            const qsizetype vus = p.vus.size();
            liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]).quitter->click();
            // The menus come back without an acquisition made up to stop,
            // which would offer to save the readings again.
            QCOMPARE(p.vus.size(), vus);
            QCOMPARE(Acq.en_cours, 0);
            for (int i : {BARRE_FICHIER, BARRE_PARAMETRE, BARRE_AIDE, ITEM_NOUVEAU, ITEM_QUITTER})
                QVERIFY(!tk::ItemDimmed(i));
        };
        const struct {
            const char* etape;
            std::function<void()> faire;
            int non_enregistre;
        } etapes[] = {
            {"Run", [&] { b.lancer({1}); }, 0},
            {"first reading", [&] { b.tick(); }, 1},
            {"second reading", [&] { b.tick(); }, 1},
            {"Stop, No to saving", stop_non, 1},
            {"Save", [&] { p.saisies << fichier; Gestion_fichier(menu, ITEM_ENREGIST, nullptr, 0); }, 0},
            {"Type of measurement, Cancel", type_de_mesure_annule, 0},
            {"Run again, one reading", [&] { b.lancer({}); b.tick(); }, 1},
            {"Stop, No again", stop_non, 1},
            {"Type of measurement, Cancel, unsaved", type_de_mesure_annule, 1},
            {"New, No", [&] { p.reponses << 2; Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, 0); }, 0},
            {"Run, reading, Stop", [&] { b.lancer({}); b.tick(); stop_non(); }, 1},
            {"Open, No", [&] { p.saisies << fichier; p.reponses << 2; Gestion_fichier(menu, ITEM_OUVRIR, nullptr, 0); }, 0},
        };
        for (const auto& e : etapes) {
            e.faire();
            QVERIFY2(Acq.non_enregistre == e.non_enregistre, e.etape);
        }
        // Opened readings are not asked about.
        QCOMPARE(Acq.nb_points, 2);
        const qsizetype vus = p.vus.size();
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, 0);
        QCOMPARE(p.vus.size(), vus);
    }

    // A choice of quantities cancelled after the readings were saved leaves
    // them saved, however it is cancelled: New then asks nothing.
    void choix_annule_apres_enregistrement_data()
    {
        QTest::addColumn<bool>("par_ok"); // OK with every box unticked, or Cancel
        QTest::newRow("Cancel") << false;
        QTest::newRow("OK with no quantity ticked") << true;
    }
    void choix_annule_apres_enregistrement()
    {
        QFETCH(bool, par_ok);
        Banc b;
        QVERIFY(b.pret);
        QTemporaryDir d;
        FakePopups& p = *b.plateforme.popups;
        b.lancer({1});
        b.tick();
        b.tick();
        p.reponses << 2;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        p.saisies << d.filePath("m.dat");
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, 0);
        QVERIFY(QFileInfo::exists(d.filePath("m.dat")));

        Gestion_parametre(menu, ITEM_TYPEMES, nullptr, Fen_princ[PNL_PRINC]);
        QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        PnlTypeMesure& t = liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]);
        if (par_ok) {
            for (QCheckBox* c : t.cases)
                if (c->isChecked())
                    c->click();
            t.bouton_ok->click();
        } else {
            t.quitter->click();
        }
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        QCOMPARE(Acq.en_cours, 0);

        const qsizetype vus = p.vus.size();
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, 0);
        QCOMPARE(p.vus.size(), vus);
        QCOMPARE(Acq.nb_points, 0);
    }

    // Each reading stored reaches each view once: a point on each channel's
    // curve, a line in the readings list, a line in the journal.
    void releve_entendu_une_fois_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<int>("ticks");
        QTest::newRow("one channel, one reading") << QList<int>{1} << 1;
        QTest::newRow("two channels, three readings") << QList<int>{1, 5} << 3;
    }
    void releve_entendu_une_fois()
    {
        QFETCH(QList<int>, codes);
        QFETCH(int, ticks);
        Banc b;
        QVERIFY(b.pret);
        for (int c : codes)
            selectionner_case(c, 1);
        b.lancer({});
        for (int i = 0; i < ticks; ++i)
            b.tick();
        QCOMPARE(Acq.nb_points, ticks);
        for (int w = 1; w <= int(codes.size()); ++w)
            QCOMPARE(b.points_courbe(w), ticks);
        QCOMPARE(b.liste()->count(), ticks);
        QVERIFY(journal_attendre_synchro());
        QFile f(chemin_journal());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lignes = f.readAll().split('\n');
        for (int j = 0; j < ticks; ++j)
            QCOMPARE(lignes.count(b.liste()->texte(j).toLatin1()), 1);
    }

    // Every File command first restarts the timer's count: the next reading
    // comes a whole period after it.
    void commande_fichier_repart_la_minuterie()
    {
        SessionTest s;
        fixer_intervalle_minuterie(2.0);
        activer_minuterie(true);
        for (int item : {ITEM_ENREGIST, ITEM_PAUSE, ITEM_IMPRIMER}) {
            QTest::qSleep(500);
            const int avant = reste_minuterie_ms();
            QVERIFY(avant <= 1500);
            Gestion_fichier(menu, item, nullptr, Fen_princ[PNL_PRINC]);
            QVERIFY2(reste_minuterie_ms() > avant + 300, qPrintable(QString::number(item)));
        }
        activer_minuterie(false);
    }

    void etats_des_menus()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));
        QVERIFY(tk::ItemDimmed(BARRE_PARAMETRE));
        QVERIFY(tk::ItemDimmed(BARRE_AIDE));
        QVERIFY(tk::ItemDimmed(ITEM_NOUVEAU));
        QVERIFY(tk::ItemDimmed(ITEM_ENREGIST));
        QVERIFY(tk::ItemDimmed(ITEM_QUITTER));
        QVERIFY(!tk::ItemDimmed(ITEM_PAUSE));
        QVERIFY(!tk::ItemDimmed(ITEM_STOP));
        QVERIFY(!tk::ItemDimmed(ITEM_LANCER));
        QVERIFY(Toolbar_ItemDimmed(gToolbar, 1));
        QVERIFY(Toolbar_ItemDimmed(gToolbar, 17));
        QVERIFY(!Toolbar_ItemDimmed(gToolbar, 3));
        QVERIFY(!Toolbar_ItemDimmed(gToolbar, 20));

        activer_minuterie(true);
        Gestion_fichier(menu, ITEM_PAUSE, nullptr, 0);
        QVERIFY(!minuterie_active());
        QVERIFY(tk::ItemDimmed(ITEM_LANCER));
        QVERIFY(Toolbar_ItemDimmed(gToolbar, 3));
        Gestion_fichier(menu, ITEM_PAUSE, nullptr, 0);
        QVERIFY(minuterie_active());

        // Stop with nothing stored asks nothing and gives everything back.
        int avant = b.plateforme.popups->vus.size();
        Gestion_fichier(menu, ITEM_STOP, nullptr, 0);
        QCOMPARE(b.plateforme.popups->vus.size(), avant);
        QVERIFY(!minuterie_active());
        for (int i : {BARRE_PARAMETRE, BARRE_AIDE, ITEM_NOUVEAU, ITEM_ENREGIST, ITEM_LANCER})
            QVERIFY(!tk::ItemDimmed(i));
        QVERIFY(tk::ItemDimmed(ITEM_PAUSE));
        QVERIFY(tk::ItemDimmed(ITEM_STOP));
        for (int p = 1; p <= 17; ++p)
            QVERIFY(!Toolbar_ItemDimmed(gToolbar, p));
    }

    // Past the readings the axis shows, the window zooms out by one step: its
    // label and the span it shows follow, for each channel's window.
    void zoom_arriere_automatique_data()
    {
        QTest::addColumn<int>("voies");
        QTest::addColumn<int>("releves");
        QTest::addColumn<QString>("etiquette");
        QTest::addColumn<double>("etendue");
        QTest::newRow("reading 150, the last one shown") << 1 << 151 << "X 1" << 150.0;
        QTest::newRow("reading 151") << 1 << 152 << "/ 2" << 300.0;
        QTest::newRow("reading 151, two channels") << 2 << 152 << "/ 2" << 300.0;
        QTest::newRow("reading 300") << 1 << 301 << "/ 2" << 300.0;
        QTest::newRow("reading 301") << 1 << 302 << "/ 5" << 750.0;
    }
    void zoom_arriere_automatique()
    {
        QFETCH(int, voies);
        QFETCH(int, releves);
        QFETCH(QString, etiquette);
        QFETCH(double, etendue);
        Banc b;
        QVERIFY(b.pret);
        if (voies == 2)
            b.lancer({1, 3});
        else
            b.lancer({1});
        for (int w = 1; w <= voies; ++w)
            QCOMPARE(liaison<PnlGraphe>(Info[w].panel).label_zoom->text(), QString("X 1"));
        for (int i = 0; i < releves; ++i)
            b.tick();
        QCOMPARE(Acq.nb_points, releves);
        for (int w = 1; w <= voies; ++w) {
            const QCPRange x = liaison<PnlGraphe>(Info[w].panel).graphe->xAxis->range();
            QCOMPARE(liaison<PnlGraphe>(Info[w].panel).label_zoom->text(), etiquette);
            QCOMPARE(x.lower, 0.0);
            QCOMPARE(x.upper, etendue);
        }
    }

    void limites_et_echelle_gardees_d_un_run_a_l_autre()
    {
        Banc b;
        QVERIFY(b.pret);
        b.lancer({1});
        b.tick();
        b.plateforme.popups->reponses << 2;
        Gestion_fichier(menu, ITEM_STOP, nullptr, 0);
        Info[1].limite = 10;
        Info[1].seuil_bas = 200.0;
        Info[1].seuil_haut = 250.0;
        Info[1].alarme = 1;
        Info[1].y_manuel = 1;
        Info[1].y_mode = 0;
        Info[1].y_min = 220.0;
        Info[1].y_max = 240.0;

        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
        QCOMPARE(Info[1].limite, 10);
        QCOMPARE(Info[1].seuil_bas, 200.0);
        QCOMPARE(Info[1].seuil_haut, 250.0);
        QVERIFY(trace_existe(Info[1].trace_bas));
        QVERIFY(trace_existe(Info[1].trace_haut));
        b.tick();
        QCPRange y = liaison<PnlGraphe>(Info[1].panel).graphe->yAxis->range();
        QCOMPARE(y.lower, 220.0);
        QCOMPARE(y.upper, 240.0);
        // Readings near 230 V lie between the limits: no beep.
        QCOMPARE(b.plateforme.beep->bips, 0);
        Info[1].seuil_bas = 240.0;
        Info[1].seuil_haut = 260.0;
        b.tick();
        QCOMPARE(b.plateforme.beep->bips, 1);
    }

    void a_la_demande()
    {
        Banc b;
        QVERIFY(b.pret);
        Acq.periode = -1;
        b.lancer({1});
        // Run takes the first reading, each further Run one more; Pause does nothing.
        QCOMPARE(Acq.nb_points, 1);
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(Acq.nb_points, 2);
        Gestion_fichier(menu, ITEM_PAUSE, nullptr, 0);
        QVERIFY(!tk::ItemDimmed(ITEM_LANCER));
        QVERIFY(!minuterie_active());
    }

    void run_sans_port_ni_choix()
    {
        Banc b;
        QVERIFY(b.pret);
        // No quantity confirmed yet: Run opens the measurement-type dialog instead.
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        QVERIFY(!Acq.en_cours);
        QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
        Acq.port_ouvert = 0;
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(b.plateforme.popups->messages().last(), QString("Impossible to do this command\n"));
        QVERIFY(!Acq.en_cours);
    }
};

QTEST_MAIN(TestAcquisition)
#include "test_acquisition.moc"
