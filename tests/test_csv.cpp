// CSV export from the Edit menu: the file as a script or a spreadsheet reads
// it, read back by Python's csv module and checked against the data file of
// the same readings; the name proposed and the replacing question; a write
// that fails leaves nothing behind and says so.
#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/fenetres_voies.h"
#include "acquisition/ligne.h"
#include "support/disque_simule.h"
#include "support/fake_platform.h"
#include "support/releves_ranges.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const QString ERREUR_ECRITURE = QStringLiteral("Error writing file \n");

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
}

// The program with readings listed as an acquisition lists them. A reading
// is "yyyy-MM-dd hh:mm:ss v1 v2": the time column shows hh:mm:ss (the clock,
// or in relative mode the time elapsed), "-" is an undefined value.
struct Poste {
    SessionTest session;
    FakePopups& popups = *session.plateforme.popups;
    QTemporaryDir travail{QDir::tempPath() + "/vtcsv-XXXXXX"};

    // The lines are written in language `langue_lignes` (-1: the one in force).
    Poste(int langue_, const QStringList& libelles, bool relatif, int periode, const QStringList& releves,
          int langue_lignes = -1)
    {
        langue = langue_;
        Mesure.port = 1;
        Mesure.nb_voies = int(libelles.size());
        for (int k = 1; k <= Mesure.nb_voies; ++k)
            copie_texte(Donnee[k].libelle, libelles[k - 1].toUtf8().constData());
        Maj_connexion();
        Acq.temps_relatif = relatif ? 1 : 0;
        Acq.periode = periode;
        for (int j = 0; j < releves.size(); ++j) {
            const QStringList r = releves[j].split(' ');
            const QTime t = QTime::fromString(r[1], "hh:mm:ss");
            const auto valeur = [&](int i) { return i < r.size() && r[i] != "-" ? r[i].toDouble() : qQNaN(); };
            ranger_essai(j, QDate::fromString(r[0], "yyyy-MM-dd"), t, relatif,
                         langue_lignes < 0 ? langue : langue_lignes, Mesure.nb_voies, valeur(2), valeur(3));
        }
        Acq.nb_points = int(releves.size());
        copie_texte(Excel.repertoire, travail.path().toLocal8Bit().constData());
        popups.vus.clear();
    }
    QString chemin(const QString& nom) const { return travail.path() + "/" + nom; }
    // Edit > Export to CSV, the file popup answered with `choix`.
    void exporter(std::optional<QString> choix)
    {
        popups.saisies << choix;
        tk::declencher(ITEM_EXPORTER_CSV);
    }
};

// A folder that takes no new file, even for root; undone on destruction.
struct DossierFige {
    QString chemin;
    int fd = -1, drapeaux = 0;
    bool pret = false;
    explicit DossierFige(const QString& c) : chemin(c)
    {
        QFile::setPermissions(chemin, QFile::ReadOwner | QFile::ExeOwner);
        if (geteuid() != 0) {
            pret = true;
            return;
        }
        fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_DIRECTORY);
        int fige = 0;
        pret = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &drapeaux) == 0 &&
               (fige = drapeaux | FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &fige) == 0);
    }
    ~DossierFige()
    {
        if (fd >= 0) {
            ioctl(fd, FS_IOC_SETFLAGS, &drapeaux);
            ::close(fd);
        }
        QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

class TestCsv : public QObject {
    Q_OBJECT

private slots:
    // Saved, then exported under the name proposed: the exact text, and what
    // Python's csv module reads of it against the data file.
    void releves_relus_et_compares_au_fichier_de_donnees_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<int>("l_lignes"); // language the lines were written in
        QTest::addColumn<QStringList>("libelles");
        QTest::addColumn<bool>("relatif");
        QTest::addColumn<int>("periode");
        QTest::addColumn<QStringList>("releves");
        QTest::addColumn<QStringList>("attendu"); // the file's records
        QTest::addColumn<QStringList>("entete");  // its header as a csv reader gives it

        QTest::newRow("two channels, English, an undefined value")
            << 1 << 1 << QStringList{"V(V)", "P(W)"} << false << 1
            << QStringList{"2026-12-08 14:03:27 229.877 1502.5", "2026-12-08 14:03:28 230 -250.125",
                           "2026-12-08 14:03:29 - 0.5"}
            << QStringList{"n,time,V (V),P (W)", "1,2026-12-08T14:03:27,229.877,1502.500",
                           "2,2026-12-08T14:03:28,230.000,-250.125", "3,2026-12-08T14:03:29,,0.500"}
            << QStringList{"n", "time", "V (V)", "P (W)"};
        QTest::newRow("one channel, French (day first), past midnight")
            << 0 << 0 << QStringList{"I(A)"} << false << 1
            << QStringList{"2026-12-31 23:59:59 1.25", "2027-01-01 00:00:00 -", "2027-01-01 00:00:01 -6300"}
            << QStringList{"n,time,I (A)", "1,2026-12-31T23:59:59,1.250", "2,2027-01-01T00:00:00,",
                           "3,2027-01-01T00:00:01,-6300.000"}
            << QStringList{"n", "time", "I (A)"};
        QTest::newRow("relative time, a label with a comma and quotes")
            << 1 << 1 << QStringList{"FP", "P \"a\",b"} << true << 2
            << QStringList{"2026-12-08 00:00:00 0.98 2", "2026-12-08 00:00:02 - 3", "2026-12-08 01:02:05 0.5 -"}
            << QStringList{"n,time,FP,\"P \"\"a\"\",b\"", "1,0,0.980,2.000", "2,2,,3.000", "3,3725,0.500,"}
            << QStringList{"n", "time", "FP", "P \"a\",b"};
        QTest::newRow("every half second, German")
            << 2 << 2 << QStringList{"V(V)"} << false << 0
            << QStringList{"2026-12-08 14:03:27 230", "2026-12-08 14:03:28 231", "2026-12-08 14:03:28 232",
                           "2026-12-08 14:03:29 233", "2026-12-08 14:03:29 234"}
            << QStringList{"n,time,V (V)", "1,2026-12-08T14:03:27.0,230.000", "2,2026-12-08T14:03:28.0,231.000",
                           "3,2026-12-08T14:03:28.5,232.000", "4,2026-12-08T14:03:29.0,233.000",
                           "5,2026-12-08T14:03:29.5,234.000"}
            << QStringList{"n", "time", "V (V)"};
        // Saved in English, opened in Italian: the dates still read month first.
        QTest::newRow("month-first dates in another language")
            << 4 << 1 << QStringList{"V(V)"} << false << 1
            << QStringList{"2026-12-13 09:00:00 230", "2026-12-13 09:00:01 231"}
            << QStringList{"n,time,V (V)", "1,2026-12-13T09:00:00,230.000", "2,2026-12-13T09:00:01,231.000"}
            << QStringList{"n", "time", "V (V)"};
    }
    void releves_relus_et_compares_au_fichier_de_donnees()
    {
        QFETCH(int, l);
        QFETCH(int, l_lignes);
        QFETCH(QStringList, libelles);
        QFETCH(bool, relatif);
        QFETCH(int, periode);
        QFETCH(QStringList, releves);
        QFETCH(QStringList, attendu);
        QFETCH(QStringList, entete);
        Poste p(l, libelles, relatif, periode, releves, l_lignes);
        const QString dat = p.chemin("mesure.dat");
        p.popups.saisies << dat;
        tk::declencher(ITEM_ENREGIST);
        QVERIFY(QFileInfo::exists(dat));

        p.popups.vus.clear();
        p.exporter(p.chemin("mesure"));
        QCOMPARE(p.popups.vus.size(), 1);
        QCOMPARE(p.popups.vus[0].genre, QString("fichier"));
        QCOMPARE(p.popups.vus[0].texte, p.chemin("mesure.csv"));
        const QString csv = p.chemin("mesure.csv");
        QCOMPARE(QString::fromUtf8(contenu(csv)), attendu.join("\r\n") + "\r\n");

        QProcess lecteur;
        lecteur.start("/usr/bin/python3", {QStringLiteral(VOLTEXA_SOURCE_DIR "/tests/support/lire_csv.py"), csv, dat,
                                           relatif ? "relative" : l_lignes == 1 ? "month" : "day"});
        QVERIFY(lecteur.waitForFinished(60000));
        QVERIFY2(lecteur.exitCode() == 0, lecteur.readAllStandardError().constData());
        const QJsonObject lu = QJsonDocument::fromJson(lecteur.readAllStandardOutput()).object();
        QCOMPARE(lu["ecarts"].toArray(), QJsonArray());
        QVERIFY(lu["crlf"].toBool());
        QCOMPARE(lu["enregistrements"].toArray().size(), releves.size());
        QStringList lu_entete;
        for (const QJsonValue v : lu["entete"].toArray())
            lu_entete << v.toString();
        QCOMPARE(lu_entete, entete);
    }

    // The data file and the CSV are made from the readings themselves: a
    // readings list showing other text changes neither.
    void liste_alteree_sans_effet_data()
    {
        QTest::addColumn<bool>("relatif");
        QTest::addColumn<QStringList>("releves");
        QTest::addColumn<QByteArray>("dat");
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("clock time")
            << false << QStringList{"2026-12-08 14:03:27 229.877 1502.5", "2026-12-08 14:03:28 - -250.125"}
            << QByteArray("    1 12-08-2026 14:03:27    229.877       1502.500         \n"
                          "    2 12-08-2026 14:03:28    ----          -250.125         \n")
            << QByteArray("n,time,V (V),P (W)\r\n1,2026-12-08T14:03:27,229.877,1502.500\r\n"
                          "2,2026-12-08T14:03:28,,-250.125\r\n");
        // Halfway between two thousandths: away from zero in every output.
        QTest::newRow("relative time, halfway values")
            << true << QStringList{"2026-12-08 00:00:00 -0.0625 1502.5", "2026-12-08 01:02:05 - 2.1875"}
            << QByteArray("    1 12-08-2026 00:00:00     -0.063       1502.500         \n"
                          "    2 12-08-2026 01:02:05    ----             2.188         \n")
            << QByteArray("n,time,V (V),P (W)\r\n1,0,-0.063,1502.500\r\n2,3725,,2.188\r\n");
    }
    void liste_alteree_sans_effet()
    {
        QFETCH(bool, relatif);
        QFETCH(QStringList, releves);
        QFETCH(QByteArray, dat);
        QFETCH(QByteArray, csv);
        Poste p(1, {"V(V)", "P(W)"}, relatif, 1, releves);
        ListeReleves* l = liaison<PnlDonnees>(Info[0].panel).liste;
        l->clear();
        for (int j = 0; j < releves.size(); ++j)
            l->addItem(QString("%1 01-01-1999 00:00:00      9.000          9.000         ").arg(j + 1, 5), j);
        p.popups.saisies << p.chemin("m.dat");
        tk::declencher(ITEM_ENREGIST);
        QCOMPARE(contenu(p.chemin("m.dat")), dat);
        p.exporter(p.chemin("m.csv"));
        QCOMPARE(contenu(p.chemin("m.csv")), csv);
    }

    // The name proposed, a typed name completed, the replacing question.
    void nom_propose_et_remplacement()
    {
        Poste p(1, {"V(V)"}, false, 1, {"2026-12-08 14:03:27 230"});
        p.exporter(p.chemin("Data"));
        QCOMPARE(p.popups.vus[0].titre, QString("Save"));
        QCOMPARE(p.popups.vus[0].texte, p.chemin("vtex.csv"));
        const QByteArray premier = contenu(p.chemin("Data.csv"));
        QVERIFY(premier.startsWith("n,time,V (V)\r\n"));

        // No (the default) asks for another name; cancelled, nothing changes.
        ranger_essai(1, QDate(2026, 12, 8), QTime(14, 3, 28), false, 1, 1, 231);
        Acq.nb_points = 2;
        p.popups.vus.clear();
        p.popups.reponses << 2;
        p.popups.saisies << p.chemin("Data.csv") << std::nullopt;
        tk::declencher(ITEM_EXPORTER_CSV);
        QCOMPARE(p.popups.vus.size(), 3);
        const PopupVu& q = p.popups.vus[1];
        QCOMPARE(q.genre, QString("question"));
        QCOMPARE(q.texte, QString("File already exists !   Replace existing file ?\n"));
        QCOMPARE(q.boutons, (QStringList{"Yes", "No", ""}));
        QCOMPARE(q.defaut, 2);
        QCOMPARE(q.echap, 2);
        QCOMPARE(p.popups.vus[2].genre, QString("fichier"));
        QCOMPARE(contenu(p.chemin("Data.csv")), premier);

        p.popups.reponses << 1;
        p.exporter(p.chemin("Data"));
        QCOMPARE(contenu(p.chemin("Data.csv")).count("\r\n"), 3);
        // A name ending in ".csv" in any case stays as typed.
        p.exporter(p.chemin("b.CSV"));
        QVERIFY(QFileInfo::exists(p.chemin("b.CSV")));
        QVERIFY(p.popups.messages().isEmpty());
    }

    // Nothing is left where the file could not be written whole, and the
    // user is told as Save tells it.
    void ecriture_en_echec_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::newRow("device that takes nothing") << "/dev/full";
        QTest::newRow("read-only folder") << "fige";
        QTest::newRow("disk full over an earlier file") << "plein";
    }
    void ecriture_en_echec()
    {
        QFETCH(QString, cas);
        Poste p(1, {"V(V)", "P(W)"}, false, 1, {"2026-12-08 14:03:27 230 1500", "2026-12-08 14:03:28 231 1501"});
        const QString dossier = p.chemin("d");
        QVERIFY(QDir().mkdir(dossier));
        const QString cible = cas == "/dev/full" ? cas : dossier + "/r.csv";
        QByteArray avant;
        // Yes to replacing what is there (the device included).
        p.popups.reponse_suivante = 1;
        if (cas == "plein") {
            p.exporter(cible);
            avant = contenu(cible);
            QVERIFY(avant.startsWith("n,time"));
            simuler_disque(20);
            p.exporter(cible);
            simuler_disque(-1);
        } else if (cas == "fige") {
            DossierFige fige(dossier);
            if (!fige.pret)
                QSKIP("no way to make a folder read-only here");
            p.exporter(cible);
        } else {
            p.exporter(cible);
        }
        QCOMPARE(p.popups.messages(), QStringList{ERREUR_ECRITURE});
        if (cas != "/dev/full")
            QCOMPARE(QDir(dossier).entryList(QDir::Files | QDir::Hidden),
                     avant.isEmpty() ? QStringList{} : QStringList{"r.csv"});
        if (cas == "plein")
            QCOMPARE(contenu(cible), avant);
    }
};

QTEST_MAIN(TestCsv)
#include "test_csv.moc"
