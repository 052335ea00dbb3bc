// The Debian package's maintainer: whoever builds the package signs it, from
// VOLTEXA_MAINTENEUR, DEBFULLNAME/DEBEMAIL or the checkout's git identity, and
// an address that cannot receive mail stops the package build.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString SCRIPT = VOLTEXA_SOURCE_DIR "/cmake/mainteneur.cmake";

struct Resultat {
    bool accepte = false;
    QString sortie;
};

// Runs the maintainer check as the package build does, in an environment of
// its own; a git identity, when given, is that of a fresh checkout.
Resultat verifier(const QString& donne, const QString& nom_complet, const QString& adresse,
                  const QString& git_nom, const QString& git_adresse)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DEBFULLNAME");
    env.remove("DEBEMAIL");
    if (!nom_complet.isEmpty())
        env.insert("DEBFULLNAME", nom_complet);
    if (!adresse.isEmpty())
        env.insert("DEBEMAIL", adresse);
    // git reads no identity from the machine's or the user's settings.
    QTemporaryDir maison;
    env.insert("HOME", maison.path());
    env.insert("GIT_CONFIG_NOSYSTEM", "1");
    env.remove("XDG_CONFIG_HOME");

    QStringList arguments{"-DVOLTEXA_MAINTENEUR=" + donne};
    QTemporaryDir depot;
    if (!git_adresse.isEmpty()) {
        const QString d = depot.path();
        QProcess::execute("git", {"init", "-q", d});
        QProcess::execute("git", {"-C", d, "config", "user.name", git_nom});
        QProcess::execute("git", {"-C", d, "config", "user.email", git_adresse});
    }
    arguments << "-DDEPOT=" + depot.path() << "-P" << SCRIPT;

    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(CMAKE_COMMAND, arguments);
    Resultat r;
    if (!p.waitForFinished(60000))
        return r;
    r.sortie = QString::fromUtf8(p.readAll()).trimmed();
    r.accepte = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return r;
}

} // namespace

class TestPaquet : public QObject {
    Q_OBJECT

private slots:
    void mainteneur_data()
    {
        QTest::addColumn<QString>("donne");
        QTest::addColumn<QString>("nom_complet");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("git_nom");
        QTest::addColumn<QString>("git_adresse");
        // The package's Maintainer; empty when the build must stop.
        QTest::addColumn<QString>("attendu");

        const QString ana = "Ana Costa <ana.costa@atelier-mesure.fr>";
        // Hosts that cannot receive mail: lintian's bogus-mail-host, and the
        // names reserved never to exist, which lintian lets through.
        QTest::newRow("localhost") << "The VOLTEXA developers <voltexa@localhost>" << "" << "" << "" << "" << "";
        QTest::newRow("one-label host") << "Ana Costa <ana@vm>" << "" << "" << "" << "" << "";
        QTest::newRow(".invalid") << "VOLTEXA developers <dev@voltexa.invalid>" << "" << "" << "" << "" << "";
        QTest::newRow(".INVALID") << "Ana Costa <ana@Atelier.INVALID>" << "" << "" << "" << "" << "";
        QTest::newRow(".example") << "Maintainers <m@users.noreply.forge.example>" << "" << "" << "" << "" << "";
        QTest::newRow("example.org") << "Your Name <you@example.org>" << "" << "" << "" << "" << "";
        QTest::newRow(".local") << "Ana Costa <ana@atelier.local>" << "" << "" << "" << "" << "";
        QTest::newRow(".test") << "Ana Costa <ana@voltexa.test>" << "" << "" << "" << "" << "";
        // Not a name and an address.
        QTest::newRow("no name") << "<ana.costa@atelier-mesure.fr>" << "" << "" << "" << "" << "";
        QTest::newRow("address alone") << "ana.costa@atelier-mesure.fr" << "" << "" << "" << "" << "";
        QTest::newRow("nothing anywhere") << "" << "" << "" << "" << "" << "";
        QTest::newRow("DEBEMAIL without DEBFULLNAME") << "" << "" << "ana.costa@atelier-mesure.fr" << "" << "" << "";

        // Where the maintainer comes from, first found first.
        QTest::newRow("given") << ana << "" << "" << "" << "" << ana;
        QTest::newRow("DEBFULLNAME and DEBEMAIL") << "" << "Ana Costa" << "ana.costa@atelier-mesure.fr" << "" << "" << ana;
        QTest::newRow("DEBEMAIL with the name") << "" << "Bob" << ana << "" << "" << ana;
        QTest::newRow("given before DEBEMAIL")
            << ana << "Bob Lenoir" << "bob@atelier-mesure.fr" << "" << "" << ana;
        QTest::newRow("git identity") << "" << "" << "" << "Ana Costa" << "ana.costa@atelier-mesure.fr" << ana;
        QTest::newRow("DEBEMAIL before git")
            << "" << "Ana Costa" << "ana.costa@atelier-mesure.fr" << "Bob Lenoir" << "bob@atelier-mesure.fr" << ana;
        QTest::newRow("git identity on a made-up host")
            << "" << "" << "" << "Seed maintainers" << "m@users.noreply.c-seed.example" << "";
    }

    void mainteneur()
    {
        QFETCH(QString, donne);
        QFETCH(QString, nom_complet);
        QFETCH(QString, adresse);
        QFETCH(QString, git_nom);
        QFETCH(QString, git_adresse);
        QFETCH(QString, attendu);
        if (!git_adresse.isEmpty() && QStandardPaths::findExecutable("git").isEmpty())
            QSKIP("no git on this machine");
        const Resultat r = verifier(donne, nom_complet, adresse, git_nom, git_adresse);
        QVERIFY2(r.accepte == !attendu.isEmpty(), qPrintable(r.sortie));
        if (r.accepte)
            QCOMPARE(r.sortie, attendu);
        else
            QVERIFY2(r.sortie.contains("will not do"), qPrintable(r.sortie));
    }
};

QTEST_GUILESS_MAIN(TestPaquet)
#include "test_paquet.moc"
