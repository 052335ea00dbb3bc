// voltexa-log against the simulated wattmeter: the pairs it writes open as
// recordings with every reading served, in order, across rolled files and
// after a stop by signal; link faults do not end a run; what it cannot do
// it says before writing anything.
#include "options.h"

#include "files/format.h"
#include "support/simulateur.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// One run of the logger (with a lowered cap when `plafond` > 0), on the
// ports/ folder of the simulator's directory.
struct Logger {
    QProcess p;
    Logger(const SimulateurDeTest& sim, const QStringList& args, int plafond = 0)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VOLTEXA_ESSAI_DIR"), sim.repertoire());
        if (plafond > 0)
            env.insert(QStringLiteral("VOLTEXA_ESSAI_PLAFOND"), QString::number(plafond));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VOLTEXA_BIN_DIR "/voltexa-log-essai"), args);
    }
    ~Logger()
    {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
    }
    void signal(int s) { ::kill(pid_t(p.processId()), s); }
    bool fin(int ms = 30000) { return p.waitForFinished(ms); }
    QString err() { return QString::fromUtf8(p.readAllStandardError()); }
};

int lignes_fichier(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return int(f.readAll().count('\n'));
}

// Waits until the data file holds `n` lines.
bool attendre_lignes(const QString& dat, int n, int ms = 30000)
{
    QDeadlineTimer t(ms);
    while (lignes_fichier(dat) < n) {
        if (t.hasExpired())
            return false;
        QTest::qWait(100);
    }
    return true;
}

// A pair read as File > Open reads it; its count and lines checked.
struct Paire {
    Configuration c;
    Releves r;
};
bool lire_paire(const QString& dat, Paire& p)
{
    QFile fc(chemin_configuration(dat));
    QFile fd(dat);
    if (!fc.open(QIODevice::ReadOnly) || lire_configuration(fc, true, p.c) != Lecture::Bonne)
        return false;
    return fd.open(QIODevice::ReadOnly) && lire_donnees(fd, p.c.nb_points, 2, p.r) == Lecture::Bonne
           && p.r.lignes.size() == p.c.nb_points;
}

// Number and instant of a reading line.
int numero(const QString& l)
{
    return l.left(5).trimmed().toInt();
}
QDateTime instant(const QString& l)
{
    static const QRegularExpression re(QStringLiteral("(\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d)"));
    return QDateTime::fromString(re.match(l).captured(1), QStringLiteral("dd-MM-yyyy hh:mm:ss"));
}

} // namespace

class TestLog : public QObject {
    Q_OBJECT

private slots:
    void durees_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<qint64>("secondes");
        QTest::newRow("90s") << "90s" << qint64(90);
        QTest::newRow("15m") << "15m" << qint64(900);
        QTest::newRow("4h") << "4h" << qint64(14400);
        QTest::newRow("3d") << "3d" << qint64(259200);
        QTest::newRow("bare seconds") << "45" << qint64(45);
        QTest::newRow("interval dialog") << "001 12:00:30" << qint64(129630);
        QTest::newRow("dialog without days") << "00:10:00" << qint64(600);
        QTest::newRow("zero refused") << "0s" << qint64(-1);
        QTest::newRow("minutes over 59 refused") << "000 01:60:00" << qint64(-1);
        QTest::newRow("unknown unit refused") << "3w" << qint64(-1);
        QTest::newRow("words refused") << "a week" << qint64(-1);
    }
    void durees()
    {
        QFETCH(QString, texte);
        QFETCH(qint64, secondes);
        QCOMPARE(lire_duree(texte), secondes);
    }

    // What the command line sets, or the complaint that names what is wrong.
    void options_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("erreur");  // a fragment; empty when accepted
        QTest::addColumn<QString>("codes");   // accepted: the quantity codes, then the period
        QTest::newRow("labels") << "--com 2 --quantities V,P out.dat" << "" << "1,5 0";
        QTest::newRow("codes and labels, any case") << "--device /dev/ttyUSB0 --quantities fpm,4 --period 10 out.dat"
                                                   << "" << "12,4 10";
        QTest::newRow("half second") << "--com 1 --quantities Im --period 0.5 out.dat" << "" << "4 0";
        QTest::newRow("no port") << "--quantities V out.dat" << "--com N or --device PATH" << "";
        QTest::newRow("two ports") << "--com 1 --device /dev/ttyS0 --quantities V out.dat"
                                   << "--com N or --device PATH" << "";
        QTest::newRow("three quantities") << "--com 1 --quantities V,I,P out.dat" << "one or two" << "";
        QTest::newRow("unknown quantity") << "--com 1 --quantities W out.dat" << "unknown quantity \"W\"" << "";
        QTest::newRow("same quantity twice") << "--com 1 --quantities P,5 out.dat" << "given twice" << "";
        QTest::newRow("period not offered") << "--com 1 --quantities V --period 0.7 out.dat" << "--period" << "";
        QTest::newRow("period too long") << "--com 1 --quantities V --period 3601 out.dat" << "--period" << "";
        QTest::newRow("no output") << "--com 1 --quantities V" << "OUT.dat" << "";
        QTest::newRow("output not .dat") << "--com 1 --quantities V out.cfg" << ".dat" << "";
        QTest::newRow("bad duration") << "--com 1 --quantities V --duration soon out.dat" << "--duration" << "";
    }
    void options()
    {
        QFETCH(QString, ligne);
        QFETCH(QString, erreur);
        QFETCH(QString, codes);
        OptionsLog o;
        const QString e = lire_options(ligne.split(' '), o);
        if (!erreur.isEmpty()) {
            QVERIFY2(e.contains(erreur), qPrintable(e));
            return;
        }
        QVERIFY2(e.isEmpty(), qPrintable(e));
        QStringList c;
        for (int g : o.grandeurs)
            c << QString::number(g);
        QCOMPARE(c.join(',') + ' ' + QString::number(o.periode), codes);
    }

    void noms_roules_data()
    {
        QTest::addColumn<int>("rang");
        QTest::addColumn<QString>("nom");
        QTest::newRow("first") << 1 << "/var/log/charge.dat";
        QTest::newRow("second") << 2 << "/var/log/charge_002.dat";
        QTest::newRow("twelfth") << 12 << "/var/log/charge_012.dat";
        QTest::newRow("beyond three digits") << 1234 << "/var/log/charge_1234.dat";
    }
    void noms_roules()
    {
        QFETCH(int, rang);
        QFETCH(QString, nom);
        QCOMPARE(nom_fichier_rang(QStringLiteral("/var/log/charge.dat"), rang), nom);
    }

    // Refused before any file is written, with a message and its status.
    void refus_data()
    {
        QTest::addColumn<QStringList>("evenements");
        QTest::addColumn<QString>("port");  // empty: --com 1 of the simulator
        QTest::addColumn<QString>("grandeurs");
        QTest::addColumn<int>("statut");
        QTest::addColumn<QString>("message");
        QTest::newRow("average in normal mode") << QStringList() << "" << "V,Vm" << 3 << "does not offer Vm";
        QTest::newRow("instantaneous in smooth mode") << QStringList{"mode smooth"} << "" << "P" << 3
                                                     << "does not offer P";
        QTest::newRow("held") << QStringList{"mode hold"} << "" << "V" << 3 << "held";
        QTest::newRow("silent instrument") << QStringList{"silence on"} << "" << "V" << 3 << "does not answer";
        QTest::newRow("no such device") << QStringList() << "/dev/voltexa-absent" << "V" << 2 << "no such device";
    }
    void refus()
    {
        QFETCH(QStringList, evenements);
        QFETCH(QString, port);
        QFETCH(QString, grandeurs);
        QFETCH(int, statut);
        QFETCH(QString, message);
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer(evenements));
        QTemporaryDir d;
        const QString dat = d.filePath(QStringLiteral("refus.dat"));
        const QStringList p = port.isEmpty() ? QStringList{"--com", "1"} : QStringList{"--device", port};
        Logger l(sim, p + QStringList{"--quantities", grandeurs, dat});
        QVERIFY(l.fin(60000));
        const QString e = l.err();
        QCOMPARE(l.p.exitCode(), statut);
        QVERIFY2(e.contains(message), qPrintable(e));
        QVERIFY(!QFile::exists(dat));
    }

    // Twenty readings of two quantities at half a second, opened as File >
    // Open reads them: the simulator's values, numbered, half a second apart.
    void vingt_releves()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        QTemporaryDir d;
        const QString dat = d.filePath(QStringLiteral("charge.dat"));
        Logger l(sim, {"--device", sim.lien(), "--quantities", "V,P", "--period", "0.5", dat}, 20);
        QVERIFY(l.fin());
        QCOMPARE(l.p.exitCode(), 0);
        Paire p;
        QVERIFY(lire_paire(dat, p));
        QCOMPARE(p.c.nb_points, 20);
        QCOMPARE(p.c.voies[0].libelle, QStringLiteral("V(V)"));
        QCOMPARE(p.c.voies[1].libelle, QStringLiteral("P(W)"));
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(numero(p.r.lignes[i]), i + 1);
            QCOMPARE(p.r.valeurs[0][std::size_t(i)], 230.0);
            QCOMPARE(p.r.valeurs[1][std::size_t(i)], 460.0);
        }
        const qint64 duree = instant(p.r.lignes.first()).secsTo(instant(p.r.lignes.last()));
        QVERIFY2(duree >= 9 && duree <= 11, qPrintable(QString::number(duree)));
    }

    // At the cap the pair is closed and the next one started; a second
    // logger on the same files or the same port is refused meanwhile; SIGTERM
    // completes the last pair. Across the files every reading is there once,
    // in order.
    void roulement_et_refus()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        QTemporaryDir d;
        const QString dat = d.filePath(QStringLiteral("jour.dat"));
        Logger l(sim, {"--com", "1", "--quantities", "V,I", "--roll", dat}, 4);
        QVERIFY(attendre_lignes(d.filePath(QStringLiteral("jour_003.dat")), 1));

        Logger memes_fichiers(sim, {"--com", "1", "--quantities", "V", dat});
        QVERIFY(memes_fichiers.fin());
        QCOMPARE(memes_fichiers.p.exitCode(), 4);
        QVERIFY(memes_fichiers.err().contains(QLatin1String("another logger")));
        Logger meme_port(sim, {"--com", "1", "--quantities", "V", d.filePath(QStringLiteral("autre.dat"))});
        QVERIFY(meme_port.fin());
        QCOMPARE(meme_port.p.exitCode(), 2);
        QVERIFY(meme_port.err().contains(QLatin1String("in use")));

        l.signal(SIGTERM);
        QVERIFY(l.fin());
        QCOMPARE(l.p.exitCode(), 0);
        const QString e = l.err();
        const int total = QRegularExpression(QStringLiteral("stopped after (\\d+) readings")).match(e).captured(1).toInt();
        QVERIFY2(total >= 9, qPrintable(e));

        int vus = 0;
        QDateTime avant;
        for (int k = 1; vus < total; ++k) {
            const QString f = nom_fichier_rang(dat, k);
            QVERIFY2(QFile::exists(f), qPrintable(f));
            Paire p;
            QVERIFY(lire_paire(f, p));
            QVERIFY(p.c.nb_points >= 1 && p.c.nb_points <= 4);
            QVERIFY(k == 1 || instant(p.r.lignes.first()) >= avant);
            for (int i = 0; i < p.c.nb_points; ++i) {
                QCOMPARE(numero(p.r.lignes[i]), i + 1);
                QCOMPARE(p.r.valeurs[1][std::size_t(i)], 2.0);
            }
            avant = instant(p.r.lignes.last());
            vus += p.c.nb_points;
        }
        QCOMPARE(vus, total);
        QVERIFY(!QFile::exists(nom_fichier_rang(dat, 1 + (total + 3) / 4)));
    }

    // With --csv every pair gets its CSV when it is completed (at the cap or
    // by the signal): one record per reading of its data file, the same
    // instants (tenths of a second at the half-second period, always
    // rising) and values. A CSV already there is left alone and its name
    // skipped, as a pair already there is.
    void csv_par_paire_data()
    {
        QTest::addColumn<QString>("periode");
        QTest::addColumn<int>("plafond");
        QTest::addColumn<bool>("csv_existant");
        QTest::newRow("half second, rolled") << "0.5" << 4 << false;
        QTest::newRow("whole seconds, rolled") << "1" << 3 << false;
        QTest::newRow("existing CSV kept") << "0.5" << 4 << true;
    }
    void csv_par_paire()
    {
        QFETCH(QString, periode);
        QFETCH(int, plafond);
        QFETCH(bool, csv_existant);
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        QTemporaryDir d;
        const QString dat = d.filePath(QStringLiteral("jour.dat"));
        const QByteArray a_garder("n,time\r\n1,mine\r\n");
        if (csv_existant) {
            QFile f(d.filePath(QStringLiteral("jour.csv")));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(a_garder) == a_garder.size());
        }
        const int premier = csv_existant ? 2 : 1;
        Logger l(sim, {"--com", "1", "--quantities", "V,I", "--period", periode, "--roll", "--csv", dat}, plafond);
        QVERIFY(attendre_lignes(nom_fichier_rang(dat, premier + 1), 1));
        l.signal(SIGTERM);
        QVERIFY(l.fin());
        QCOMPARE(l.p.exitCode(), 0);
        QVERIFY2(!l.err().contains(QLatin1String("cannot")), qPrintable(l.err()));
        if (csv_existant) {
            QFile f(d.filePath(QStringLiteral("jour.csv")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), a_garder);
            QVERIFY(!QFile::exists(dat));
        }

        for (int k = premier; k <= premier + 1; ++k) {
            const QString f = nom_fichier_rang(dat, k);
            Paire p;
            QVERIFY2(lire_paire(f, p), qPrintable(f));
            QFile fc(f.left(f.size() - 4) + QStringLiteral(".csv"));
            QVERIFY2(fc.open(QIODevice::ReadOnly), qPrintable(fc.fileName()));
            QStringList lignes = QString::fromUtf8(fc.readAll()).split(QStringLiteral("\r\n"));
            QCOMPARE(lignes.takeLast(), QString());
            QCOMPARE(lignes.takeFirst(), QStringLiteral("n,time,V (V),I (A)"));
            QCOMPARE(lignes.size(), p.c.nb_points);
            if (k == premier)
                QCOMPARE(p.c.nb_points, plafond);
            QString avant;
            for (int i = 0; i < lignes.size(); ++i) {
                const QStringList c = lignes[i].split(',');
                QCOMPARE(c.size(), 4);
                QCOMPARE(c[0], QString::number(i + 1));
                const QString t = c[1];
                QCOMPARE(QDateTime::fromString(t.left(19), Qt::ISODate), instant(p.r.lignes[i]));
                if (periode == QLatin1String("0.5"))
                    QVERIFY2(t.size() == 21 && t[19] == u'.' && t[20].isDigit(), qPrintable(t));
                else
                    QCOMPARE(t.size(), 19);
                QVERIFY2(t > avant, qPrintable(avant + " then " + t));
                avant = t;
                QCOMPARE(c[2], QStringLiteral("230.000"));
                QCOMPARE(c[3], QStringLiteral("2.000"));
                QCOMPARE(c[2].toDouble(), p.r.valeurs[0][std::size_t(i)]);
                QCOMPARE(c[3].toDouble(), p.r.valeurs[1][std::size_t(i)]);
            }
        }
    }

    // Ended by a signal the pair opens with every reading its data file
    // holds; killed, at most the reading being taken is missing.
    void arret_par_signal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("perte_max");
        QTest::newRow("SIGINT") << int(SIGINT) << 0;
        QTest::newRow("SIGTERM") << int(SIGTERM) << 0;
        QTest::newRow("SIGHUP, its terminal closed") << int(SIGHUP) << 0;
        QTest::newRow("kill -9") << int(SIGKILL) << 1;
    }
    void arret_par_signal()
    {
        QFETCH(int, signal);
        QFETCH(int, perte_max);
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        QTemporaryDir d;
        const QString dat = d.filePath(QStringLiteral("coupure.dat"));
        Logger l(sim, {"--com", "1", "--quantities", "Q,S", dat});
        QVERIFY(attendre_lignes(dat, 12));
        l.signal(signal);
        QVERIFY(l.fin());
        if (signal != SIGKILL) {
            QCOMPARE(l.p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(l.p.exitCode(), 0);
        }
        const int lignes = lignes_fichier(dat);
        Paire p;
        QVERIFY(lire_paire(dat, p));
        QVERIFY2(p.c.nb_points >= lignes - perte_max && p.c.nb_points >= 12,
                 qPrintable(QStringLiteral("%1 of %2").arg(p.c.nb_points).arg(lignes)));
        QCOMPARE(p.c.x.size(), std::size_t(p.c.nb_points));
    }

    // The simulator gone for a while and back: the run goes on, says the
    // fault and the recovery, and the time column shows the gap with no
    // reading made up in it.
    void instrument_perdu_puis_revenu()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        QTemporaryDir d;
        const QString dat = d.filePath(QStringLiteral("panne.dat"));
        Logger l(sim, {"--com", "1", "--quantities", "V,P", "--period", "1", dat});
        QVERIFY(attendre_lignes(dat, 3));
        sim.arreter();
        QTest::qWait(4000);
        const int avant = lignes_fichier(dat);
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        QVERIFY(attendre_lignes(dat, avant + 3));
        l.signal(SIGINT);
        QVERIFY(l.fin());
        QCOMPARE(l.p.exitCode(), 0);
        const QString e = l.err();
        QVERIFY2(e.contains(QLatin1String("fault:")) && e.contains(QLatin1String("recovered:")), qPrintable(e));

        Paire p;
        QVERIFY(lire_paire(dat, p));
        qint64 trou = 0;
        for (int i = 0; i < p.c.nb_points; ++i) {
            QCOMPARE(numero(p.r.lignes[i]), i + 1);
            QCOMPARE(p.r.valeurs[0][std::size_t(i)], 230.0);
            if (i > 0)
                trou = std::max(trou, instant(p.r.lignes[i - 1]).secsTo(instant(p.r.lignes[i])));
        }
        QVERIFY2(trou >= 4, qPrintable(QString::number(trou)));
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "test_log.moc"
