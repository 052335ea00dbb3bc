#include "support/simulateur.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>

namespace {
constexpr int ATTENTE_MS = 10000;
}

SimulateurDeTest::SimulateurDeTest()
{
    // Its complaints go to the test's log; its output is read here.
    processus_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SimulateurDeTest::~SimulateurDeTest()
{
    arreter();
}

bool SimulateurDeTest::demarrer(const QStringList& evenements, int com)
{
    QStringList args{QStringLiteral("--dir"), dossier_.path(), QStringLiteral("--com"), QString::number(com)};
    processus_.start(QStringLiteral(VOLTEXA_BIN_DIR "/voltexa-sim"), args + evenements);
    if (!processus_.waitForStarted(ATTENTE_MS))
        return false;
    terminal_ = ligne(ATTENTE_MS);
    return terminal_.startsWith(QLatin1Char('/'));
}

bool SimulateurDeTest::commande(const QString& texte)
{
    processus_.write((texte + QLatin1Char('\n')).toUtf8());
    for (QString l = ligne(ATTENTE_MS); !l.isEmpty(); l = ligne(ATTENTE_MS)) {
        if (l.startsWith(QLatin1String("ok ")))
            return true;
        if (l.startsWith(QLatin1String("error ")))
            return false;
    }
    return false;
}

int SimulateurDeTest::arreter()
{
    if (processus_.state() == QProcess::NotRunning)
        return processus_.exitStatus() == QProcess::NormalExit ? processus_.exitCode() : -1;
    processus_.terminate();
    if (!processus_.waitForFinished(ATTENTE_MS)) {
        processus_.kill();
        processus_.waitForFinished(ATTENTE_MS);
        return -1;
    }
    return processus_.exitStatus() == QProcess::NormalExit ? processus_.exitCode() : -1;
}

QString SimulateurDeTest::lien(int com) const
{
    return dossier_.path() + QStringLiteral("/ports/COM%1").arg(com);
}

QString SimulateurDeTest::ligne(int ms)
{
    QDeadlineTimer fin(ms);
    while (!processus_.canReadLine()) {
        if (fin.hasExpired() || processus_.state() == QProcess::NotRunning)
            return {};
        processus_.waitForReadyRead(static_cast<int>(qMax<qint64>(1, fin.remainingTime())));
    }
    return QString::fromUtf8(processus_.readLine()).trimmed();
}

QStringList terminaux_ouverts()
{
    QStringList t;
    const QDir fd(QStringLiteral("/proc/self/fd"));
    for (const QString& n : fd.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString cible = QFileInfo(fd.filePath(n)).symLinkTarget();
        if (cible.startsWith(QLatin1String("/dev/tty")) || cible.startsWith(QLatin1String("/dev/pts/")))
            t << cible;
    }
    return t;
}
