// The settings file: first start, reading back, out-of-range values, and
// what the quit command writes with and without Save settings on exit.
#include "acquisition/cycle.h"
#include "acquisition/selection.h"
#include "app/config.h"
#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "app/quitter.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/fichier.h"
#include "graph/couleurs.h"
#include "lang/ecran/langue.h"
#include "link/jbus.h"
#include "support/inspection.h"
#include "support/disque_simule.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QtTest>

namespace {

const QString MESSAGE_0 = "File VOLTEXA.INI not found\n";

// The program in its own directory, started and stopped as often as a test needs.
struct Poste {
    PlateformeTest plateforme;
    ProgrammeTest programme;
    bool en_marche = false;

    // Each test starts from the file it writes, or from none.
    Poste() { QFile::remove(ini()); }
    ~Poste() { arreter(); }
    QString ini() const { return programme.dir() + "/voltexa.ini"; }
    int demarrer()
    {
        remise_a_zero_globales();
        plateforme.popups->vus.clear();
        en_marche = true;
        return demarrage();
    }
    void arreter()
    {
        if (en_marche)
            arreter_voltexa();
        en_marche = false;
    }
    void ecrire(const QList<QByteArray>& lignes) const
    {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (const QByteArray& l : lignes)
            f.write(l + '\n');
    }
    QByteArray contenu() const
    {
        QFile f(ini());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QList<QByteArray> lignes() const
    {
        QList<QByteArray> l = contenu().split('\n');
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }
    int principal() const { return Fen_princ[PNL_PRINC]; }
};

// A whole file as the quit command writes it, typed out from the layout:
// two channels, German, placement 60/70/400/600, two recent files.
QList<QByteArray> modele()
{
    return {
        "1", "2",
        "3 1 1 2 -1 V(V)     ",
        "3 1 7 2 -1 Q(Var)   ",
        "12.500000", "1",
        "/home/mesures",
        "16711680", "65280", "16776960", "12632256", "128", "12632256", "16711680", "32768", "0", "255", "0",
        "2", "60", "70", "400", "600", "0",
        "***",
        "__1 /data/essai.dat ",
        " __2 /data/Vieux/mesure1.DAT ",
        "  ",
        "  ",
    };
}

// The File menu's items between Print and the separator before Exit, as shown.
QStringList items_recents()
{
    QStringList t;
    const QList<QAction*> a = tk::sous_menu(BARRE_FICHIER)->actions();
    const qsizetype debut = a.indexOf(tk::action(ITEM_IMPRIMER));
    const qsizetype fin = a.indexOf(tk::action(ITEM_SEP_RECENTS));
    for (qsizetype i = debut + 1; i < fin; ++i)
        t << a[i]->text();
    return t;
}

} // namespace

class TestConfig : public QObject {
    Q_OBJECT

private slots:
    void premier_demarrage_ecrit_les_defauts()
    {
        Poste p;
        QVERIFY(!QFile::exists(p.ini()));
        QCOMPARE(p.demarrer(), 0);
        QCOMPARE(p.plateforme.popups->messages(), QStringList{MESSAGE_0});
        QCOMPARE(langue, 1);
        QVERIFY(tk::ItemChecked(ITEM_ENREGIST2));

        const QByteArray attendu = "1\n0\n"
                                   "1 1 1 1 -1          \n"
                                   "1 1 1 1 -1          \n"
                                   "0.000000\n0\n" +
                                   p.programme.dir().toLocal8Bit() +
                                   "\n16711680\n65280\n16776960\n12632256\n128\n12632256\n16711680\n32768\n0\n255\n0\n"
                                   "1\n38\n45\n460\n647\n0\n***\n";
        QCOMPARE(p.contenu(), attendu);
        QCOMPARE(p.lignes().size(), 25);
        QCOMPARE(tk::geometrie(p.principal()), (tk::Geometrie{38, 45, 460, 647}));

        // The file written is a good one: the next start says nothing, and
        // the four blank-label characters read back as the blank label.
        p.arreter();
        QCOMPARE(p.demarrer(), 0);
        QVERIFY(p.plateforme.popups->messages().isEmpty());
        QCOMPARE(QByteArray(Donnee[1].libelle), QByteArray("    "));
        QCOMPARE(Mesure.nb_voies, 1);
        QVERIFY(items_recents().isEmpty());
    }

    void relecture_d_un_fichier_complet()
    {
        Poste p;
        p.ecrire(modele());
        QCOMPARE(p.demarrer(), 0);
        QVERIFY(p.plateforme.popups->messages().isEmpty());

        QCOMPARE(Acq.periode, 2);
        QCOMPARE(intervalle_minuterie(), 2.0);
        QCOMPARE(Mesure.port, 3);
        QCOMPARE(Mesure.nb_voies, 2);
        QCOMPARE(Donnee[1].grandeur, 1);
        QCOMPARE(Donnee[2].grandeur, 7);
        // Labels come back without their padding and nothing from the next line.
        QCOMPARE(QByteArray(Donnee[1].libelle), QByteArray("V(V)"));
        QCOMPARE(QByteArray(Donnee[2].libelle), QByteArray("Q(Var)"));
        QCOMPARE(Acq.heure_rel, 12.5);
        QCOMPARE(mem_hrel, 12.5);
        QVERIFY(tk::ItemChecked(ITEM_TPSREEL));
        QVERIFY(!tk::ItemChecked(ITEM_TPSABS));
        QCOMPARE(QByteArray(Excel.repertoire), QByteArray("/home/mesures"));
        QCOMPARE(langue, 2);
        QVERIFY(tk::ItemChecked(ITEM_ALLEMAND));
        QVERIFY(!tk::ItemChecked(ITEM_ANGLAIS));
        QCOMPARE(tk::geometrie(p.principal()), (tk::Geometrie{60, 70, 400, 600}));
        QCOMPARE(Donnee[1].coul, 65280);
        QCOMPARE(Donnee[2].coul, 16776960);

        // Entries keep their "__k" and lose the writer's blanks, so the File
        // menu shows them and the path starts at the fifth character.
        QCOMPARE(QByteArray(nom[0]), QByteArray("__1 /data/essai.dat"));
        QCOMPARE(QByteArray(nom[1]), QByteArray("__2 /data/Vieux/mesure1.DAT"));
        QCOMPARE(QByteArray(nom[2]), QByteArray());
        QCOMPARE(QByteArray(nom[3]), QByteArray());
        QCOMPARE(QByteArray(nom[1] + 4), QByteArray("/data/Vieux/mesure1.DAT"));
        QCOMPARE(items_recents(), (QStringList{"&1 /data/essai.dat", "&2 /data/Vieux/mesure1.DAT"}));
        QVERIFY(fichier_menu[0] != 0);
        QVERIFY(fichier_menu[1] != 0);
        QCOMPARE(fichier_menu[2], 0);
        QCOMPARE(fichier_menu[3], 0);
    }

    // A damaged file keeps every line that reads; the others take their
    // defaults. A notice names them, in the language the file gave when
    // its line was good, and the file is written again: the next start reads
    // the same settings and says nothing.
    void fichier_abime_garde_ses_bonnes_lignes_data()
    {
        QTest::addColumn<QByteArrayList>("fichier");
        QTest::addColumn<QString>("lignes");     // as the notice gives them
        QTest::addColumn<int>("langue_lue");
        QTest::addColumn<int>("periode");
        QTest::addColumn<double>("heure");
        QTest::addColumn<int>("grandeur2");
        QTest::addColumn<QByteArray>("libelle2");
        QTest::addColumn<QList<int>>("placement"); // top, left, height, width
        QTest::addColumn<QStringList>("recents");

        const QByteArrayList m = modele();
        const QStringList deux = {"&1 /data/essai.dat", "&2 /data/Vieux/mesure1.DAT"};
        const QList<int> place = {60, 70, 400, 600};
        auto avec = [&m](std::initializer_list<std::pair<int, QByteArray>> lignes) {
            QByteArrayList f = m;
            for (const auto& [n, texte] : lignes)
                f[n - 1] = texte;
            return f;
        };
        QTest::newRow("file cut after line 21") << m.mid(0, 21) << "22-24" << 2 << 2 << 12.5 << 7
                                                << QByteArray("Q(Var)") << QList<int>{60, 70, 460, 647} << QStringList{};
        QTest::newRow("channel line cut short") << avec({{4, "3 1 7"}}) << "4" << 2 << 2 << 12.5 << 1
                                                << QByteArray("    ") << place << deux;
        QTest::newRow("junk period") << avec({{2, "#!?"}}) << "2" << 2 << 0 << 12.5 << 7 << QByteArray("Q(Var)")
                                     << place << deux;
        QTest::newRow("junk language: told in English") << avec({{19, "deutsch"}}) << "19" << 1 << 2 << 12.5 << 7
                                                        << QByteArray("Q(Var)") << place << deux;
        QTest::newRow("junk recent entry") << avec({{27, "\x7f\x01 bruit"}}) << "27" << 2 << 2 << 12.5 << 7
                                           << QByteArray("Q(Var)") << place << QStringList{deux[0]};
        QTest::newRow("bad time origin") << avec({{5, "12,5"}}) << "5" << 2 << 2 << 0.0 << 7 << QByteArray("Q(Var)")
                                         << place << deux;
        QTest::newRow("bad height") << avec({{22, "quatre cents"}}) << "22" << 2 << 2 << 12.5 << 7
                                    << QByteArray("Q(Var)") << QList<int>{60, 70, 460, 600} << deux;
        QTest::newRow("bad period, colour and top")
            << avec({{2, "2.5"}, {10, "1677x"}, {20, "60 70"}}) << "2, 10, 20" << 2 << 0 << 12.5 << 7
            << QByteArray("Q(Var)") << QList<int>{38, 70, 400, 600} << deux;
        // Binary noise: only the directory line takes any text.
        QByteArray bruit(4000, '\0');
        for (int i = 0; i < bruit.size(); ++i)
            bruit[i] = char((i * 37 + 11) % 256);
        QTest::newRow("binary noise") << QByteArrayList{bruit} << "1-6, 8-24" << 1 << 0 << 0.0 << 1
                                      << QByteArray("    ") << QList<int>{38, 45, 460, 647} << QStringList{};
    }
    void fichier_abime_garde_ses_bonnes_lignes()
    {
        QFETCH(QByteArrayList, fichier);
        QFETCH(QString, lignes);
        QFETCH(int, langue_lue);
        QFETCH(int, periode);
        QFETCH(double, heure);
        QFETCH(int, grandeur2);
        QFETCH(QByteArray, libelle2);
        QFETCH(QList<int>, placement);
        QFETCH(QStringList, recents);
        const QString anglais = "The settings file %1 is damaged.\nUnreadable lines: %2. Their settings take "
                                "their default values; the other settings are kept.";
        const QString allemand = QString::fromUtf8("Die Einstellungsdatei %1 ist beschädigt.\nUnlesbare Zeilen: "
                                                   "%2. Ihre Einstellungen erhalten die Standardwerte; die "
                                                   "übrigen Einstellungen bleiben erhalten.");
        Poste p;
        p.ecrire(fichier);
        for (int fois = 0; fois < 2; ++fois) {
            QCOMPARE(p.demarrer(), 0);
            if (fois == 0) {
                QCOMPARE(p.plateforme.popups->messages(),
                         QStringList{(langue_lue == 2 ? allemand : anglais).arg(p.ini(), lignes)});
                QCOMPARE(p.plateforme.popups->vus[0].titre, QString(langue_lue == 2 ? "ACHTUNG" : "WARNING"));
            } else {
                QVERIFY(p.plateforme.popups->messages().isEmpty());
                QCOMPARE(p.lignes().size(), 29);
            }
            QCOMPARE(langue, langue_lue);
            QCOMPARE(Acq.periode, periode);
            QCOMPARE(Acq.heure_rel, heure);
            QCOMPARE(Donnee[2].grandeur, grandeur2);
            QCOMPARE(QByteArray(Donnee[2].libelle), libelle2);
            QCOMPARE(items_recents(), recents);
            const tk::Geometrie g = tk::geometrie(p.principal());
            QCOMPARE((QList<int>{g.top, g.left, g.height, g.width}), placement);
            // The first channel line is whole in every damaged file but the noise.
            if (fichier.size() > 1) {
                QCOMPARE(QByteArray(Donnee[1].libelle), QByteArray("V(V)"));
                QCOMPARE(Mesure.port, 3);
            }
            p.arreter();
        }
    }

    // Only the first megabyte is read: a file past it (here up to 1 GB,
    // sparse) neither holds the start nor fills the memory. It is said to be
    // too large, its settings are kept, and it is written again at its size.
    void fichier_de_plus_d_un_mega_data()
    {
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<bool>("trop_grand");
        QTest::newRow("exactly 1 MB") << (qint64(1) << 20) << false;
        QTest::newRow("1 MB and one byte") << (qint64(1) << 20) + 1 << true;
        QTest::newRow("1 GB") << (qint64(1) << 30) << true;
    }
    void fichier_de_plus_d_un_mega()
    {
        QFETCH(qint64, taille);
        QFETCH(bool, trop_grand);
        Poste p;
        p.ecrire(modele());
        {
            QFile f(p.ini());
            QVERIFY(f.resize(taille));
        }
        QCOMPARE(p.demarrer(), 0);
        const QStringList attendu =
            trop_grand ? QStringList{QString::fromUtf8("Die Einstellungsdatei %1 ist größer als 1 MB: nur das erste "
                                                       "Megabyte wurde gelesen.").arg(p.ini())}
                       : QStringList{};
        QCOMPARE(p.plateforme.popups->messages(), attendu);
        QCOMPARE(langue, 2);
        QCOMPARE(items_recents().size(), 2);
        QCOMPARE(QFileInfo(p.ini()).size() < 4096, trop_grand);
        if (trop_grand)
            QCOMPARE(p.lignes().mid(0, 24), modele().mid(0, 24));
    }

    // Damaged text lines: what is read from them is written so that the next
    // start reads the same again (a NUL ends a line; returns at the end of an
    // entry are the writer's to drop, not part of it).
    void lignes_abimees_relues_comme_ecrites_data()
    {
        QTest::addColumn<int>("numero"); // line of modele(), 1-based
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("lu"); // recent entry, directory or label read; empty: the default directory
        QTest::newRow("NUL after the blank of an entry")
            << 27 << QByteArray(" __2 /d/m.dat \0rest", 20) << QByteArray("__2 /d/m.dat");
        QTest::newRow("returns ending an entry") << 26 << QByteArray("__1 /d/a.dat\r\r ") << QByteArray("__1 /d/a.dat");
        QTest::newRow("directory of returns") << 7 << QByteArray("\r\r") << QByteArray();
        QTest::newRow("directory after a NUL") << 7 << QByteArray("\0/x", 3) << QByteArray();
        QTest::newRow("returns ending the directory") << 7 << QByteArray("/x \r\r\r") << QByteArray("/x ");
        // Cut to the room of the program's texts (300 and 500 characters).
        const QByteArray long_ = "__1 /" + QByteArray(292, 'a');
        QTest::newRow("entry cut among blanks") << 26 << long_ + "   b" << long_;
        const QByteArray dossier = "/" + QByteArray(497, 'd');
        QTest::newRow("directory cut after a return") << 7 << dossier + "\r\rx" << dossier;
        // A Latin-1 label whose UTF-8 copy is cut just after a return.
        QTest::newRow("label cut after a return")
            << 3 << QByteArray("3 1 1 2 -1 \xaf\xd7V) 0\r\x01") << QString::fromUtf8("¯×V) 0").toUtf8();
    }
    void lignes_abimees_relues_comme_ecrites()
    {
        QFETCH(int, numero);
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, lu);
        Poste p;
        QList<QByteArray> f = modele();
        f[numero - 1] = texte;
        auto valeur = [numero]() {
            if (numero == 3)
                return QByteArray(Donnee[1].libelle);
            return QByteArray(numero == 7 ? Excel.repertoire : nom[numero - 26]);
        };
        valeur_par_defaut();
        const QByteArray defaut = Excel.repertoire;
        int enregistrer = 0;
        QVERIFY(lire_parametres(f.join('\n') + '\n', enregistrer).isEmpty());
        QCOMPARE(valeur(), lu.isEmpty() ? defaut : lu);

        const QByteArray ecrit = texte_parametres();
        valeur_par_defaut();
        QVERIFY(lire_parametres(ecrit, enregistrer).isEmpty());
        QCOMPARE(valeur(), lu.isEmpty() ? defaut : lu);
        QCOMPARE(texte_parametres(), ecrit);
    }

    // The fuzz target's seeds are settings files the reader takes whole.
    void graines_du_fuzz_acceptees()
    {
        Poste p;
        const QDir d(QStringLiteral(VOLTEXA_SOURCE_DIR "/fuzz/graines/parametres"));
        const QStringList graines = d.entryList(QDir::Files);
        QVERIFY(graines.size() >= 3);
        for (const QString& g : graines) {
            QFile f(d.filePath(g));
            QVERIFY(f.open(QIODevice::ReadOnly));
            valeur_par_defaut();
            int enregistrer = -1;
            QVERIFY2(lire_parametres(f.readAll(), enregistrer).isEmpty(), qPrintable(g));
            QVERIFY2(enregistrer == 0 || enregistrer == 1, qPrintable(g));
        }
    }

    void valeurs_hors_plage()
    {
        // A language beyond Italian must not reach the Options menu: 5 would
        // have toggled Save settings on exit.
        for (const QByteArray& l : {QByteArray("9"), QByteArray("5"), QByteArray("-1")}) {
            Poste p;
            QList<QByteArray> f = modele();
            f[18] = l;
            p.ecrire(f);
            QCOMPARE(p.demarrer(), 0);
            QVERIFY(p.plateforme.popups->messages().isEmpty());
            QCOMPARE(langue, 1);
            QVERIFY(tk::ItemChecked(ITEM_ANGLAIS));
            QVERIFY(tk::ItemChecked(ITEM_ENREGIST2));
            QCOMPARE(tk::ItemName(Info[0].item), QString("Data"));
            // The rest of the file still counts.
            QCOMPARE(Acq.periode, 2);
        }

        // A placement off every screen, or with no size, takes the default
        // placement; the language of the same file is kept.
        const QList<QList<QByteArray>> placements = {
            {"30000", "30000", "400", "600"},
            {"-5000", "70", "400", "600"},
            {"60", "70", "0", "600"},
            {"2147483000", "2147483000", "2147483000", "2147483000"},
        };
        for (const QList<QByteArray>& pl : placements) {
            Poste p;
            QList<QByteArray> f = modele();
            for (int i = 0; i < 4; ++i)
                f[19 + i] = pl[i];
            p.ecrire(f);
            QCOMPARE(p.demarrer(), 0);
            QCOMPARE(tk::geometrie(p.principal()), (tk::Geometrie{38, 45, 460, 647}));
            QCOMPARE(langue, 2);
        }

        // A port, a period or a time origin the program cannot use takes its
        // default; the rest of the file counts. A huge port would have made
        // the connection dialog list that many entries; a period of millions
        // of seconds overflowed the timer; an origin of 1e300 was written back
        // as a line no reader accepts.
        {
            Poste p;
            QList<QByteArray> f = modele();
            f[1] = "3000000";
            f[2] = "200000 1 1 2 -1 V(V)     ";
            f[3] = "200000 1 7 2 -1 Q(Var)   ";
            f[4] = "1e300";
            p.ecrire(f);
            QCOMPARE(p.demarrer(), 0);
            QCOMPARE(Acq.periode, 0);
            QCOMPARE(Mesure.port, 1);
            QCOMPARE(Acq.heure_rel, 0.0);
            QCOMPARE(langue, 2);
            // Whatever interval is asked for, the timer waits a positive time.
            fixer_intervalle_minuterie(3000000.0);
            activer_minuterie(true);
            QVERIFY(attente_minuterie_ms() > 0);
            activer_minuterie(false);
        }
        // A channel count, a quantity code, a colour or a window state the
        // program has no use for takes its default.
        {
            Poste p;
            QList<QByteArray> f = modele();
            f[2] = "1 1 99 7 -1 " + QString::fromUtf8("Tété(V)  ").toLatin1();
            f[3] = "1 1 -3 7 -1 Q(Var)   ";
            f[8] = "-5";
            f[9] = "16777216";
            f[23] = "3";
            p.ecrire(f);
            QCOMPARE(p.demarrer(), 0);
            QCOMPARE(Mesure.nb_voies, 1);
            QCOMPARE(Donnee[1].grandeur, 1);
            // The file's Latin-1 label is the program's UTF-8 one.
            QCOMPARE(QString::fromUtf8(Donnee[1].libelle), QString::fromUtf8("Tété(V)"));
            QCOMPARE(Donnee[2].grandeur, 1);
            QCOMPARE(color[1], couleurs_par_defaut[1]);
            QCOMPARE(color[2], couleurs_par_defaut[2]);
            QCOMPARE(tk::etat_zoom(p.principal()), 0);
            QCOMPARE(langue, 2);
        }
        for (const QByteArray& periode : {QByteArray("-2"), QByteArray("3601")}) {
            Poste p;
            QList<QByteArray> f = modele();
            f[1] = periode;
            p.ecrire(f);
            QCOMPARE(p.demarrer(), 0);
            QCOMPARE(Acq.periode, 0);
        }

        // A placement partly off screen but reachable is kept.
        Poste p;
        QList<QByteArray> f = modele();
        f[20] = "-300";
        p.ecrire(f);
        QCOMPARE(p.demarrer(), 0);
        QCOMPARE(tk::geometrie(p.principal()).left, -300);
    }

    void quitter_en_enregistrant_tout()
    {
        Poste p;
        p.ecrire(modele());
        QCOMPARE(p.demarrer(), 0);
        const int fins = nb_fins_demandees();

        tk::deplacer(p.principal(), 90, 110);
        tk::SetPanelHeight(p.principal(), 420);
        tk::SetPanelWidth(p.principal(), 630);
        Gestion_options(menu, ITEM_ITALIEN, nullptr, p.principal());
        copie_texte(nom[2], "__3 /data/trois.dat");
        p.plateforme.popups->reponses << 2;
        QCOMPARE(sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0), 0);

        const QList<QByteArray> l = p.lignes();
        QCOMPARE(l.size(), 29);
        QCOMPARE(l[0], QByteArray("1"));
        QCOMPARE(l[2], QByteArray("3 1 1 2 -1 V(V)     "));
        QCOMPARE(l[3], QByteArray("3 1 7 2 -1 Q(Var)   "));
        QCOMPARE(l[4], QByteArray("12.500000"));
        QCOMPARE(l.mid(18, 7), (QList<QByteArray>{"4", "90", "110", "420", "630", "0", "***"}));
        QCOMPARE(l[25], QByteArray("__1 /data/essai.dat "));
        QCOMPARE(l[26], QByteArray(" __2 /data/Vieux/mesure1.DAT "));
        QCOMPARE(l[27], QByteArray(" __3 /data/trois.dat "));
        QCOMPARE(l[28], QByteArray("  "));
        // No: the program goes on.
        QCOMPARE(nb_fins_demandees(), fins);

        // Yes ends the event loop; each attempt writes the file again.
        QFile::remove(p.ini());
        p.plateforme.popups->reponses << 1;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(nb_fins_demandees(), fins + 1);
        QCOMPARE(p.lignes().size(), 29);

        // Only the commit event quits.
        sortir(p.principal(), 0, EVENT_LEFT_CLICK, nullptr, 0, 0);
        QCOMPARE(nb_fins_demandees(), fins + 1);

        // What was written comes back at the next start.
        p.arreter();
        QCOMPARE(p.demarrer(), 0);
        QVERIFY(p.plateforme.popups->messages().isEmpty());
        QCOMPARE(langue, 4);
        QCOMPARE(tk::geometrie(p.principal()), (tk::Geometrie{90, 110, 420, 630}));
        QCOMPARE(items_recents().size(), 3);
    }

    void fenetre_agrandie_restauree_agrandie()
    {
        Poste p;
        p.ecrire(modele());
        QCOMPARE(p.demarrer(), 0);
        QCOMPARE(tk::etat_zoom(p.principal()), 0);
        tk::SetPanelZoom(p.principal(), 1);
        p.plateforme.popups->reponses << 1;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(p.lignes()[23], QByteArray("1"));

        p.arreter();
        QCOMPARE(p.demarrer(), 0);
        QCOMPARE(tk::etat_zoom(p.principal()), 1);
    }

    void quitter_sans_enregistrer_les_reglages()
    {
        Poste p;
        QList<QByteArray> f = modele();
        // An older, longer recent-file block and stray text after it.
        f[25] = "__1 /un/chemin/nettement/plus/long/que/les/autres/enregistrement.dat ";
        f << "reste";
        p.ecrire(f);
        QCOMPARE(p.demarrer(), 0);
        Gestion_options(menu, ITEM_ENREGIST2, nullptr, p.principal());
        QVERIFY(!tk::ItemChecked(ITEM_ENREGIST2));

        // Changes that must not reach the file.
        tk::deplacer(p.principal(), 200, 210);
        Gestion_options(menu, ITEM_FRANCAIS, nullptr, p.principal());
        Acq.periode = 9;
        copie_texte(nom[0], "__1 /data/neuf.dat");
        copie_texte(nom[1], "__2 /data/essai.dat");
        p.plateforme.popups->reponses << 2;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);

        const QList<QByteArray> l = p.lignes();
        QCOMPARE(l.size(), 29);
        QCOMPARE(l[0], QByteArray("0"));
        QCOMPARE(l.mid(1, 24), f.mid(1, 24));
        QCOMPARE(l.mid(25), (QList<QByteArray>{"__1 /data/neuf.dat ", " __2 /data/essai.dat ", "  ", "  "}));
        QVERIFY(p.plateforme.popups->messages().isEmpty());

        // The next start comes up with the item unchecked, the old settings
        // and the new recent files; quitting again still writes only line 1
        // and the recent files.
        p.arreter();
        QCOMPARE(p.demarrer(), 0);
        QVERIFY(!tk::ItemChecked(ITEM_ENREGIST2));
        QCOMPARE(langue, 2);
        QCOMPARE(Acq.periode, 2);
        QCOMPARE(items_recents(), (QStringList{"&1 /data/neuf.dat", "&2 /data/essai.dat"}));
        const QByteArray avant = p.contenu();
        p.plateforme.popups->reponses << 1;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(p.contenu(), avant);
    }

    void quitter_sans_separateur_ou_sans_fichier()
    {
        // Lines 19..24 are whole, so start-up accepts a file that ends there
        // or has something else in place of "***": the recent files are put
        // back behind a "***" after line 24, where the next start reads them.
        for (const QList<QByteArray>& fin : {QList<QByteArray>{}, QList<QByteArray>{"###", "__1 /x.dat "}}) {
            Poste p;
            p.ecrire(modele().mid(0, 24) + fin);
            QCOMPARE(p.demarrer(), 0);
            QVERIFY(p.plateforme.popups->messages().isEmpty());
            Gestion_options(menu, ITEM_ENREGIST2, nullptr, p.principal());
            copie_texte(nom[0], "__1 /data/a.dat");
            p.plateforme.popups->reponses << 2;
            sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);

            const QList<QByteArray> l = p.lignes();
            QCOMPARE(l.size(), 29);
            QCOMPARE(l.mid(1, 23), modele().mid(1, 23));
            QCOMPARE(l[24], QByteArray("***"));
            QCOMPARE(l[25], QByteArray("__1 /data/a.dat "));
            p.arreter();
            QCOMPARE(p.demarrer(), 0);
            QCOMPARE(items_recents(), QStringList{"&1 /data/a.dat"});
        }

        // The file gone while the program ran: message 0, quitting goes on,
        // and no file of three lines is made in its place.
        Poste p;
        p.ecrire(modele());
        QCOMPARE(p.demarrer(), 0);
        Gestion_options(menu, ITEM_ENREGIST2, nullptr, p.principal());
        QFile::remove(p.ini());
        const int fins = nb_fins_demandees();
        p.plateforme.popups->reponses << 1;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(p.plateforme.popups->messages(), QStringList{QString::fromUtf8("Setup file VOLTEXA.INI nicht gefunden\n")});
        QVERIFY(!QFile::exists(p.ini()));
        QCOMPARE(nb_fins_demandees(), fins + 1);
    }

    // The settings written at quit on a disk that fails: "Error writing
    // file", the old file byte for byte and nothing left beside it.
    void reglages_sur_disque_en_panne_data()
    {
        QTest::addColumn<bool>("tout"); // Save settings on exit checked
        QTest::addColumn<qint64>("place");
        QTest::addColumn<bool>("synchro");
        for (bool tout : {true, false}) {
            const char* n = tout ? "whole file" : "line 1 and the recent files";
            QTest::addRow("%s, disk full", n) << tout << qint64(0) << false;
            QTest::addRow("%s, full after 100 bytes", n) << tout << qint64(100) << false;
            QTest::addRow("%s, sync refused", n) << tout << qint64(-1) << true;
        }
    }

    void reglages_sur_disque_en_panne()
    {
        QFETCH(bool, tout);
        QFETCH(qint64, place);
        QFETCH(bool, synchro);
        Poste p;
        p.ecrire(modele());
        QCOMPARE(p.demarrer(), 0);
        const QByteArray avant = p.contenu();
        if (!tout)
            Gestion_options(menu, ITEM_ENREGIST2, nullptr, p.principal());
        tk::deplacer(p.principal(), 200, 210);
        p.plateforme.popups->reponses << 2; // No to quitting
        simuler_disque(place, synchro);
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
        simuler_disque(-1);
        // Message 24 in the file's language, German.
        QCOMPARE(p.plateforme.popups->messages(), QStringList{"Fehler beim file schreiben\n"});
        QCOMPARE(p.contenu(), avant);
        QCOMPARE(QDir(p.programme.dir()).entryList({"*.part"}, QDir::Files | QDir::Hidden), QStringList());
    }

    void fichier_protege_ou_chemin_tronque()
    {
        Poste p;
        p.ecrire(modele());
        QCOMPARE(p.demarrer(), 0);
        const QByteArray avant = p.contenu();

        // A file made read-only is not replaced at quit, checked or not
        // (an administrator's account writes it anyway: nothing to check then).
        QFile::setPermissions(p.ini(), QFile::ReadOwner | QFile::ReadUser);
        if (!QFileInfo(p.ini()).isWritable()) {
            tk::deplacer(p.principal(), 200, 210);
            p.plateforme.popups->reponses << 2 << 2;
            sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
            QCOMPARE(p.contenu(), avant);
            Gestion_options(menu, ITEM_ENREGIST2, nullptr, p.principal());
            sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
            QCOMPARE(p.contenu(), avant);
            QCOMPARE(p.plateforme.popups->messages(), (QStringList{"Error writing file \n", MESSAGE_0}));
            Gestion_options(menu, ITEM_ENREGIST2, nullptr, p.principal());
        }
        QFile::setPermissions(p.ini(), QFile::ReadOwner | QFile::WriteOwner);

        // A settings path cut short by its fixed size names another file:
        // it is neither written nor created.
        const QString coupe = p.programme.dir() + "/voltexa.i";
        copie_texte(rep_ini, coupe.toLocal8Bit().constData());
        p.plateforme.popups->reponses << 2;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);
        QVERIFY(!QFile::exists(coupe));
    }

    void non_a_la_confirmation_apres_l_arret()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer());
        Poste p;
        p.ecrire(modele());
        QFile::remove(p.programme.dir() + "/ports/COM3");
        QVERIFY(QFile::link(sim.terminal(), p.programme.dir() + "/ports/COM3"));
        Annuler_choix_grandeur();
        QCOMPARE(p.demarrer(), 0);
        QCOMPARE(Acq.port_ouvert, 1);
        ouverture_com(3, JBUS_BAUD, 0, 8, 1, 0.3);

        selectionner_case(1, 1);
        ModeEnCours_actuel = 1;
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, p.principal());
        QVERIFY(Acq.en_cours);
        QVERIFY(minuterie_active());
        cadence(p.principal(), 0, EVENT_TIMER_TICK, nullptr, 0, 0);
        QCOMPARE(Acq.nb_points, 1);

        const int fins = nb_fins_demandees();
        QFile::remove(p.ini());
        // No to saving the readings, then No to quitting.
        p.plateforme.popups->reponses << 2 << 2;
        sortir(p.principal(), 0, EVENT_COMMIT, nullptr, 0, 0);

        QCOMPARE(p.lignes().size(), 29);
        QVERIFY(!Acq.en_cours);
        QCOMPARE(flag_demande_lancer, 0);
        QVERIFY(!minuterie_active());
        QCOMPARE(nb_fins_demandees(), fins);
        const QList<PopupVu>& vus = p.plateforme.popups->vus;
        QVERIFY(vus.size() >= 2);
        QCOMPARE(vus[vus.size() - 2].texte, QString::fromUtf8("Möchten Sie die Daten speichern?"));
        const PopupVu& q = vus.last();
        QCOMPARE(q.genre, QString("question"));
        QCOMPARE(q.titre, QString("Beenden"));
        QCOMPARE(q.texte, QString("Wollen sie VOLTEXA beenden ?\n"));
        QCOMPARE(q.boutons, (QStringList{"Ja", "Nein", QString()}));
        QCOMPARE(q.defaut, 1);
        QCOMPARE(q.echap, 2);
        p.arreter();
    }
};

QTEST_MAIN(TestConfig)
#include "test_config.moc"
