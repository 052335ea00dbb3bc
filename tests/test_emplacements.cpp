// Where the program finds its files: beside the executable in the build
// folder, in the data folder of an installed layout (made here with
// cmake --install), and where the settings and the help copy go when the
// program's folder cannot be written.
#include "app/quitter.h"
#include "app/startup.h"
#include "lang/ecran/langue.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "support/fake_platform.h"
#include "support/fake_serial.h"
#include "support/simulateur.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <functional>

namespace {

const QString MESSAGE_0 = "File VOLTEXA.INI not found\n";
const QString MESSAGE_24 = "Error writing file \n";
const QStringList AIDES = {"fr", "gb", "al", "es", "it"};

// The user's folders in a temporary home, with a COM1 there that leads
// nowhere (a program using them must not open a port of the machine).
struct Utilisateur {
    QTemporaryDir maison;
    QByteArray anciens[3];
    static constexpr const char* variables[3] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"};

    // `neuf`: a fresh account, as a new user has it: no XDG variables, no
    // folder under the home folder, no ports folder.
    explicit Utilisateur(bool neuf = false)
    {
        for (int i = 0; i < 3; ++i)
            anciens[i] = qgetenv(variables[i]);
        qputenv("HOME", maison.path().toLocal8Bit());
        if (neuf) {
            qunsetenv("XDG_CONFIG_HOME");
            qunsetenv("XDG_DATA_HOME");
            return;
        }
        qputenv("XDG_CONFIG_HOME", config_base().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (maison.path() + "/data").toLocal8Bit());
        QDir().mkpath(donnees() + "/ports");
        QFile::link(donnees() + "/ports/absent", donnees() + "/ports/COM1");
    }
    ~Utilisateur()
    {
        for (int i = 0; i < 3; ++i)
            qputenv(variables[i], anciens[i]);
    }
    QString config_base() const { return maison.path() + "/config"; }
    QString config() const { return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation); }
    QString donnees() const { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }
};

// A temporary prefix holding the installed program.
struct Installation {
    QTemporaryDir prefixe;
    QString sortie;
    bool installer()
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(CMAKE_COMMAND, {"--install", VOLTEXA_BUILD_DIR, "--prefix", prefixe.path()});
        const bool fini = p.waitForFinished(120000);
        sortie = QString::fromLocal8Bit(p.readAll());
        return fini && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    QString bin() const { return prefixe.path() + "/bin"; }
    QString share() const { return prefixe.path() + "/share"; }
};

// One start of the program in the program folder set; `quitter` saves the
// settings through File > Exit (answering Yes).
struct Lancement {
    PlateformeTest plateforme;
    int resultat = 0;
    explicit Lancement(const QString& programme)
    {
        fixer_repertoire_programme(programme);
        remise_a_zero_globales();
        resultat = demarrage();
    }
    ~Lancement()
    {
        arreter_voltexa();
        fixer_repertoire_programme(QString());
    }
    void quitter()
    {
        plateforme.popups->reponses << 1;
        sortir(Fen_princ[PNL_PRINC], 0, EVENT_COMMIT, nullptr, 0, 0);
    }
};

// Makes a folder unwritable even for root when the file system allows it
// (chmod first, chattr +i when writes still succeed); undoes it on destruction.
struct LectureSeule {
    QString dossier;
    bool immuable = false;
    bool reussi = false;
    explicit LectureSeule(const QString& d) : dossier(d)
    {
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (dossier_inscriptible(dossier))
            immuable = QProcess::execute("chattr", {"+i", dossier}) == 0;
        reussi = !dossier_inscriptible(dossier);
    }
    ~LectureSeule()
    {
        if (immuable)
            QProcess::execute("chattr", {"-i", dossier});
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// The simulator as a user starts it: `voltexa-sim --dir DIR --com 1`.
struct Simulateur {
    QProcess p;
    QString terminal;
    bool demarrer(const QString& programme, const QString& dossier)
    {
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(programme, {"--dir", dossier, "--com", "1"});
        if (!p.waitForStarted(10000))
            return false;
        QDeadlineTimer fin(10000);
        while (!p.canReadLine() && !fin.hasExpired() && p.state() == QProcess::Running)
            p.waitForReadyRead(100);
        terminal = QString::fromUtf8(p.readLine()).trimmed();
        return terminal.startsWith('/');
    }
    // SIGTERM, as Ctrl-C or a logout ends it; true when it ended by itself.
    bool arreter()
    {
        if (p.state() == QProcess::NotRunning)
            return true;
        p.terminate();
        if (p.waitForFinished(10000))
            return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        p.kill();
        p.waitForFinished(10000);
        return false;
    }
    ~Simulateur() { arreter(); }
};

QStringList fichiers(const QString& dossier, const QString& motif)
{
    return QDir(dossier).entryList({motif}, QDir::Files, QDir::Name);
}

} // namespace

class TestEmplacements : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The program's own name, which names its user folders.
        QCoreApplication::setApplicationName("VOLTEXA");
    }

    void dossier_de_construction()
    {
        Utilisateur u;
        const QString bin = QDir(VOLTEXA_BIN_DIR).canonicalPath();
        fixer_repertoire_programme(bin);
        QCOMPARE(chemin_programme(FichierProgramme::panneaux), bin + "/VOLTEXA.uir");
        QCOMPARE(chemin_programme(FichierProgramme::image_outil, "open"), bin + "/toolbar/open.png");
        QCOMPARE(chemin_programme(FichierProgramme::aide_langue, "gb"), bin + "/voltexgb.hhh");
        QCOMPARE(chemin_programme(FichierProgramme::reglages), bin + "/voltexa.ini");
        QCOMPARE(chemin_programme(FichierProgramme::aide), bin + "/voltexa.hlp");
        QCOMPARE(chemin_programme(FichierProgramme::port, "COM2"), bin + "/ports/COM2");
        QCOMPARE(chemin_programme(FichierProgramme::travail), bin);
        QVERIFY(QFile::exists(chemin_programme(FichierProgramme::panneaux)));
        QVERIFY(QFile::exists(chemin_programme(FichierProgramme::image_outil, "open")));
        // The writability probe leaves nothing behind.
        QVERIFY(QDir(bin).entryList({".voltexa-essai-*"}, QDir::Files | QDir::Hidden).isEmpty());
        fixer_repertoire_programme(QString());
    }

    void disposition_installee()
    {
        Installation inst;
        QVERIFY2(inst.installer(), qPrintable(inst.sortie));
        Utilisateur u;

        // Everything the program reads is in share/voltexa, nothing beside bin/voltexa.
        QVERIFY(QFileInfo(inst.bin() + "/voltexa").isExecutable());
        QVERIFY(QFileInfo(inst.bin() + "/voltexa-sim").isExecutable());
        QCOMPARE(fichiers(inst.bin(), "*"), (QStringList{"voltexa", "voltexa-log", "voltexa-sim"}));
        const QString donnees = inst.share() + "/voltexa";
        QCOMPARE(fichiers(donnees + "/toolbar", "*.png"), fichiers(VOLTEXA_BIN_DIR "/toolbar", "*.png"));
        QCOMPARE(fichiers(donnees, "*.hhh").size(), AIDES.size());

        fixer_repertoire_programme(inst.bin());
        QCOMPARE(chemin_programme(FichierProgramme::panneaux), donnees + "/VOLTEXA.uir");
        QVERIFY(QFile::exists(chemin_programme(FichierProgramme::panneaux)));
        for (const QString& l : AIDES)
            QVERIFY2(QFile::exists(chemin_programme(FichierProgramme::aide_langue, l)), qPrintable(l));
        QCOMPARE(chemin_programme(FichierProgramme::image_outil, "stop"), donnees + "/toolbar/stop.png");
        // Even a writable prefix (this one, or root's /usr) keeps the user's
        // files out of it.
        QCOMPARE(chemin_programme(FichierProgramme::reglages), u.config_base() + "/VOLTEXA/voltexa.ini");
        QCOMPARE(chemin_programme(FichierProgramme::aide), u.donnees() + "/voltexa.hlp");
        QCOMPARE(chemin_programme(FichierProgramme::port, "COM1"), u.donnees() + "/ports/COM1");
        QCOMPARE(chemin_programme(FichierProgramme::travail), u.maison.path());
        QDir().mkpath(u.maison.path() + "/Documents");
        QCOMPARE(chemin_programme(FichierProgramme::travail), u.maison.path() + "/Documents");
        fixer_repertoire_programme(QString());

        // What the desktop and the package need.
        const QString bureau = inst.share() + "/applications/voltexa.desktop";
        QVERIFY(QFile::exists(bureau));
        QVERIFY(QFile::exists(inst.share() + "/icons/hicolor/scalable/apps/voltexa.svg"));
        QVERIFY(QFile::exists(inst.share() + "/icons/hicolor/48x48/apps/voltexa.png"));
        QVERIFY(QFile::exists(inst.share() + "/man/man1/voltexa-sim.1.gz"));
        QVERIFY(QFile::exists(inst.share() + "/man/man1/voltexa.1.gz"));
        QVERIFY(QFile::exists(inst.share() + "/doc/voltexa/copyright"));
        const QString valideur = QStandardPaths::findExecutable("desktop-file-validate");
        if (!valideur.isEmpty()) {
            QProcess v;
            v.setProcessChannelMode(QProcess::MergedChannels);
            v.start(valideur, {bureau});
            QVERIFY(v.waitForFinished());
            QVERIFY2(v.exitCode() == 0, v.readAll().constData());
        }

        // First start: message 0, the defaults in the configuration folder;
        // the toolbar found its images (no message 2) and the help copy is
        // the current language's, in the user's data folder.
        {
            Lancement l(inst.bin());
            QCOMPARE(l.resultat, 0);
            QCOMPARE(l.plateforme.popups->messages(), QStringList{MESSAGE_0});
            QVERIFY(QFile::exists(u.config() + "/voltexa.ini"));
            QCOMPARE(QFile(u.donnees() + "/voltexa.hlp").size(),
                     QFile(donnees + "/voltexgb.hhh").size());
            Gestion_options(menu, ITEM_ALLEMAND, nullptr, Fen_princ[PNL_PRINC]);
            QCOMPARE(QFile(u.donnees() + "/voltexa.hlp").size(),
                     QFile(donnees + "/voltexal.hhh").size());
            l.quitter();
            QCOMPARE(l.plateforme.popups->messages(), QStringList{MESSAGE_0});
        }
        QVERIFY(fichiers(inst.bin(), "*.ini").isEmpty());
        QVERIFY(fichiers(donnees, "*.ini").isEmpty());
        QVERIFY(fichiers(donnees, "*.hlp").isEmpty());
        // The next start reads them back there.
        {
            Lancement l(inst.bin());
            QCOMPARE(l.resultat, 0);
            QVERIFY(l.plateforme.popups->messages().isEmpty());
            QCOMPARE(langue, 2);
        }
    }

    // A new account's first day with the installed program, in either
    // order: the program's first start makes the ports folder (empty, so
    // COM1 stays the machine's first port), and the simulator's --dir makes
    // it with its parents; the program then reaches the simulator as COM1.
    void premier_jour_d_un_compte_neuf_data()
    {
        QTest::addColumn<bool>("simulateur_d_abord");
        QTest::newRow("program first") << false;
        QTest::newRow("simulator first") << true;
    }

    void premier_jour_d_un_compte_neuf()
    {
        QFETCH(bool, simulateur_d_abord);
        Installation inst;
        QVERIFY2(inst.installer(), qPrintable(inst.sortie));
        Utilisateur u(true);
        const QString donnees = u.maison.path() + "/.local/share/VOLTEXA";
        const QString ports = donnees + "/ports";
        QVERIFY(!QFileInfo::exists(u.maison.path() + "/.local"));

        Simulateur sim;
        if (simulateur_d_abord) {
            QVERIFY(sim.demarrer(inst.bin() + "/voltexa-sim", donnees));
            QCOMPARE(QFileInfo(ports + "/COM1").symLinkTarget(), sim.terminal);
            Lancement l(inst.bin());
            QCOMPARE(l.resultat, 0);
            QCOMPARE(Acq.port_ouvert, 1);
            QVERIFY(terminaux_ouverts().contains(sim.terminal));
        } else {
            PortSerieDeTest port;
            {
                Lancement l(inst.bin());
                QCOMPARE(l.resultat, 0);
                QVERIFY(QFileInfo(ports).isDir());
                QVERIFY(QDir(ports).isEmpty());
                QVERIFY(port->journal.contains("ouvrir /dev/ttyS0"));
            }
            QVERIFY(sim.demarrer(inst.bin() + "/voltexa-sim", donnees));
            QCOMPARE(QFileInfo(ports + "/COM1").symLinkTarget(), sim.terminal);
        }
        // The simulator takes its link away and leaves the program's folder:
        // the manual page's link for an adapter has its place.
        QVERIFY(sim.arreter());
        QVERIFY(!QFileInfo(ports + "/COM1").isSymLink());
        QVERIFY(QFile::link("/dev/ttyUSB0", ports + "/COM5"));
    }

    void reglages_impossibles_a_ecrire()
    {
        Installation inst;
        QVERIFY2(inst.installer(), qPrintable(inst.sortie));
        Utilisateur u;
        // A file where the configuration folder should be: no folder can be made.
        QFile bloc(u.config_base());
        QVERIFY(bloc.open(QIODevice::WriteOnly));
        bloc.close();
        Lancement l(inst.bin());
        QCOMPARE(l.resultat, 0);
        QCOMPARE(l.plateforme.popups->messages(), (QStringList{MESSAGE_0, MESSAGE_24}));
        l.plateforme.popups->vus.clear();
        l.quitter();
        QCOMPARE(l.plateforme.popups->messages(), QStringList{MESSAGE_24});
    }

    void dossier_du_programme_en_lecture_seule()
    {
        Utilisateur u;
        ProgrammeTest programme;
        const QString a_cote = programme.dir() + "/voltexa.ini";
        QFile::remove(a_cote);
        LectureSeule protection(programme.dir());
        if (!protection.reussi)
            QSKIP("this file system lets the test's account write in a read-only folder");

        QCOMPARE(chemin_programme(FichierProgramme::reglages), u.config() + "/voltexa.ini");
        QCOMPARE(chemin_programme(FichierProgramme::aide), u.donnees() + "/voltexa.hlp");
        // The data stay beside the executable.
        QCOMPARE(chemin_programme(FichierProgramme::panneaux), programme.dir() + "/VOLTEXA.uir");
        {
            Lancement l(programme.dir());
            QCOMPARE(l.resultat, 0);
            QCOMPARE(l.plateforme.popups->messages(), QStringList{MESSAGE_0});
            Gestion_options(menu, ITEM_ESPAGNOL, nullptr, Fen_princ[PNL_PRINC]);
            QVERIFY(QFile::exists(u.donnees() + "/voltexa.hlp"));
            l.quitter();
            QVERIFY(l.plateforme.popups->messages().size() == 1);
        }
        QVERIFY(!QFile::exists(a_cote));
        QVERIFY(QFile::exists(u.config() + "/voltexa.ini"));
        {
            Lancement l(programme.dir());
            QVERIFY(l.plateforme.popups->messages().isEmpty());
            QCOMPARE(langue, 3);
        }
    }

    void dossier_du_programme_inscriptible()
    {
        Utilisateur u;
        ProgrammeTest programme;
        const QString a_cote = programme.dir() + "/voltexa.ini";
        QFile::remove(a_cote);
        {
            Lancement l(programme.dir());
            QCOMPARE(l.plateforme.popups->messages(), QStringList{MESSAGE_0});
            Gestion_options(menu, ITEM_ITALIEN, nullptr, Fen_princ[PNL_PRINC]);
            l.quitter();
        }
        QVERIFY(QFile::exists(a_cote));
        QVERIFY(QFile::exists(programme.dir() + "/voltexa.hlp"));
        QVERIFY(!QFileInfo::exists(u.config()));
        {
            Lancement l(programme.dir());
            QVERIFY(l.plateforme.popups->messages().isEmpty());
            QCOMPARE(langue, 4);
        }
    }
};

QTEST_MAIN(TestEmplacements)
#include "test_emplacements.moc"
