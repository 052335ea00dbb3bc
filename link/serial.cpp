#include "link/serial.h"

#include "socle/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSerialPort>
#include <QSet>

#include <algorithm>
#include <optional>
#include <thread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

// Milliseconds left until `echeance`, rounded up so that a wait never ends
// before it; 0 once it has passed.
int ms_restantes(SerialPort::Instant echeance)
{
    const auto reste = echeance - std::chrono::steady_clock::now();
    if (reste <= std::chrono::steady_clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(reste).count());
}

// The lock that a VOLTEXA holds on a device while it has it open, named
// after the device itself so that two links to one device meet on it. In the
// shared temporary folder, where every VOLTEXA of the machine looks.
QString verrou_peripherique(const QString& peripherique)
{
    const QString canonique = QFileInfo(peripherique).canonicalFilePath();
    QString nom = canonique.isEmpty() ? peripherique : canonique;
    nom.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QDir::temp().filePath(QStringLiteral("voltexa-port%1.lck").arg(nom));
}

class QtSerialPort final : public SerialPort {
public:
    void ouvrir(const QString& peripherique, int baud, int parite, int bits_donnees, int bits_stop,
                int file_entree, int file_sortie) override
    {
        fermer();
        erreur_ = SERIE_OK;
        const auto p = parite_qt(parite);
        const auto d = bits_qt(bits_donnees);
        const auto s = stop_qt(bits_stop);
        if (baud <= 0 || !p || !d || !s || file_entree <= 0 || file_sortie <= 0) {
            erreur_ = SERIE_ERREUR_PARAMETRE;
            return;
        }
#ifdef Q_OS_UNIX
        // A link that leads nowhere, or a device that is not there.
        if (!QFileInfo::exists(peripherique)) {
            erreur_ = SERIE_ERREUR_ABSENT;
            return;
        }
        // Told as such rather than left to the serial layer, which gives the
        // same error for a device in use.
        if (::access(QFile::encodeName(peripherique).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
            erreur_ = SERIE_ERREUR_PERMISSION;
            texte_ = qt_error_string(EACCES);
            return;
        }
#endif
        if (!verrouiller(peripherique))
            return;
        port_.setPortName(peripherique);
        if (!port_.open(QIODevice::ReadWrite)) {
            erreur_ = cause_refus(peripherique);
            texte_ = port_.errorString();
            port_.clearError();
            verrou_.reset();
            return;
        }
        // The driver keeps its own queues; these sizes bound what one write
        // or one read may ask for.
        file_entree_ = file_entree;
        file_sortie_ = file_sortie;
        if (!port_.setBaudRate(baud) || !port_.setParity(*p) || !port_.setDataBits(*d) || !port_.setStopBits(*s)
            || !port_.setFlowControl(QSerialPort::NoFlowControl)) {
            texte_ = port_.errorString();
            port_.close();
            port_.clearError();
            verrou_.reset();
            erreur_ = SERIE_ERREUR_OUVERTURE;
            return;
        }
        // A pseudo-terminal carries no signal: there is no line to leave quiet.
        sans_ligne_ = QFileInfo(peripherique).canonicalFilePath().startsWith(QLatin1String("/dev/pts/"));
    }

    void fermer() override
    {
        erreur_ = SERIE_OK;
        texte_.clear();
        if (port_.isOpen())
            port_.close();
        port_.clearError();
        verrou_.reset();
    }

    bool est_ouvert() const override { return port_.isOpen(); }

    void vider_files() override
    {
        if (!verifier_ouvert())
            return;
        if (!port_.clear(QSerialPort::AllDirections)) {
            texte_ = port_.errorString();
            port_.clearError();
            erreur_ = SERIE_ERREUR_LECTURE;
        }
    }

    void fixer_delai(double secondes) override
    {
        erreur_ = SERIE_OK;
        texte_.clear();
        if (!(secondes > 0.0) || secondes > 3600.0) {
            erreur_ = SERIE_ERREUR_PARAMETRE;
            return;
        }
        delai_ = secondes;
    }

    double delai() const override { return delai_; }

    int ecrire(const std::uint8_t* octets, int nombre) override
    {
        if (!verifier_ouvert())
            return 0;
        if (nombre < 0 || nombre > file_sortie_) {
            erreur_ = SERIE_ERREUR_PARAMETRE;
            return 0;
        }
        if (port_.write(reinterpret_cast<const char*>(octets), nombre) != nombre) {
            texte_ = port_.errorString();
            port_.clearError();
            erreur_ = SERIE_ERREUR_ECRITURE;
            return 0;
        }
        // QSerialPort sends from the event loop; push the bytes to the driver
        // now, as the transaction waits for them without returning to it.
        const auto echeance = echeance_delai();
        while (port_.bytesToWrite() > 0) {
            const int ms = ms_restantes(echeance);
            if (ms == 0) {
                erreur_ = SERIE_ERREUR_DELAI;
                return 0;
            }
            if (!port_.waitForBytesWritten(ms)) {
                erreur_ = port_.error() == QSerialPort::TimeoutError ? SERIE_ERREUR_DELAI : SERIE_ERREUR_ECRITURE;
                texte_ = port_.errorString();
                port_.clearError();
                return 0;
            }
        }
        return nombre;
    }

    int longueur_file_sortie() override
    {
        if (!verifier_ouvert())
            return 0;
        int n = static_cast<int>(port_.bytesToWrite());
#ifdef Q_OS_UNIX
        int dans_pilote = 0;
        if (::ioctl(port_.handle(), TIOCOUTQ, &dans_pilote) == 0 && dans_pilote > 0)
            n += dans_pilote;
#endif
        return n;
    }

    int lire(std::uint8_t* octets, int nombre, Instant echeance) override
    {
        if (!verifier_ouvert())
            return 0;
        if (nombre <= 0)
            return 0;
        if (nombre > file_entree_) {
            erreur_ = SERIE_ERREUR_PARAMETRE;
            return 0;
        }
        while (port_.bytesAvailable() < nombre) {
            const int ms = ms_restantes(echeance);
            if (ms == 0) {
                erreur_ = SERIE_ERREUR_DELAI;
                break;
            }
            if (!port_.waitForReadyRead(ms)) {
                const bool delai = port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError;
                if (!delai)
                    texte_ = port_.errorString();
                port_.clearError();
                if (!delai) {
                    erreur_ = SERIE_ERREUR_LECTURE;
                    break;
                }
            }
        }
        const qint64 disponibles = std::min<qint64>(nombre, port_.bytesAvailable());
        const qint64 lus = port_.read(reinterpret_cast<char*>(octets), disponibles);
        if (lus < 0) {
            texte_ = port_.errorString();
            port_.clearError();
            erreur_ = SERIE_ERREUR_LECTURE;
            return 0;
        }
        return static_cast<int>(lus);
    }

    void pause_ligne(double secondes) override
    {
        erreur_ = SERIE_OK;
        texte_.clear();
        if (sans_ligne_ || !(secondes > 0.0))
            return;
        std::this_thread::sleep_for(std::chrono::duration<double>(secondes));
    }

    int erreur() const override { return erreur_; }
    qint64 occupant() const override { return occupant_; }
    QString texte_systeme() const override { return erreur_ == SERIE_OK ? QString() : texte_; }

private:
    // Takes the device's lock; false (SERIE_ERREUR_OCCUPE, and the holder's
    // process number) when another VOLTEXA holds it. A lock that cannot be
    // made at all (no writable temporary folder) does not stop the opening:
    // the serial layer still refuses a device in use.
    bool verrouiller(const QString& peripherique)
    {
        occupant_ = 0;
        auto verrou = std::make_unique<QLockFile>(verrou_peripherique(peripherique));
        // Held for as long as the port is open, however long: only the death
        // of its holder frees it.
        verrou->setStaleLockTime(0);
        if (verrou->tryLock(0)) {
            verrou_ = std::move(verrou);
            return true;
        }
        if (verrou->error() != QLockFile::LockFailedError)
            return true;
        qint64 pid = 0;
        QString hote, programme;
        if (verrou->getLockInfo(&pid, &hote, &programme) && pid > 0)
            occupant_ = pid;
        erreur_ = SERIE_ERREUR_OCCUPE;
        return false;
    }

    // Why the serial layer refused a device that is there: refused although
    // this account may read and write it, the device is in use (its lock
    // file, or the exclusive mode its holder set); refused to this account,
    // permission denied. Qt reports a lock file held by another process with
    // no error code at all.
    int cause_refus(const QString& peripherique) const
    {
        switch (port_.error()) {
        case QSerialPort::DeviceNotFoundError:
            return SERIE_ERREUR_ABSENT;
        case QSerialPort::NoError:
        case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
            if (::access(QFile::encodeName(peripherique).constData(), R_OK | W_OK) != 0)
                return errno == EACCES ? SERIE_ERREUR_PERMISSION : SERIE_ERREUR_OUVERTURE;
#else
            Q_UNUSED(peripherique);
#endif
            return SERIE_ERREUR_OCCUPE;
        default:
            return SERIE_ERREUR_OUVERTURE;
        }
    }

    bool verifier_ouvert()
    {
        erreur_ = port_.isOpen() ? SERIE_OK : SERIE_ERREUR_PORT_FERME;
        texte_.clear();
        return erreur_ == SERIE_OK;
    }

    static std::optional<QSerialPort::Parity> parite_qt(int p)
    {
        switch (p) {
        case PARITE_AUCUNE: return QSerialPort::NoParity;
        case PARITE_IMPAIRE: return QSerialPort::OddParity;
        case PARITE_PAIRE: return QSerialPort::EvenParity;
        case PARITE_MARQUE: return QSerialPort::MarkParity;
        case PARITE_ESPACE: return QSerialPort::SpaceParity;
        default: return std::nullopt;
        }
    }

    static std::optional<QSerialPort::DataBits> bits_qt(int b)
    {
        switch (b) {
        case 5: return QSerialPort::Data5;
        case 6: return QSerialPort::Data6;
        case 7: return QSerialPort::Data7;
        case 8: return QSerialPort::Data8;
        default: return std::nullopt;
        }
    }

    static std::optional<QSerialPort::StopBits> stop_qt(int s)
    {
        switch (s) {
        case 1: return QSerialPort::OneStop;
        case 2: return QSerialPort::TwoStop;
        default: return std::nullopt;
        }
    }

    QSerialPort port_;
    std::unique_ptr<QLockFile> verrou_;
    qint64 occupant_ = 0;
    int erreur_ = SERIE_OK;
    QString texte_; // the system's words for erreur_
    double delai_ = 5.0;
    int file_entree_ = 512;
    int file_sortie_ = 512;
    bool sans_ligne_ = false;
};

std::unique_ptr<SerialPort>& courant()
{
    static std::unique_ptr<SerialPort> p = port_serie_qt();
    return p;
}

// The port closes with the application, while Qt can still tear it down.
void fermer_en_quittant()
{
    courant()->fermer();
}

} // namespace

std::unique_ptr<SerialPort> port_serie_qt()
{
    return std::make_unique<QtSerialPort>();
}

SerialPort& port_serie()
{
    static const bool fermeture_prevue = (qAddPostRoutine(fermer_en_quittant), true);
    (void)fermeture_prevue;
    return *courant();
}

std::unique_ptr<SerialPort> installer_port_serie(std::unique_ptr<SerialPort> port)
{
    auto ancien = std::move(courant());
    courant() = std::move(port);
    return ancien;
}

namespace {

// Entries of ports/ found during this run.
QSet<QString>& entrees_vues()
{
    static QSet<QString> vues;
    return vues;
}

#ifndef Q_OS_WIN
// The ports folder names devices once it holds a COM entry (a link leading
// nowhere included), or once this run has found one there. Start-up makes
// the folder empty: it must not take the machine's own ports away.
bool dossier_nomme_des_ports(const QDir& dossier)
{
    if (!dossier.exists())
        return false;
    for (const QString& vue : std::as_const(entrees_vues()))
        if (QFileInfo(vue).dir() == dossier)
            return true;
    return !dossier.entryList({QStringLiteral("COM*")}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty();
}
#endif

} // namespace

QString nom_peripherique_com(int numero)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(numero);
#else
    const QString lien = chemin_programme(FichierProgramme::port, QStringLiteral("COM%1").arg(numero));
    // The entry itself counts, even when it leads nowhere: opening it then
    // fails, rather than silently opening another device.
    const QFileInfo entree(lien);
    if (entree.exists() || entree.isSymLink()) {
        entrees_vues().insert(lien);
        return lien;
    }
    if (entrees_vues().contains(lien) || dossier_nomme_des_ports(entree.dir()))
        return lien;
    return QStringLiteral("/dev/ttyS%1").arg(numero - 1);
#endif
}

void oublier_entrees_com()
{
    entrees_vues().clear();
}
