// Recording files as plain text: names and their pairing, path case, the
// recent-file list, the configuration and data files written and read back,
// bad files refused, and saving that never loses the previous recording.
#include "socle/globals.h"
#include "files/format.h"
#include "fuzz/deplier.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

Lecture lire_cfg(const QByteArray& texte, bool avec_x, Configuration& c)
{
    QBuffer b;
    b.setData(texte);
    b.open(QIODevice::ReadOnly);
    return lire_configuration(b, avec_x, c);
}

Lecture lire_dat(const QByteArray& texte, int n, int nb_valeurs, Releves& r)
{
    QBuffer b;
    b.setData(texte);
    b.open(QIODevice::ReadOnly);
    return lire_donnees(b, n, nb_valeurs, r);
}

// Two channels' lines laid out by hand: voltage 230.5 and power 1500.25,
// then channel 1 undefined, then channel 2 undefined.
const QByteArray deux_voies =
    "    1 03-07-2026 10:00:01    230.500       1500.250         \r\n"
    "    2 03-07-2026 10:00:02    ----          1499.000         \r\n"
    "    3 03-07-2026 10:00:03    231.000           ----         \r\n";

} // namespace

class TestFormat : public QObject {
    Q_OBJECT

private slots:
    // The period of a recording from its time column: half-second stamps
    // read 0 or 1 s apart, a clock past midnight, elapsed time, a lost
    // reading, readings on request, too few stamps.
    void periode_des_releves_data()
    {
        QTest::addColumn<QList<int>>("secondes"); // stamp of each line, -1: no time field
        QTest::addColumn<int>("periode");
        QList<int> demi, dix, minuit, perdu, demande;
        for (int j = 0; j < 112; ++j)
            demi << j / 2;
        for (int j = 0; j < 40; ++j)
            dix << 7 * 3600 + 10 * j;
        for (int j = 0; j < 30; ++j)
            minuit << (86400 - 60 + 5 * j) % 86400;
        for (int j = 0; j < 50; ++j)
            if (j != 20)
                perdu << 2 * j;
        for (int t : {0, 4, 31, 32, 90, 400, 401, 1000})
            demande << t;
        QTest::newRow("0.5 s") << demi << 0;
        QTest::newRow("10 s") << dix << 10;
        QTest::newRow("5 s past midnight") << minuit << 5;
        QTest::newRow("2 s, one reading lost") << perdu << 2;
        QTest::newRow("on request") << demande << -1;
        QTest::newRow("12 s with a line without time") << QList<int>{0, 12, -1, 24, 36} << 12;
        QTest::newRow("one line") << QList<int>{5} << int(PERIODE_DE_REGLAGE);
    }
    void periode_des_releves()
    {
        QFETCH(QList<int>, secondes);
        QFETCH(int, periode);
        QStringList lignes;
        int j = 0;
        for (int t : secondes) {
            QString l = QString::number(++j).rightJustified(5) + " 07-03-2026 ";
            l += t < 0 ? QString("--------") : QString::asprintf("%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
            lignes << l + "   230.000     ";
        }
        QCOMPARE(::periode_des_releves(lignes), periode);
    }

    // Each data file has its own configuration file, the extension replaced;
    // the names earlier versions wrote (cut at the first '.' of the name, then
    // of the whole path) come after it, only those that differ.
    void noms_apparies_data()
    {
        QTest::addColumn<QString>("donnees");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("configuration");
        QTest::addColumn<QStringList>("anciens");
        QTest::newRow("plain name") << "D:\\REC\\MESURE1.DAT" << true << "D:\\REC\\MESURE1.cfg" << QStringList{};
        QTest::newRow("dots in the name") << "/data/site.A.dat" << false << "/data/site.A.cfg"
                                          << QStringList{"/data/site.cfg"};
        QTest::newRow("other dots, other file") << "/data/site.B.dat" << false << "/data/site.B.cfg"
                                                << QStringList{"/data/site.cfg"};
        QTest::newRow("dated name") << "/m/mesure 2026.12.08.dat" << false << "/m/mesure 2026.12.08.cfg"
                                    << QStringList{"/m/mesure 2026.cfg"};
        QTest::newRow("upper-case .DAT") << "C:\\REC\\SITE.A.DAT" << true << "C:\\REC\\SITE.A.cfg"
                                         << QStringList{"C:\\REC\\SITE.cfg"};
        QTest::newRow("no extension") << "/data/mesure" << false << "/data/mesure.cfg" << QStringList{};
        QTest::newRow("dot in a folder") << "/data/rec.v2/mesure1.dat" << false << "/data/rec.v2/mesure1.cfg"
                                         << QStringList{"/data/rec.cfg"};
        QTest::newRow("dot in a folder, none in the name") << "/data/rec.v2/mesure" << false
                                                           << "/data/rec.v2/mesure.cfg" << QStringList{"/data/rec.cfg"};
        QTest::newRow("dots in both") << "D:\\REC.V2\\SITE.A.DAT" << true << "D:\\REC.V2\\SITE.A.cfg"
                                      << QStringList{"D:\\REC.V2\\SITE.cfg", "D:\\REC.cfg"};
        QTest::newRow("'/' on Windows") << "C:/rec.v2/m.dat" << true << "C:/rec.v2/m.cfg"
                                        << QStringList{"C:/rec.cfg"};
    }
    void noms_apparies()
    {
        QFETCH(QString, donnees);
        QFETCH(bool, windows);
        QFETCH(QString, configuration);
        QFETCH(QStringList, anciens);
        const Systeme s = windows ? Systeme::Windows : Systeme::Autre;
        QCOMPARE(chemin_configuration(donnees, s), configuration);
        QCOMPARE(chemins_configuration_anciens(donnees, s), anciens);
    }

    void genres_des_noms()
    {
        const auto W = Systeme::Windows, A = Systeme::Autre;
        QCOMPARE(genre_fichier("/d/M.DAT", A), GenreFichier::Donnees);
        QCOMPARE(genre_fichier("/d/m.Cfg", A), GenreFichier::Configuration);
        QCOMPARE(genre_fichier("/d/M.DAT.BAK", A), GenreFichier::Donnees);
        QCOMPARE(genre_fichier("/my.database/rec.cfg", A), GenreFichier::Configuration);
        QCOMPARE(genre_fichier("/rec.dat/notes.txt", A), GenreFichier::Aucun);
        QCOMPARE(genre_fichier("C:\\rec.dat\\notes.txt", W), GenreFichier::Aucun);
    }

    void casse_des_chemins_et_titre()
    {
        const auto W = Systeme::Windows, A = Systeme::Autre;
        QCOMPARE(chemin_memorise("/home/Ana/Rec/m1.dat", A), QString("/home/Ana/Rec/m1.dat"));
        QCOMPARE(chemin_memorise("c:/Rec/m1.dat", W), QString("C:\\REC\\M1.DAT"));
        QVERIFY(!memes_chemins("/x/A.dat", "/x/a.dat", A));
        QVERIFY(memes_chemins("C:\\X\\A.DAT", "c:\\x\\a.dat", W));
        QCOMPARE(titre_fichier("/home/Ana/Rec/mesure1.dat", A), QString("VOLTEXA - MESURE1.DAT"));
        QCOMPARE(titre_fichier("D:\\REC\\MESURE1.DAT", W), QString("VOLTEXA - MESURE1.DAT"));
        // A backslash is a file-name character where it is no separator.
        QCOMPARE(titre_fichier("/x/a\\b.dat", A), QString("VOLTEXA - A\\B.DAT"));
    }

    void fichiers_recents()
    {
        std::array<QString, 4> e;
        QVERIFY(placer_en_tete(e, "/r/a.dat", Systeme::Autre));
        QVERIFY(!placer_en_tete(e, "/r/a.dat", Systeme::Autre));
        QCOMPARE(e, (std::array<QString, 4>{"__1 /r/a.dat", "", "", ""}));
        for (const char* p : {"/r/b.dat", "/r/c.dat", "/r/d.dat"})
            placer_en_tete(e, p, Systeme::Autre);
        QCOMPARE(e, (std::array<QString, 4>{"__1 /r/d.dat", "__2 /r/c.dat", "__3 /r/b.dat", "__4 /r/a.dat"}));
        // The third entry goes to the top, the first two move down, the fourth stays.
        placer_en_tete(e, "/r/b.dat", Systeme::Autre);
        QCOMPARE(e, (std::array<QString, 4>{"__1 /r/b.dat", "__2 /r/d.dat", "__3 /r/c.dat", "__4 /r/a.dat"}));
        placer_en_tete(e, "/r/d.dat", Systeme::Autre);
        QCOMPARE(e, (std::array<QString, 4>{"__1 /r/d.dat", "__2 /r/b.dat", "__3 /r/c.dat", "__4 /r/a.dat"}));
        // A new path pushes the fourth out; letter case makes another file here...
        placer_en_tete(e, "/r/A.dat", Systeme::Autre);
        QCOMPARE(e, (std::array<QString, 4>{"__1 /r/A.dat", "__2 /r/d.dat", "__3 /r/b.dat", "__4 /r/c.dat"}));
        // ...and the same one on Windows.
        std::array<QString, 4> w{"__1 C:\\R\\A.DAT", "", "", ""};
        QVERIFY(!placer_en_tete(w, "c:\\r\\a.dat", Systeme::Windows));
    }

    void configuration_ecrite_puis_relue()
    {
        Configuration c;
        c.voies[0] = {1, 1, 1, 2, 1, "V(V)"};
        c.voies[1] = {1, 1, 5, 2, 2, "P(W)"};
        c.heure_rel = 36001.5;
        c.temps_relatif = 1;
        c.nb_points = 3;
        c.x = {0, 1, 2};
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        QVERIFY(ecrire_configuration(b, c));
        QCOMPARE(b.data(), QByteArray("1 1 1 2 1 V(V)     \n1 1 5 2 2 P(W)     \n36001.500000\n1\n3\n0\n1\n2\n"));

        Configuration r;
        QCOMPARE(lire_cfg(b.data(), true, r), Lecture::Bonne);
        QCOMPARE(r.voies[1].libelle, QString("P(W)"));
        QCOMPARE(r.voies[1].num_fenetre, 2);
        QCOMPARE(r.heure_rel, 36001.5);
        QCOMPARE(r.x, (std::vector<int>{0, 1, 2}));

        // By hand, with Windows line ends, a blank label that must not take
        // the next line, and no x positions needed for a configuration alone.
        QCOMPARE(lire_cfg("3 0 3 1 -1          \r\n3 0 1 1 -1          \r\n0.000000\r\n0\r\n2\r\n", false, r),
                 Lecture::Bonne);
        QCOMPARE(r.voies[0].libelle, QString());
        QCOMPARE(r.voies[1].port, 3);
        QCOMPARE(r.nb_points, 2);
        QVERIFY(r.x.empty());
    }

    // The channel line shared by the configuration and settings files.
    void ligne_de_voie()
    {
        const VoieFichier v{3, 1, 5, 2, 1, "P(W)"};
        QCOMPARE(ligne_voie(v), QByteArray("3 1 5 2 1 P(W)     "));
        VoieFichier lu;
        QCOMPARE(lire_ligne_voie(ligne_voie(v), lu), NB_NOMBRES_VOIE);
        QCOMPARE(lu.port, 3);
        QCOMPARE(lu.grandeur, 5);
        QCOMPARE(lu.num_fenetre, 1);
        QCOMPARE(lu.libelle, QString("P(W)"));

        // Cut to nine, then trimmed: no blank of the cut stays in the label.
        QCOMPARE(lire_ligne_voie("1 1 1 1 1 V(V)     :", lu), NB_NOMBRES_VOIE);
        QCOMPARE(lu.libelle, QString("V(V)"));

        // A malformed number stops the reading there; the fields after it
        // and the label keep their values.
        VoieFichier partiel{9, 9, 9, 9, 9, "avant"};
        QCOMPARE(lire_ligne_voie("2 0 x7 1 1 I(A)", partiel), 2);
        QCOMPARE(partiel.port, 2);
        QCOMPARE(partiel.type_reseau, 0);
        QCOMPARE(partiel.grandeur, 9);
        QCOMPARE(partiel.libelle, QString("avant"));
        QCOMPARE(lire_ligne_voie("", partiel), 0);
    }

    void configurations_refusees_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("lecture");
        const QByteArray tete = "1 1 1 1 1 V(V)     \n1 1 5 1 -1 P(W)     \n0.000000\n0\n";
        const auto F = int(Lecture::Format), C = int(Lecture::Capacite);
        QTest::newRow("count over the capacity") << tete + "30001\n" << C;
        QTest::newRow("negative count") << tete + "-1\n" << C;
        QTest::newRow("count not a number") << tete + "trois\n" << C;
        QTest::newRow("x positions cut short") << tete + "3\n0\n1\n" << F;
        QTest::newRow("three channels") << QByteArray("1 1 1 3 1 V(V)\n1 1 5 3 2 P(W)\n0\n0\n0\n") << F;
        QTest::newRow("window outside the table") << QByteArray("1 1 1 1 10 V\n1 1 5 1 2 P\n0\n0\n0\n") << F;
        QTest::newRow("binary noise") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0\n\x03\0>\0\n", 16) << F;
        QTest::newRow("over-long line") << tete + "1\n" + QByteArray(5000, '7') + "\n" << F;
        // Values that would open but could not be saved and read back, or
        // that ask for a port no system has.
        QTest::newRow("time origin 1e300") << QByteArray("1 1 1 1 1 V\n1 1 5 1 -1 P\n1e300\n0\n0\n") << F;
        QTest::newRow("port 200000") << QByteArray("200000 1 1 1 1 V\n200000 1 5 1 -1 P\n0\n0\n0\n") << F;
        QTest::newRow("negative port") << QByteArray("-1 1 1 1 1 V\n-1 1 5 1 -1 P\n0\n0\n0\n") << F;
    }

    void configurations_refusees()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, lecture);
        Configuration c;
        c.nb_points = 17;
        QCOMPARE(int(lire_cfg(texte, true, c)), lecture);
        QCOMPARE(c.nb_points, 17);  // nothing taken from a refused file
    }

    void donnees_lues()
    {
        Releves r;
        QCOMPARE(lire_dat(deux_voies, 3, 2, r), Lecture::Bonne);
        QCOMPARE(r.lignes.size(), 3);
        QCOMPARE(r.lignes[0], QString(deux_voies.left(60)));  // leading blanks kept
        QCOMPARE(r.valeurs[0][0], 230.5);
        QCOMPARE(r.valeurs[1][0], 1500.25);
        // Channel 2 survives an undefined channel 1, and the other way round.
        QVERIFY(std::isnan(r.valeurs[0][1]));
        QCOMPARE(r.valeurs[1][1], 1499.0);
        QCOMPARE(r.valeurs[0][2], 231.0);
        QVERIFY(std::isnan(r.valeurs[1][2]));

        // Lines beyond the count are ignored; a shorter file gives what it has.
        QCOMPARE(lire_dat(deux_voies, 1, 2, r), Lecture::Bonne);
        QCOMPARE(r.lignes.size(), 1);
        QCOMPARE(lire_dat(deux_voies, 30000, 1, r), Lecture::Bonne);
        QCOMPARE(r.lignes.size(), 3);
        QVERIFY(r.valeurs[1].empty());

        double v = -1;
        QVERIFY(lire_reel("  +12.5x", 0, v));
        QVERIFY(v == 12.5);
        QVERIFY(!lire_reel("   ----", 0, v));
        QVERIFY(v == 12.5);
        QVERIFY(!lire_reel("short", 26, v));
    }

    void donnees_refusees_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::newRow("over-long line") << deux_voies + QByteArray(300, ' ') + "\n";
        QTest::newRow("no line end at all") << QByteArray(100000, 'x');
        QTest::newRow("binary noise") << QByteArray("\x01\x02\x00\xff\xfe\n", 6);
    }

    void donnees_refusees()
    {
        QFETCH(QByteArray, texte);
        Releves r;
        r.lignes = QStringList{"kept"};
        QCOMPARE(lire_dat(texte, 10, 2, r), Lecture::Format);
        QCOMPARE(r.lignes, QStringList{"kept"});
    }

    // The fuzz target's seeds are recordings the readers accept (the
    // configuration, a NUL, the data file, each unfolded as the target
    // does): a refused seed leaves the fuzzer without a way into the
    // readings. Two of them stand at the capacity of 30000 readings.
    void graines_du_fuzz_acceptees()
    {
        const QDir d(QStringLiteral(VOLTEXA_SOURCE_DIR "/fuzz/graines/enregistrement"));
        const QStringList graines = d.entryList(QDir::Files);
        QVERIFY(graines.size() >= 4);
        int a_la_capacite = 0;
        for (const QString& g : graines) {
            const QByteArray t = lire(d.filePath(g));
            const qsizetype nul = t.indexOf('\0');
            Configuration c;
            QVERIFY2(lire_cfg(deplier(nul < 0 ? t : t.left(nul)), true, c) == Lecture::Bonne, qPrintable(g));
            if (nul < 0)
                continue;
            Releves r;
            QVERIFY2(lire_dat(deplier(t.mid(nul + 1)), c.nb_points, c.voies[1].nb_voies, r) == Lecture::Bonne,
                     qPrintable(g));
            QVERIFY2(!r.lignes.isEmpty(), qPrintable(g));
            if (c.nb_points == 30000 && r.lignes.size() >= 29999)
                ++a_la_capacite;
        }
        QCOMPARE(a_la_capacite, 2);
    }

    void enregistrement_sans_perte()
    {
        QTemporaryDir d;
        const QString dat = d.filePath("m.dat"), cfg = d.filePath("m.cfg");
        auto ecrit = [](const QByteArray& a, const QByteArray& b) {
            return [a, b](QIODevice& f, int i) { return f.write(i == 0 ? a : b) >= 0; };
        };
        QVERIFY(enregistrer_paire(dat, cfg, ecrit("old data\n", "old cfg\n")));
        QCOMPARE(lire(dat), QByteArray("old data\n"));

        // The configuration cannot be written: the data file stays as it was.
        QVERIFY(!enregistrer_paire(dat, cfg, [](QIODevice& f, int i) { return i == 0 && f.write("new\n") > 0; }));
        QCOMPARE(lire(dat), QByteArray("old data\n"));

        // No temporary file is left behind.
        QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
};

QTEST_APPLESS_MAIN(TestFormat)
#include "test_format.moc"
