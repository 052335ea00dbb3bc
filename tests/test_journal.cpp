// The acquisition journal: the pair it keeps in the recovery folder, what a
// crash leaves of it and how it is completed, the recording offered at the
// next start, what removes it, and a real crash of the program (kill -9)
// during an acquisition against the simulator.
#include "acquisition/cycle.h"
#include "acquisition/ligne.h"
#include "acquisition/selection.h"
#include "app/quitter.h"
#include "app/startup.h"
#include "files/ecran/fichier.h"
#include "files/format.h"
#include "files/journal.h"
#include "lang/textes.h"
#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "support/banc.h"
#include "support/disque_simule.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QLockFile>
#include <QProcess>
#include <QtTest>

namespace {

QString ligne_releve(int j, double v)
{
    return tete_ligne(j + 1, QDate(2026, 3, 7), QTime(10, 0, j % 60), false, 0, 0, 0, 1) +
           colonnes_ligne(1, v, false, 0.0, false);
}

Configuration entete_une_voie()
{
    Configuration c;
    c.voies[0] = {1, 0, 1, 1, 1, "V(V)"};
    c.voies[1] = {1, 0, 0, 1, -1, ""};
    return c;
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrire_fichier(const QString& chemin, const QByteArray& octets, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile f(chemin);
    QVERIFY(f.open(mode));
    QCOMPARE(f.write(octets), octets.size());
}

// Reads a pair as Open does: its configuration with the x positions, then
// its readings.
bool lire_paire(const QString& dat, Configuration& c, Releves& r)
{
    QFile fc(chemin_configuration(dat));
    QFile fd(dat);
    return fc.open(QIODevice::ReadOnly) && lire_configuration(fc, true, c) == Lecture::Bonne &&
           fd.open(QIODevice::ReadOnly) && lire_donnees(fd, c.nb_points, 1, r) == Lecture::Bonne;
}

int questions_reprise(const FakePopups& p)
{
    int n = 0;
    for (const PopupVu& v : p.vus)
        n += v.genre == "question" && v.texte.startsWith("An unsaved acquisition was found");
    return n;
}

struct Banc : BancSimulateur {
    using BancSimulateur::BancSimulateur;

    void lancer(int code = 1)
    {
        selectionner_case(code, 1);
        ModeEnCours_actuel = 1;
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
    }
    void tick()
    {
        plateforme.horloge->heure = plateforme.horloge->heure.addSecs(1);
        cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    }
    ListeReleves* liste() { return liaison<PnlDonnees>(Info[0].panel).liste; }
};

} // namespace

class TestJournal : public QObject {
    Q_OBJECT

private slots:
    // The pair as written, and what is left of it after a crash: complete
    // lines are kept, a line cut short or a tail of zeros (a power cut) is
    // dropped, and the completed pair reads as a recording.
    void paire_et_completion()
    {
        QTemporaryDir d;
        const QString dat = d.filePath("reprise/acquisition.dat");
        {
            Journal j;
            QVERIFY(j.ouvrir(dat, entete_une_voie()));
            // Both files exist from Run on; the configuration has no readings yet.
            Configuration c;
            QFile fc(chemin_configuration(dat));
            QVERIFY(fc.open(QIODevice::ReadOnly));
            QCOMPARE(lire_configuration(fc, true, c), Lecture::Bonne);
            QCOMPARE(c.nb_points, 0);
            for (int k = 0; k < 4; ++k)
                QVERIFY(j.ajouter(ligne_releve(k, 230.0 + k)));
            QCOMPARE(j.lignes(), 4);
            // Each line is in the file as soon as it is added.
            QCOMPARE(contenu(dat).count('\n'), 4);
            Configuration complete = entete_une_voie();
            complete.nb_points = 6; // more than written: the file's count wins
            complete.x = {0, 1, 2, 3, 4, 5};
            QVERIFY(j.clore(complete));
            QVERIFY(!j.ouvert());
        }
        Configuration c;
        Releves r;
        QVERIFY(lire_paire(dat, c, r));
        QCOMPARE(c.nb_points, 4);
        QCOMPARE(r.lignes.size(), 4);
        QCOMPARE(r.lignes[3], ligne_releve(3, 233.0));

        // A crash: the configuration still says 0, the data file ends in a
        // line cut short.
        Journal j;
        QVERIFY(j.ouvrir(dat, entete_une_voie()));
        for (int k = 0; k < 3; ++k)
            QVERIFY(j.ajouter(ligne_releve(k, 230.0 + k)));
        j.fermer();
        ecrire_fichier(dat, ligne_releve(3, 233.0).left(30).toLatin1(), QIODevice::Append);
        QCOMPARE(completer_journal(dat), 3);
        QVERIFY(lire_paire(dat, c, r));
        QCOMPARE(c.nb_points, 3);
        QCOMPARE(c.x, std::vector<int>({0, 1, 2}));
        QCOMPARE(r.lignes, QStringList({ligne_releve(0, 230), ligne_releve(1, 231), ligne_releve(2, 232)}));
        // The cut line is gone from the file.
        QCOMPARE(contenu(dat).size(), 3 * (ligne_releve(0, 0).size() + 1));

        // A power cut: zeros after the last line written, then a whole
        // line that is not the next reading's.
        ecrire_fichier(dat, QByteArray(200, '\0') + '\n', QIODevice::Append);
        QCOMPARE(completer_journal(dat), 3);
        ecrire_fichier(dat, ligne_releve(7, 1.0).toLatin1() + '\n', QIODevice::Append);
        QCOMPARE(completer_journal(dat), 3);

        // Not a journal: no configuration file.
        QFile::remove(chemin_configuration(dat));
        QCOMPARE(completer_journal(dat), -1);
    }

    // From Run on, each reading is in the journal; Stop completes it into
    // a recording; New removes it.
    void acquisition_stop_et_nouveau()
    {
        Banc b;
        QVERIFY(b.pret);
        const QString dat = chemin_journal();
        QCOMPARE(dat, b.programme.dir() + "/reprise/acquisition.dat");
        b.lancer();
        QVERIFY(QFile::exists(dat));
        for (int i = 0; i < 3; ++i)
            b.tick();
        QStringList lignes;
        for (int j = 0; j < 3; ++j)
            lignes << b.liste()->texte(j);
        QCOMPARE(QString::fromLatin1(contenu(dat)), lignes.join('\n') + '\n');

        b.plateforme.popups->reponses << 2; // No to saving
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        Configuration c;
        Releves r;
        QVERIFY(lire_paire(dat, c, r));
        QCOMPARE(c.nb_points, 3);
        QCOMPARE(r.lignes, lignes);
        QCOMPARE(c.voies[1].grandeur, Donnee[2].grandeur);

        b.plateforme.popups->reponses << 2; // No to saving, again
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QVERIFY(!QFile::exists(dat));
        QVERIFY(!QFile::exists(chemin_configuration(dat)));
    }

    // Save removes the journal; a second Run after a Stop without Save
    // starts the journal again with the new acquisition.
    void enregistrer_et_relancer()
    {
        Banc b;
        QVERIFY(b.pret);
        const QString dat = chemin_journal();
        b.lancer();
        b.tick();
        b.tick();
        b.plateforme.popups->reponses << 2;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        QVERIFY(QFile::exists(dat));

        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
        b.tick();
        QCOMPARE(contenu(dat).count('\n'), 1);
        QVERIFY(contenu(dat).startsWith("    1 "));

        const QString choisi = b.programme.dir() + "/mesure.dat";
        b.plateforme.popups->reponses << 1; // Yes to saving
        b.plateforme.popups->saisies << choisi;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        QVERIFY(QFile::exists(choisi));
        QVERIFY(!QFile::exists(dat));
        QVERIFY(!QFile::exists(chemin_configuration(dat)));
    }

    // A recovery folder that cannot be written: the acquisition goes on
    // and the user is told once, not at every Run.
    void dossier_de_reprise_impossible()
    {
        Banc b;
        QVERIFY(b.pret);
        // A file where the folder should be: neither root nor anyone can make it.
        ecrire_fichier(b.programme.dir() + "/reprise", "x");
        b.lancer();
        b.tick();
        b.tick();
        QCOMPARE(Acq.nb_points, 2);
        b.plateforme.popups->reponses << 2;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
        b.tick();
        QCOMPARE(Acq.nb_points, 1);
        int dits = 0;
        for (const QString& m : b.plateforme.popups->messages())
            dits += m.startsWith("The acquisition goes on without a recovery copy");
        QCOMPARE(dits, 1);
    }

    // A disk that refuses every line from the start (a device that is
    // always full): the readings go on in memory, the user is told at the
    // first reading, once; Stop leaves a journal of what it holds.
    void disque_plein_en_cours()
    {
        Banc b;
        QVERIFY(b.pret);
        QDir().mkpath(b.programme.dir() + "/reprise");
        QVERIFY(QFile::link("/dev/full", chemin_journal()));
        b.lancer();
        QVERIFY(b.plateforme.popups->messages().isEmpty());
        b.tick();
        QCOMPARE(b.plateforme.popups->messages().size(), 1);
        QVERIFY(b.plateforme.popups->messages()[0].startsWith(
            "The recovery copy of the acquisition cannot be written in the folder"));
        b.tick();
        QCOMPARE(Acq.nb_points, 2);
        b.plateforme.popups->reponses << 2;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(b.plateforme.popups->messages().size(), 1);
        Configuration c;
        QFile fc(chemin_configuration(chemin_journal()));
        QVERIFY(fc.open(QIODevice::ReadOnly));
        QCOMPARE(lire_configuration(fc, true, c), Lecture::Bonne);
        QCOMPARE(c.nb_points, 0);
    }

    // A disk full at Run: the journal cannot start, and the user is told
    // then, not at Stop.
    void disque_plein_au_lancement()
    {
        Banc b;
        QVERIFY(b.pret);
        simuler_disque(0);
        b.lancer();
        simuler_disque(-1);
        QCOMPARE(b.plateforme.popups->messages().size(), 1);
        QVERIFY(b.plateforme.popups->messages()[0].startsWith("The acquisition goes on without a recovery copy"));
        b.tick();
        QCOMPARE(Acq.nb_points, 1);
        QCOMPARE(b.plateforme.popups->messages().size(), 1);
    }

    // A power cut as a test can make one: the journal file read right after
    // each tick's sync point holds every reading taken, the last included.
    void chaque_releve_durable_a_son_tick()
    {
        Banc b;
        QVERIFY(b.pret);
        const QString dat = chemin_journal();
        b.lancer();
        QStringList lignes;
        for (int i = 0; i < 6; ++i) {
            b.tick();
            QVERIFY(journal_attendre_synchro(3000));
            lignes << b.liste()->texte(i);
            QCOMPARE(QString::fromLatin1(contenu(dat)), lignes.join('\n') + '\n');
        }
    }

    // Whoever syncs (the journal's thread, or the append itself as the
    // unattended logger asks), a line is durable once the sync point is
    // passed, and a sync the disk refuses is reported, not taken as done.
    void synchro_des_lignes_data()
    {
        QTest::addColumn<bool>("par_l_appel");
        QTest::addColumn<bool>("synchro_en_echec");
        QTest::addRow("thread, disk well") << false << false;
        QTest::addRow("thread, sync refused") << false << true;
        QTest::addRow("append, disk well") << true << false;
        QTest::addRow("append, sync refused") << true << true;
    }

    void synchro_des_lignes()
    {
        QFETCH(bool, par_l_appel);
        QFETCH(bool, synchro_en_echec);
        QTemporaryDir d;
        const QString dat = d.filePath("suivi.dat");
        Journal j(par_l_appel ? Journal::Synchro::appel : Journal::Synchro::fil);
        QVERIFY(j.ouvrir(dat, entete_une_voie()));
        simuler_disque(-1, synchro_en_echec);
        QVERIFY(j.ajouter(ligne_releve(0, 230.0)));
        QVERIFY(j.ajouter(ligne_releve(1, 231.0)));
        if (par_l_appel)
            QCOMPARE(j.lignes_durables(), synchro_en_echec ? 0 : 2);
        else
            QCOMPARE(j.attendre_synchro(3000), !synchro_en_echec);
        // The report is taken once: read it a single time.
        QCOMPARE(j.synchro_refusee(), synchro_en_echec);
        simuler_disque(-1);
        QVERIFY(j.ajouter(ligne_releve(2, 232.0)));
        QVERIFY(j.attendre_synchro(3000));
        QCOMPARE(j.lignes_durables(), 3);
        QCOMPARE(contenu(dat), (QStringList{ligne_releve(0, 230.0), ligne_releve(1, 231.0), ligne_releve(2, 232.0)}.join('\n') + '\n').toLatin1());
    }

    // The disk fills during the acquisition, between lines or within one:
    // the user is told at that reading, once; the readings refused wait in
    // memory and the journal catches up, whole lines only, at the first
    // reading the disk takes again.
    void disque_plein_puis_rattrape_data()
    {
        QTest::addColumn<int>("avant");   // readings journaled before the disk fills
        QTest::addColumn<qint64>("place"); // bytes it still takes then
        QTest::addRow("full at the first reading") << 0 << qint64(0);
        QTest::addRow("full after two readings") << 2 << qint64(0);
        QTest::addRow("full within the third reading's line") << 2 << qint64(30);
    }

    void disque_plein_puis_rattrape()
    {
        QFETCH(int, avant);
        QFETCH(qint64, place);
        Banc b;
        QVERIFY(b.pret);
        const QString dat = chemin_journal();
        b.lancer();
        for (int i = 0; i < avant; ++i)
            b.tick();
        simuler_disque(place);
        b.tick();
        b.tick();
        QCOMPARE(b.plateforme.popups->messages().size(), 1);
        QVERIFY(b.plateforme.popups->messages()[0].startsWith(
            "The recovery copy of the acquisition cannot be written in the folder"));
        QCOMPARE(contenu(dat).count('\n'), avant);
        simuler_disque(-1);
        b.tick();
        QVERIFY(journal_attendre_synchro(3000));
        QStringList lignes;
        for (int j = 0; j < avant + 3; ++j)
            lignes << b.liste()->texte(j);
        QCOMPARE(QString::fromLatin1(contenu(dat)), lignes.join('\n') + '\n');

        b.plateforme.popups->reponses << 2; // No to saving
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(b.plateforme.popups->messages().size(), 1);
        Configuration c;
        Releves r;
        QVERIFY(lire_paire(dat, c, r));
        QCOMPARE(r.lignes, lignes);
    }

    // A journal left by a run that did not end cleanly is offered at the
    // next start: Yes opens it as an unsaved recording (not among the
    // recent files); No keeps it, a clean quit too, until the next Run.
    void reprise_au_demarrage()
    {
        PlateformeTest plateforme;
        ProgrammeTest programme;
        const QString dat = chemin_journal();
        {
            Journal j;
            QVERIFY(j.ouvrir(dat, entete_une_voie()));
            for (int k = 0; k < 5; ++k)
                QVERIFY(j.ajouter(ligne_releve(k, 230.0 + k)));
        }
        ecrire_fichier(dat, "    6 03-07", QIODevice::Append);

        // While another VOLTEXA holds it (this process stands for it), it is
        // not offered, and a Run here leaves it alone.
        {
            QLockFile autre(programme.dir() + "/reprise/acquisition.lock");
            QVERIFY(autre.tryLock(0));
            remise_a_zero_globales();
            QCOMPARE(demarrage(), 0);
            QCOMPARE(questions_reprise(*plateforme.popups), 0);
            journal_lancer();
            QCOMPARE(plateforme.popups->messages().size(), 1);
            QVERIFY(plateforme.popups->messages().last().startsWith("The acquisition goes on without"));
            arreter_voltexa();
        }
        QCOMPARE(contenu(dat).count('\n'), 5);

        // No: nothing opens, the journal stays, even past a clean quit.
        plateforme.popups->reponses = {2};
        remise_a_zero_globales();
        QCOMPARE(demarrage(), 0);
        QCOMPARE(questions_reprise(*plateforme.popups), 1);
        QCOMPARE(plateforme.popups->vus.last().texte,
                 QString("An unsaved acquisition was found (5 readings).\nDo you wish to open it ?"));
        QCOMPARE(Acq.nb_points, 0);
        plateforme.popups->reponses = {1}; // Yes to quitting
        sortir(0, 0, EVENT_COMMIT, nullptr, 0, 0);
        arreter_voltexa();
        QVERIFY(QFile::exists(dat));

        // Yes: the five complete readings, listed and drawn, still to be saved.
        plateforme.popups->vus.clear();
        plateforme.popups->reponses = {1};
        remise_a_zero_globales();
        QCOMPARE(demarrage(), 0);
        QCOMPARE(questions_reprise(*plateforme.popups), 1);
        QCOMPARE(Acq.nb_points, 5);
        ListeReleves* liste = liaison<PnlDonnees>(Info[0].panel).liste;
        QCOMPARE(liste->count(), 5);
        QCOMPARE(liste->texte(4), ligne_releve(4, 234.0));
        QCOMPARE(point[1][4], 234.0);
        QCOMPARE(Acq.non_enregistre, 1);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA"));
        QVERIFY(!QString::fromUtf8(nom[0]).contains("acquisition"));

        // A clean quit, its save question answered No, removes it.
        plateforme.popups->reponses = {2, 1};
        sortir(0, 0, EVENT_COMMIT, nullptr, 0, 0);
        QVERIFY(!QFile::exists(dat));
        arreter_voltexa();

        // Nothing left: no question at the next start.
        plateforme.popups->vus.clear();
        remise_a_zero_globales();
        QCOMPARE(demarrage(), 0);
        QCOMPARE(questions_reprise(*plateforme.popups), 0);
        arreter_voltexa();
    }

    // The program itself, killed (SIGKILL) in the middle of an acquisition
    // against the simulator, then started again: the recovered recording
    // holds every reading the journal had, at most the last one lost.
    void releves_sauves_d_un_kill()
    {
        PlateformeTest plateforme;
        ProgrammeTest programme;
        // The program beside the panel file of the test's folder, so that
        // its settings, ports and recovery folder are those of the test.
        const QString programme_copie = programme.dir() + "/voltexa-essai";
        QVERIFY(QFile::copy(QStringLiteral(VOLTEXA_BIN_DIR) + "/voltexa-essai", programme_copie));
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer());
        const QString com1 = programme.dir() + "/ports/COM1";
        QFile::remove(com1);
        QVERIFY(QFile::link(sim.terminal(), com1));

        QProcess voltexa;
        voltexa.start(programme_copie, {"1", "5"});
        QVERIFY(voltexa.waitForStarted(10000));
        const QString dat = programme.dir() + "/reprise/acquisition.dat";
        QDeadlineTimer fin(60000);
        while (contenu(dat).count('\n') < 6 && !fin.hasExpired() && voltexa.state() == QProcess::Running)
            QTest::qWait(100);
        QCOMPARE(voltexa.state(), QProcess::Running);
        voltexa.kill();
        QVERIFY(voltexa.waitForFinished(10000));
        QCOMPARE(voltexa.exitStatus(), QProcess::CrashExit);
        const QList<QByteArray> avant = contenu(dat).split('\n');
        const int completes = int(avant.size()) - 1; // the text after the last line end is not one
        QVERIFY(completes >= 6);

        plateforme.popups->reponses = {1};
        remise_a_zero_globales();
        Annuler_choix_grandeur();
        QCOMPARE(demarrage(), 0);
        QCOMPARE(questions_reprise(*plateforme.popups), 1);
        QCOMPARE(Acq.nb_points, completes);
        QCOMPARE(Mesure.nb_voies, 2);
        ListeReleves* liste = liaison<PnlDonnees>(Info[0].panel).liste;
        QCOMPARE(liste->count(), completes);
        for (int j = 0; j < completes; ++j) {
            QCOMPARE(liste->texte(j).toLatin1(), avant[j]);
            QCOMPARE(liste->texte(j).left(5).trimmed().toInt(), j + 1);
            QVERIFY(point[1][j] > 200.0);
        }
        arreter_voltexa();
    }
};

QTEST_MAIN(TestJournal)
#include "test_journal.moc"
