// Recordings through the File menu: an acquisition saved and opened again,
// files written by hand opened, the recent-file list and its menu items, bad
// files refused without a change, and saves that fail without a loss.
#include "acquisition/selection.h"
#include "acquisition/cycle.h"
#include "socle/ecriture.h"
#include "socle/globals.h"
#include "files/journal.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "graph/panneaux.h"
#include "app/quitter.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "files/format.h"
#include "graph/axe_temps.h"
#include "lang/ecran/langue.h"
#include "lang/textes.h"
#include "link/jbus.h"
#include "link/registres.h"
#include "support/inspection.h"
#include "support/banc.h"
#include "support/disque_simule.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QtTest>
#include <qcustomplot.h>

#include <sys/stat.h>

namespace {

// The program on the simulator's terminal as COM1, ticks driven by the test.
struct Banc : BancSimulateur {
    using BancSimulateur::BancSimulateur;

    void enregistrer(std::initializer_list<int> codes, int ticks, const QString& chemin)
    {
        for (int c : codes)
            selectionner_case(c, 1);
        ModeEnCours_actuel = 1;
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
        for (int i = 0; i < ticks; ++i) {
            plateforme.horloge->heure = plateforme.horloge->heure.addSecs(1);
            cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
        }
        // Stop offers to save: Yes, then the file.
        plateforme.popups->reponses << 1;
        plateforme.popups->saisies << chemin;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
    }
};

ListeReleves* liste()
{
    return liaison<PnlDonnees>(Info[0].panel).liste;
}

QStringList lignes(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"<absent>"};
    return QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrire(const QString& chemin, const QByteArray& texte)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(texte);
}

// Reading line j of a two-channel recording, laid out field by field;
// channel 1 is undefined on line 1.
QByteArray ligne_main(int j)
{
    QByteArray l = QByteArray::number(j + 1).rightJustified(5) + " 07-03-2026 00:00:" +
                   QByteArray::number(j % 60).rightJustified(2, '0') + " ";
    l += j == 1 ? QByteArray("   ----").leftJustified(15)
                : " " + QByteArray::number(230.0 + j / 1000.0, 'f', 3).rightJustified(9) + "     ";
    return l + " " + QByteArray::number(1000.0 + j, 'f', 3).rightJustified(9) + "   " + "      ";
}

// A recording of n two-channel readings whose x positions are 2j, written by
// hand; the second channel line carries port 2.
void ecrire_enregistrement(const QString& dat, int n, int lignes_dat)
{
    QByteArray cfg = "1 1 1 2 7 V(V)     \r\n2 1 5 2 8 P(W)     \r\n0.000000\r\n1\r\n" +
                     QByteArray::number(n) + "\r\n";
    for (int j = 0; j < n; ++j)
        cfg += QByteArray::number(2 * j) + "\r\n";
    ecrire(chemin_configuration(dat), cfg);
    QByteArray d;
    for (int j = 0; j < lignes_dat; ++j)
        d += ligne_main(j) + "\r\n";
    ecrire(dat, d);
}

// A one-channel recording (the second channel line out of use) of quantity
// `code` in mode `mode`: line j stamped `secondes(j)` with `valeur(j)`.
void ecrire_voie(const QString& dat, int mode, int code, int n, const std::function<int(int)>& secondes,
                 const std::function<double(int)>& valeur)
{
    const QByteArray m = QByteArray::number(mode), c = QByteArray::number(code);
    QByteArray cfg = "1 " + m + " " + c + " 1 1 I(A)     \r\n1 " + m + " " + c + " 1 1 I(A)     \r\n0.000000\r\n0\r\n" +
                     QByteArray::number(n) + "\r\n";
    QByteArray d;
    for (int j = 0; j < n; ++j) {
        cfg += QByteArray::number(j) + "\r\n";
        const int t = secondes(j);
        d += QByteArray::number(j + 1).rightJustified(5) + " 07-03-2026 " +
             QString::asprintf("%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60).toLatin1() + "  " +
             QByteArray::number(valeur(j), 'f', 3).rightJustified(9) + "     \r\n";
    }
    ecrire(chemin_configuration(dat), cfg);
    ecrire(dat, d);
}

// Label of the time axis at its right end in window w.
QString derniere_etiquette(int w)
{
    QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
    const auto t = qSharedPointerDynamicCast<QCPAxisTickerText>(g->xAxis->ticker());
    return t && !t->ticks().isEmpty() ? t->ticks().last() : QString();
}

// Texts of the items between Print and Exit, in menu order.
QStringList items_recents()
{
    const QList<QAction*> a = tk::sous_menu(BARRE_FICHIER)->actions();
    QStringList vus;
    for (qsizetype i = a.indexOf(tk::action(ITEM_IMPRIMER)) + 1; i < a.indexOf(tk::action(ITEM_QUITTER)); ++i)
        if (!a[i]->isSeparator() && a[i] != tk::action(ITEM_SEP_RECENTS))
            vus << a[i]->text();
    return vus;
}

// What a refused file must leave as it was.
struct Etat {
    int nb_points, lignes, panels, port, voies;
    QString titre, recent;
    bool operator==(const Etat&) const = default;
    static Etat courant()
    {
        return {Acq.nb_points, liste()->count(), nb_panel, Mesure.port, Mesure.nb_voies,
                tk::titre(Fen_princ[PNL_PRINC]), QString::fromUtf8(nom[0])};
    }
};

// Save questions asked so far.
int questions_sauvegarde(const FakePopups& p)
{
    int n = 0;
    for (const PopupVu& v : p.vus)
        n += v.genre == "question" && v.texte == qtxt(tx::sauver_donnee);
    return n;
}

int points_courbe(int w)
{
    QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
    return g->graphCount() ? g->graph(g->graphCount() - 1)->data()->size() : 0;
}

} // namespace

class TestEnregistrement : public QObject {
    Q_OBJECT

private slots:
    void acquisition_enregistree_puis_rouverte()
    {
        Banc b;
        QVERIFY(b.pret);
        QTemporaryDir d;
        const QString dat = d.filePath("Mesure1.dat");
        QVERIFY(b.sim.commande("undefined 0"));  // voltage, channel 1, undefined
        b.enregistrer({5, 1}, 3, dat);

        const QStringList l = lignes(dat);
        QCOMPARE(l.size(), 3);
        for (const QString& x : l) {
            QCOMPARE(x.size(), 60);
            QCOMPARE(x.mid(6, 10), QString("03-07-2026"));  // English: month first
            QCOMPARE(x.mid(26, 7), QString("   ----"));
        }
        const QStringList c = lignes(d.filePath("Mesure1.cfg"));
        QCOMPARE(c.size(), 8);
        QCOMPARE(c[4], QString("3"));
        QCOMPARE(QString(nom[0]), "__1 " + dat);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA"));

        const double p2 = Donnee[2].releves[2];
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        point[2][2] = 0.0;
        Gestion_fichier(menu, fichier_menu[0], nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(Acq.nb_points, 3);
        QCOMPARE(liste()->texte(2), l[2]);
        // Channel 2 survives an undefined channel 1.
        QCOMPARE(point[2][2], std::round(p2 * 1000) / 1000);
        QCOMPARE(points_courbe(Donnee[2].num_fenetre), 3);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA - MESURE1.DAT"));

        // In French the day comes first; relative time starts at 00:00:00.
        Annuler_choix_grandeur();
        langue = 0;
        Acq.temps_relatif = 1;
        QVERIFY(b.sim.commande("undefined none"));
        b.enregistrer({1}, 2, d.filePath("m.dat"));
        const QStringList f = lignes(d.filePath("m.dat"));
        QCOMPARE(f.size(), 2);
        QCOMPARE(f[0].mid(6, 19), QString("07-03-2026 00:00:00"));
        QCOMPARE(f[1].mid(17, 8), QString("00:00:01"));
        QCOMPARE(f[0].size(), 39);
    }

    // Readings acquired and never saved are asked about before New, Open and
    // Exit discard them; saved or opened readings go without a word. A name
    // typed without an extension is saved as a data file that opens again.
    void sauvegarde_proposee_avant_abandon()
    {
        Banc b;
        QVERIFY(b.pret);
        QTemporaryDir d;
        FakePopups& p = *b.plateforme.popups;
        const auto acquerir_sans_sauver = [&] {
            Annuler_choix_grandeur();
            b.enregistrer({1}, 2, QString());
            p.reponses.clear();
            p.saisies.clear();
        };

        // Stop's No, then New: asked again, No discards.
        b.enregistrer({1}, 2, QString()); // Yes, then the file dialog cancelled
        QCOMPARE(questions_sauvegarde(p), 1);
        p.reponses << 2;
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(questions_sauvegarde(p), 2);
        QCOMPARE(Acq.nb_points, 0);
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(questions_sauvegarde(p), 2);

        // Saved at Stop under a name without an extension: New asks nothing,
        // the ".dat" file is listed and opens; readings opened go in silence.
        Annuler_choix_grandeur();
        b.enregistrer({1}, 3, d.filePath("test2"));
        QVERIFY(QFileInfo::exists(d.filePath("test2.dat")));
        QVERIFY(QFileInfo::exists(d.filePath("test2.cfg")));
        QVERIFY(!QFileInfo::exists(d.filePath("test2")));
        QCOMPARE(QString(nom[0]), "__1 " + d.filePath("test2.dat"));
        const int vues = questions_sauvegarde(p);
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        p.saisies << d.filePath("test2.dat");
        Gestion_fichier(menu, ITEM_OUVRIR, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(Acq.nb_points, 3);
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(questions_sauvegarde(p), vues);
        QVERIFY(p.messages().isEmpty());

        // Open asks before it replaces unsaved readings; Yes saves them first.
        acquerir_sans_sauver();
        int apres_stop = questions_sauvegarde(p);
        p.saisies << d.filePath("test2.dat") << d.filePath("avant.dat");
        p.reponses << 1;
        Gestion_fichier(menu, ITEM_OUVRIR, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(questions_sauvegarde(p), apres_stop + 1);
        QCOMPARE(lignes(d.filePath("avant.dat")).size(), 2);
        QCOMPARE(Acq.nb_points, 3);

        // Exit asks before its own question; No to leaving keeps the program.
        acquerir_sans_sauver();
        apres_stop = questions_sauvegarde(p);
        p.reponses << 2 << 2;
        sortir(Fen_princ[PNL_PRINC], 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(questions_sauvegarde(p), apres_stop + 1);
        QCOMPARE(p.vus.last().texte, qtxt(tx::confir1));
        QCOMPARE(nb_fins_demandees(), 0);
    }

    // An opened recording stands on its own period and mode, not on the
    // reading-interval setting or the instrument's mode of the moment.
    void enregistrement_sur_sa_periode_et_son_mode()
    {
        SessionTest s;
        QTemporaryDir d;
        Acq.periode = 10;
        MesureTypeReseau = 0;

        // 112 readings at 0.5 s: 150 readings shown end at 75 s, not 25 min.
        const QString demi = d.filePath("demi.dat");
        ecrire_voie(demi, 0, CODE_TENSION, 112, [](int j) { return 3600 + j / 2; }, [](int) { return 230.0; });
        QCOMPARE(Ouverture_fichier(demi), 0);
        QCOMPARE(periode_axe(), 0);
        QCOMPARE(derniere_etiquette(1), QString("0:01:15"));
        QCOMPARE(Acq.periode, 10);

        // Readings on request are labelled by number.
        const QString demande = d.filePath("demande.dat");
        ecrire_voie(demande, 0, CODE_TENSION, 6, [](int j) { return j * j * 37; }, [](int) { return 230.0; });
        QCOMPARE(Ouverture_fichier(demande), 0);
        QCOMPARE(derniere_etiquette(1), QString("150"));

        // New gives the axis back to the setting.
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(periode_axe(), 10);
        QCOMPARE(derniere_etiquette(1), QString("0:25:00"));

        // An INRUSH recording of 42 A peaks is drawn on its own scale, the
        // instrument being in normal mode.
        const QString inrush = d.filePath("inrush.dat");
        ecrire_voie(inrush, MODE_INRUSH, CODE_COURANT, 40, [](int j) { return j; },
                    [](int j) { return j % 10 == 3 ? 42.0 : 8.0 + j / 10.0; });
        QCOMPARE(Ouverture_fichier(inrush), 0);
        const QCPRange r = liaison<PnlGraphe>(Info[1].panel).graphe->yAxis->range();
        QVERIFY2(r.lower < 8.0 && 42.0 < r.upper && r.upper < Val_maxi[CODE_INRUSH],
                 qPrintable(QString("%1 .. %2").arg(r.lower).arg(r.upper)));
    }

    // An opened recording saved again is the same pair of files, whatever
    // language it was written in and the one in force, and so is what it
    // shows: the readings list lists the lines read.
    void rouvert_puis_enregistre_a_l_identique_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<QByteArray>("cfg");
        QTest::addColumn<QByteArray>("dat");
        const QByteArray deux = "1 1 1 2 1 V(V)     \n1 1 5 2 2 P(W)     \n";
        const QByteArray une = "1 1 3 1 1 I(A)     \n1 1 3 1 -1 I(A)     \n";
        QTest::newRow("absolute time, day first, in French")
            << 0 << deux + "0.000000\n0\n3\n0\n1\n2\n"
            << QByteArray("    1 13-03-2026 10:00:00    230.125       1502.500         \n"
                          "    2 13-03-2026 10:00:01    ----          -250.125         \n"
                          "    3 13-03-2026 10:00:02   6553.500           ----         \n");
        QTest::newRow("month first, opened in Italian, past midnight")
            << 4 << une + "0.000000\n0\n3\n0\n1\n2\n"
            << QByteArray("    1 03-12-2026 23:59:59      1.250   \n"
                          "    2 03-13-2026 00:00:00       ----   \n"
                          "    3 03-13-2026 00:00:01  -6300.000   \n");
        QTest::newRow("day first, opened in English, every date could be either")
            << 1 << une + "0.000000\n0\n2\n0\n1\n"
            << QByteArray("    1 05-06-2026 08:00:00      1.250   \n"
                          "    2 05-06-2026 08:00:01      1.500   \n");
        QTest::newRow("relative time")
            << 1 << deux + "41000.000000\n1\n3\n0\n2\n3725\n"
            << QByteArray("    1 12-31-2026 00:00:00      0.980          2.000         \n"
                          "    2 12-31-2026 00:00:02    ----             3.000         \n"
                          "    3 01-01-2027 01:02:05      0.500           ----         \n");
        QTest::newRow("laid out by hand: kept as read")
            << 1 << une + "0.000000\n0\n3\n0\n1\n2\n"
            << QByteArray("1 03-07-2026 10:00:00 1.25\n"
                          "    2 03-07-2026 10:00:01      7.000          \n"
                          "    3 03-07-2026 10:00:02      8.000   \n");
    }
    void rouvert_puis_enregistre_a_l_identique()
    {
        QFETCH(int, l);
        QFETCH(QByteArray, cfg);
        QFETCH(QByteArray, dat);
        SessionTest s;
        langue = l;
        QTemporaryDir d;
        ecrire(d.filePath("a.cfg"), cfg);
        ecrire(d.filePath("a.dat"), dat);
        QCOMPARE(Ouverture_fichier(d.filePath("a.dat")), 0);
        const QList<QByteArray> attendues = dat.split('\n');
        QCOMPARE(liste()->count(), attendues.size() - 1);
        for (int j = 0; j < liste()->count(); ++j)
            QCOMPARE(liste()->texte(j), QString::fromLatin1(attendues[j]));
        s.plateforme.popups->saisies << d.filePath("b.dat");
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(lire(d.filePath("b.dat")), dat);
        QCOMPARE(lire(d.filePath("b.cfg")), cfg);
    }

    void enregistrement_ecrit_a_la_main()
    {
        SessionTest s;
        QTemporaryDir d;
        const QString dat = d.filePath("mesure1.dat");
        ecrire_enregistrement(dat, 400, 400);
        point[1][1] = -77.0;
        QCOMPARE(Ouverture_fichier(dat), 0);

        QCOMPARE(Acq.nb_points, 400);
        QCOMPARE(liste()->count(), 400);
        QCOMPARE(liste()->texte(0), QString(ligne_main(0)));
        QCOMPARE(liste()->currentRow(), 0); // cursor 1's reading, the first
        QCOMPARE(ptx[399], 798);
        QCOMPARE(point[2][1], 1001.0);
        QCOMPARE(point[1][1], 0.0);    // "----": no value left from what was shown before
        QCOMPARE(point[1][2], 230.002);
        QCOMPARE(Mesure.port, 2);      // the second channel line wins
        QCOMPARE(nb_panel, 3);
        QCOMPARE(Donnee[2].num_fenetre, 2);
        QCOMPARE(tk::titre(Info[2].panel), QString("Channel 2 : P(W)"));
        QVERIFY(tk::ItemChecked(ITEM_TPSREEL));
        QVERIFY(!tk::ItemChecked(ITEM_TPSABS));
        QCOMPARE(points_courbe(1), 400);
        // Zoomed out until the 400 readings fit: 150, 300, then 750 shown.
        QCOMPARE(Info[1].zoom_index, 5);
        const QCPRange x = liaison<PnlGraphe>(Info[1].panel).graphe->xAxis->range();
        QVERIFY(x.upper - x.lower > 400);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA - MESURE1.DAT"));
        QCOMPARE(QString(nom[0]), "__1 " + dat);  // case kept off Windows

        // The configuration alone: the set-up, no readings.
        QCOMPARE(Ouverture_fichier(d.filePath("mesure1.cfg")), 0);
        QCOMPARE(Acq.nb_points, 0);
        QCOMPARE(liste()->count(), 0);
        QCOMPARE(nb_panel, 3);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA - MESURE1.CFG"));

        // A data file shorter than its count gives what it holds, and says so;
        // a whole one says nothing.
        ecrire_enregistrement(dat, 5, 3);
        const int avant = s.plateforme.popups->messages().size();
        QCOMPARE(Ouverture_fichier(dat), 0);
        QCOMPARE(Acq.nb_points, 3);
        QCOMPARE(points_courbe(2), 3);
        QCOMPARE(s.plateforme.popups->messages().size(), avant + 1);
        QVERIFY(s.plateforme.popups->messages().last().startsWith("3 readings read out of the 5 "));
        QCOMPARE(s.plateforme.popups->vus.last().titre, QString("Incomplete recording"));
        ecrire_enregistrement(dat, 5, 5);
        QCOMPARE(Ouverture_fichier(dat), 0);
        QCOMPARE(s.plateforme.popups->messages().size(), avant + 1);
    }

    void point_dans_un_nom_de_dossier()
    {
        SessionTest s;
        QTemporaryDir d;
        QVERIFY(!d.path().contains('.'));
        QDir(d.path()).mkdir("rec.v2");
        const QString dat = d.filePath("rec.v2/m.dat");
        ecrire_enregistrement(dat, 4, 4);
        QVERIFY(QFile::exists(d.filePath("rec.v2/m.cfg")));
        QCOMPARE(Ouverture_fichier(dat), 0);
        s.plateforme.popups->saisies << d.filePath("rec.v2/n.dat");
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(lignes(d.filePath("rec.v2/n.cfg")).size(), 9);
        QVERIFY(!QFile::exists(d.filePath("rec.cfg")));

        // Saved under the name earlier versions gave it: still found.
        QFile::rename(d.filePath("rec.v2/n.cfg"), d.filePath("rec.cfg"));
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(Ouverture_fichier(d.filePath("rec.v2/n.dat")), 0);
        QCOMPARE(Acq.nb_points, 4);
    }

    // Names that differ only after a dot are two recordings, each with its
    // own configuration file; a configuration file saved under the name
    // earlier versions gave it is read only when its own is missing.
    void chaque_fichier_sa_configuration()
    {
        SessionTest s;
        QTemporaryDir d;
        FakePopups& po = *s.plateforme.popups;
        struct Cas {
            const char* nom;
            const char* cfg;
            int n;
        };
        const Cas cas[] = {
            {"site.A.dat", "site.A.cfg", 151},
            {"site.B.dat", "site.B.cfg", 48},
            {"mesure 2026.12.08.dat", "mesure 2026.12.08.cfg", 7},
            {"mesure 2026.12.09.dat", "mesure 2026.12.09.cfg", 9},
        };
        for (const Cas& c : cas) {
            const QString source = d.filePath(QString("source%1.dat").arg(c.n));
            ecrire_enregistrement(source, c.n, c.n);
            QCOMPARE(Ouverture_fichier(source), 0);
            po.saisies << d.filePath(c.nom);
            Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
            QVERIFY2(QFile::exists(d.filePath(c.cfg)), c.cfg);
        }
        QVERIFY(!QFile::exists(d.filePath("site.cfg")));
        QVERIFY(!QFile::exists(d.filePath("mesure 2026.cfg")));
        for (const Cas& c : cas) {
            QCOMPARE(Ouverture_fichier(d.filePath(c.nom)), 0);
            QCOMPARE(Acq.nb_points, c.n);
            QCOMPARE(liste()->count(), c.n);
            QCOMPARE(points_courbe(2), c.n);
        }

        // Saved by an earlier version as site.cfg: read for site.C.dat while
        // site.C.cfg is missing, and no more once it exists.
        const QString dat = d.filePath("site.C.dat");
        ecrire_enregistrement(dat, 4, 6);
        QVERIFY(QFile::rename(d.filePath("site.C.cfg"), d.filePath("site.cfg")));
        QCOMPARE(Ouverture_fichier(dat), 0);
        QCOMPARE(Acq.nb_points, 4);
        ecrire_enregistrement(d.filePath("autre.dat"), 6, 6);
        QVERIFY(QFile::copy(d.filePath("autre.cfg"), d.filePath("site.C.cfg")));
        QCOMPARE(Ouverture_fichier(dat), 0);
        QCOMPARE(Acq.nb_points, 6);
    }

    // The question before unsaved readings go: Yes (the default) saves them
    // and the command goes on, No lets them go, Cancel (and Escape) keeps
    // them and abandons the command; a Yes whose save is cancelled counts as
    // Cancel.
    void question_avant_abandon_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("choix"); // the save dialog's answer; empty: cancelled
        QTest::addColumn<QString>("issue");
        const QString aucun, garde("garde.dat"), sauve("saved"), lache("discarded"), abandon("abandoned");
        for (const char* commande : {"New", "Open", "recent file", "language", "Exit"}) {
            const QByteArray n(commande);
            const QString c = QString::fromLatin1(n);
            QTest::newRow(n + ", Yes") << c << 1 << garde << sauve;
            QTest::newRow(n + ", No") << c << 2 << aucun << lache;
            QTest::newRow(n + ", Cancel") << c << 3 << aucun << abandon;
            QTest::newRow(n + ", Yes then no file") << c << 1 << aucun << abandon;
        }
        QTest::newRow("Open, Escape") << QString("Open") << 0 << aucun << abandon;
    }
    void question_avant_abandon()
    {
        QFETCH(QString, commande);
        QFETCH(int, reponse);
        QFETCH(QString, choix);
        QFETCH(QString, issue);
        SessionTest s;
        QTemporaryDir d;
        FakePopups& po = *s.plateforme.popups;
        const QString autre = d.filePath("autre.dat");
        ecrire_enregistrement(autre, 5, 5);
        Memo_fichier(autre);
        // Two readings in hand, never saved (a recovered acquisition).
        const QString en_main = d.filePath("en_main.dat");
        ecrire_enregistrement(en_main, 2, 2);
        QCOMPARE(ouvrir_reprise(en_main), 0);
        QCOMPARE(Acq.nb_points, 2);
        langue = 1;
        const int fins = nb_fins_demandees();

        po.vus.clear();
        if (reponse != 0)
            po.reponses << reponse;
        if (commande == "Open")
            po.saisies << autre;
        if (reponse == 1)
            po.saisies << (choix.isEmpty() ? QString() : d.filePath(choix));
        if (commande == "Exit")
            po.reponses << 1; // Yes to quitting
        if (commande == "New")
            Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        else if (commande == "Open")
            Gestion_fichier(menu, ITEM_OUVRIR, nullptr, Fen_princ[PNL_PRINC]);
        else if (commande == "recent file")
            Gestion_fichier(menu, fichier_menu[0], nullptr, Fen_princ[PNL_PRINC]);
        else if (commande == "language")
            Gestion_options(menu, ITEM_FRANCAIS, nullptr, Fen_princ[PNL_PRINC]);
        else
            sortir(Fen_princ[PNL_PRINC], 0, EVENT_COMMIT, nullptr, 0, 0);

        // Asked once, in the language in hand, Yes the default and Cancel on Escape.
        QList<PopupVu> questions;
        for (const PopupVu& v : po.vus)
            if (v.texte == "Do you wish to save this data ?")
                questions << v;
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].boutons, (QStringList{"Yes", "No", "&Cancel"}));
        QCOMPARE(questions[0].defaut, 1);
        QCOMPARE(questions[0].echap, 3);

        QCOMPARE(QFile::exists(d.filePath("garde.dat")), issue == "saved");
        if (issue == "saved")
            QCOMPARE(lignes(d.filePath("garde.dat")).size(), 2);
        if (issue == "abandoned") {
            QCOMPARE(Acq.nb_points, 2);
            QCOMPARE(liste()->count(), 2);
            QCOMPARE(Acq.non_enregistre, 1);
            QCOMPARE(langue, 1);
            QCOMPARE(tk::ItemName(BARRE_FICHIER), QString("&File"));
            QCOMPARE(nb_fins_demandees(), fins);
            for (const PopupVu& v : po.vus)
                QVERIFY(v.texte != "Are you sure you want to quit VOLTEXA ?\n");
            return;
        }
        if (commande == "Exit") {
            QCOMPARE(nb_fins_demandees(), fins + 1);
        } else if (commande == "language") {
            QCOMPARE(langue, 0);
            QCOMPARE(tk::ItemName(BARRE_FICHIER), QString("&Fichier"));
            QCOMPARE(Acq.nb_points, 0);
        } else {
            QCOMPARE(Acq.nb_points, commande == "New" ? 0 : 5);
            QCOMPARE(liste()->count(), Acq.nb_points);
        }
        if (issue == "saved" || commande != "Exit")
            QCOMPARE(Acq.non_enregistre, 0);
    }

    void libelles_accentues_gardes_entiers()
    {
        SessionTest s;
        QTemporaryDir d;
        const QString dat = d.filePath("m.dat");
        ecrire_enregistrement(dat, 4, 4);
        // Labels in the file's own Latin-1: one that fits, one whose UTF-8
        // copy is longer than the channel record holds.
        QByteArray cfg = lire(chemin_configuration(dat));
        cfg.replace("V(V)     ", QString::fromUtf8("Tété(V)  ").toLatin1());
        cfg.replace("P(W)     ", QString::fromUtf8("Pé(W)ééé ").toLatin1());
        ecrire(chemin_configuration(dat), cfg);
        QCOMPARE(Ouverture_fichier(dat), 0);
        QCOMPARE(QString::fromUtf8(Donnee[1].libelle), QString::fromUtf8("Tété(V)"));
        QCOMPARE(QString::fromUtf8(Donnee[2].libelle), QString::fromUtf8("Pé(W)é"));
        QCOMPARE(tk::titre(Info[1].panel), QString::fromUtf8("Channel 1 : Tété(V)"));

        s.plateforme.popups->saisies << d.filePath("n.dat");
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        const QString ecrit = QString::fromLatin1(lire(d.filePath("n.cfg")));
        QVERIFY(ecrit.contains(QString::fromUtf8("Tété(V)  ")));
        QVERIFY(ecrit.contains(QString::fromUtf8("Pé(W)é   ")));
        QVERIFY(!ecrit.contains('?'));
    }

    void fichiers_recents_au_menu()
    {
        SessionTest s;
        QTemporaryDir d;
        QStringList p;
        for (const char* n : {"a", "b", "c"}) {
            p << d.filePath(QString(n) + ".dat");
            ecrire_enregistrement(p.last(), 2, 2);
        }
        Ouverture_fichier(p[0]);
        Ouverture_fichier(p[0]);
        QCOMPARE(items_recents(), QStringList{"&1 " + p[0]});
        Ouverture_fichier(p[1]);
        Ouverture_fichier(p[2]);
        QCOMPARE(items_recents(), (QStringList{"&1 " + p[2], "&2 " + p[1], "&3 " + p[0]}));
        // The third entry's item opens it and takes it to the top.
        Gestion_fichier(menu, fichier_menu[2], nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(items_recents(), (QStringList{"&1 " + p[0], "&2 " + p[2], "&3 " + p[1]}));
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA - A.DAT"));

        // A file gone since: message 18 and nothing else.
        QFile::remove(p[1]);
        const Etat avant = Etat::courant();
        Gestion_fichier(menu, fichier_menu[2], nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(s.plateforme.popups->messages().last(), QString("No file found\n"));
        QVERIFY(Etat::courant() == avant);
        QCOMPARE(items_recents(), (QStringList{"&1 " + p[0], "&2 " + p[2], "&3 " + p[1]}));
    }

    void fichiers_refuses()
    {
        SessionTest s;
        QTemporaryDir d;
        const QString bon = d.filePath("bon.dat");
        ecrire_enregistrement(bon, 3, 3);
        QCOMPARE(Ouverture_fichier(bon), 0);

        struct Cas {
            const char* nom;
            QByteArray cfg, dat;
            QString message;
        };
        const QByteArray tete = "1 1 1 1 1 V(V)\n1 1 1 1 -1 V(V)\n0.0\n0\n";
        const QByteArray ligne = ligne_main(0) + "\n";
        const Cas cas[] = {
            {"over", tete + "40000\n0\n", ligne, "Invalid format file\n"},
            {"noise", tete + "1\n0\n", QByteArray("\x01\xfe\x00\x13\x88garbage\n", 13), "Invalid format file\n"},
            {"nocfg", {}, ligne, "No file found\n"},
        };
        for (const Cas& c : cas) {
            const QString dat = d.filePath(QString(c.nom) + ".dat");
            ecrire(dat, c.dat);
            if (!c.cfg.isNull())
                ecrire(chemin_configuration(dat), c.cfg);
            const Etat avant = Etat::courant();
            QCOMPARE(Ouverture_fichier(dat), -1);
            QCOMPARE(s.plateforme.popups->messages().last(), c.message);
            QVERIFY2(Etat::courant() == avant, c.nom);
        }

        s.plateforme.popups->saisies << d.filePath("notes.txt");
        ecrire(d.filePath("notes.txt"), "x\n");
        Gestion_fichier(menu, ITEM_OUVRIR, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(s.plateforme.popups->messages().last(), QString("Invalid file type\n"));
        QCOMPARE(Acq.nb_points, 3);
    }

    // A folder, a device or a pipe chosen to open or to save to, or standing
    // where the other file of the pair goes: refused with its name, nothing
    // read or written. A pipe no one writes to used to hold File > Open.
    void ni_dossier_ni_peripherique_ni_tube_data()
    {
        QTest::addColumn<bool>("enregistrer");   // Save, else Open
        QTest::addColumn<QString>("choisi");     // in the test's folder, unless absolute
        QTest::addColumn<QString>("tube");       // made a pipe; empty: none
        QTest::addColumn<QString>("dossier");    // made a folder; empty: none
        QTest::addColumn<QString>("refuse");     // the name the message gives
        QTest::newRow("open, pipe as the .cfg") << false << "x.dat" << "x.cfg" << "" << "x.cfg";
        QTest::newRow("open, pipe as the .dat") << false << "x.dat" << "x.dat" << "" << "x.dat";
        QTest::newRow("open, pipe as the chosen .cfg") << false << "x.cfg" << "x.cfg" << "" << "x.cfg";
        QTest::newRow("open, folder named .dat") << false << "x.dat" << "" << "x.dat" << "x.dat";
        QTest::newRow("open, device") << false << "/dev/zero" << "" << "" << "/dev/zero";
        QTest::newRow("save, folder named .dat") << true << "x.dat" << "" << "x.dat" << "x.dat";
        QTest::newRow("save, folder") << true << "rec" << "" << "rec" << "rec";
        QTest::newRow("save, device") << true << "/dev/zero" << "" << "" << "/dev/zero";
        QTest::newRow("save, pipe as the .cfg") << true << "x.dat" << "x.cfg" << "" << "x.cfg";
    }
    void ni_dossier_ni_peripherique_ni_tube()
    {
        QFETCH(bool, enregistrer);
        QFETCH(QString, choisi);
        QFETCH(QString, tube);
        QFETCH(QString, dossier);
        QFETCH(QString, refuse);
        SessionTest s;
        QTemporaryDir d;
        FakePopups& po = *s.plateforme.popups;
        auto chemin = [&d](const QString& n) { return n.startsWith('/') ? n : d.filePath(n); };
        // A recording in hand, and a whole pair where the test puts none.
        ecrire_enregistrement(d.filePath("bon.dat"), 3, 3);
        QCOMPARE(Ouverture_fichier(d.filePath("bon.dat")), 0);
        ecrire_enregistrement(d.filePath("x.dat"), 2, 2);
        if (!tube.isEmpty()) {
            QFile::remove(chemin(tube));
            QCOMPARE(::mkfifo(QFile::encodeName(chemin(tube)).constData(), 0600), 0);
        }
        if (!dossier.isEmpty()) {
            QFile::remove(chemin(dossier));
            QVERIFY(QDir().mkdir(chemin(dossier)));
        }
        const Etat avant = Etat::courant();
        const QStringList fichiers = QDir(d.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        const QByteArray cfg_bon = lire(d.filePath("bon.cfg"));
        po.vus.clear();
        po.saisies << chemin(choisi);
        po.reponses << 1; // Yes, should a replacement be asked
        Gestion_fichier(menu, enregistrer ? ITEM_ENREGIST : ITEM_OUVRIR, nullptr, Fen_princ[PNL_PRINC]);

        QCOMPARE(po.messages(), QStringList{chemin(refuse) + " is not an ordinary file (a folder, a device or a pipe): choose a file."});
        const PopupVu* message = nullptr;
        for (const PopupVu& v : po.vus)
            if (v.genre == "message")
                message = &v;
        QCOMPARE(message->titre, QString(enregistrer ? "Save" : "Open"));
        QVERIFY(Etat::courant() == avant);
        QCOMPARE(QDir(d.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), fichiers);
        if (!tube.isEmpty())
            QVERIFY(QFileInfo(chemin(tube)).isReadable() && !QFileInfo(chemin(tube)).isFile());
        if (!dossier.isEmpty())
            QVERIFY(QFileInfo(chemin(dossier)).isDir());
        QCOMPARE(lire(d.filePath("bon.cfg")), cfg_bon);
    }

    // Save over a recording on a disk that fails: "Error writing file", the
    // old pair byte for byte and nothing beside it, the readings still
    // unsaved and their journal kept, New and Exit included, until a save
    // that works.
    void enregistrer_sur_disque_en_panne_data()
    {
        QTest::addColumn<int>("place"); // bytes the disk takes: -1 all, -2 all the readings and 10
        QTest::addColumn<bool>("synchro");
        QTest::addRow("disk full") << 0 << false;
        QTest::addRow("full within the readings") << 100 << false;
        QTest::addRow("full within the configuration") << -2 << false;
        QTest::addRow("sync refused") << -1 << true;
    }

    void enregistrer_sur_disque_en_panne()
    {
        QFETCH(int, place);
        QFETCH(bool, synchro);
        Banc b;
        QVERIFY(b.pret);
        QTemporaryDir d;
        const QString dat = d.filePath("mesure.dat"), cfg = d.filePath("mesure.cfg");
        b.enregistrer({1}, 3, dat);
        const QByteArray ancien_dat = lire(dat), ancien_cfg = lire(cfg);
        QCOMPARE(ancien_dat.count('\n'), 3);

        // A second acquisition, not saved at Stop.
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
        for (int i = 0; i < 4; ++i) {
            b.plateforme.horloge->heure = b.plateforme.horloge->heure.addSecs(1);
            cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
        }
        FakePopups& po = *b.plateforme.popups;
        po.reponses << 2;
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        const QString journal = chemin_journal();
        QCOMPARE(lire(journal).count('\n'), 4);

        qint64 octets = place;
        if (place == -2) {
            octets = 10;
            for (int j = 0; j < 4; ++j)
                octets += liste()->texte(j).size() + 1;
        }
        po.saisies << dat;
        po.reponses << 1; // Yes to replacing it
        simuler_disque(octets, synchro);
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        simuler_disque(-1);
        QCOMPARE(po.messages().last(), QString("Error writing file \n"));
        QCOMPARE(lire(dat), ancien_dat);
        QCOMPARE(lire(cfg), ancien_cfg);
        QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"mesure.cfg", "mesure.dat"}));
        QCOMPARE(Acq.non_enregistre, 1);
        QCOMPARE(lire(journal).count('\n'), 4);

        // New asks about them again; whatever the answer, the journal stays.
        const qsizetype vus = po.vus.size();
        po.reponses << 2;
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        bool demande = false;
        for (qsizetype i = vus; i < po.vus.size(); ++i)
            demande = demande || po.vus[i].texte == "Do you wish to save this data ?";
        QVERIFY(demande);
        QCOMPARE(lire(journal).count('\n'), 4);
    }

    void enregistrements_refuses()
    {
        SessionTest s;
        QTemporaryDir d;
        FakePopups& po = *s.plateforme.popups;
        // No readings: no popup at all.
        const qsizetype vus = po.vus.size();
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(po.vus.size(), vus);

        const QString dat = d.filePath("m.dat");
        ecrire_enregistrement(dat, 3, 3);
        QCOMPARE(Ouverture_fichier(dat), 0);
        const QStringList ancien = lignes(dat);

        // Over a read-only file, after Yes to replacing it: message 24, both files intact.
        QFile::setPermissions(dat, QFileDevice::ReadOwner);
        po.saisies << dat;
        po.reponses << 1;
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(po.messages().last(), QString("Error writing file \n"));
        QCOMPARE(lignes(dat), ancien);
        QCOMPARE(lignes(d.filePath("m.cfg")).size(), 8);

        const qsizetype messages = po.messages().size();
        po.saisies << d.filePath("absent/m.dat");
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(po.messages().size(), messages + 1);
        QCOMPARE(po.messages().last(), QString("Error writing file \n"));

        // No to replacing brings the file choice back; cancelling it writes nothing.
        QFile::setPermissions(dat, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        po.vus.clear();
        po.saisies << dat;
        po.reponses << 2;
        Gestion_fichier(menu, ITEM_ENREGIST, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(po.vus.size(), 3);
        QCOMPARE(po.vus[1].texte, QString("File already exists !   Replace existing file ?\n"));
        QCOMPARE(po.vus[1].defaut, 2);
        QCOMPARE(po.vus[2].genre, QString("fichier"));
        QCOMPARE(lignes(dat), ancien);
    }
};

QTEST_MAIN(TestEnregistrement)
#include "test_enregistrement.moc"
