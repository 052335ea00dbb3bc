#include "socle/ecriture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 ecrire_systeme(int fd, const char* p, qint64 n)
{
    return ::write(fd, p, std::size_t(n));
}

int synchroniser_systeme(int fd, bool donnees_seules)
{
    return donnees_seules ? ::fdatasync(fd) : ::fsync(fd);
}

bool occuper_systeme(qint64)
{
    return true;
}

constexpr Disque disque_systeme{ecrire_systeme, synchroniser_systeme, occuper_systeme};
std::atomic<const Disque*> disque_en_place{&disque_systeme};

const Disque& disque()
{
    return *disque_en_place.load();
}

QByteArray nom_systeme(const QString& chemin)
{
    return QFile::encodeName(chemin);
}

// The device the writer writes to: every call goes to the file at once and
// is checked; after a failure every write fails.
class Flux final : public QIODevice {
public:
    explicit Flux(int fd) : fd_(fd) {}
    bool en_erreur() const { return erreur_; }
    qint64 ecrits() const { return ecrits_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* donnees, qint64 n) override
    {
        if (erreur_)
            return -1;
        qint64 partis = 0;
        const bool ok = ecrire_tout(fd_, donnees, n, &partis);
        ecrits_ += partis;
        if (!ok) {
            erreur_ = true;
            setErrorString(QString::fromLocal8Bit(std::strerror(errno)));
            return -1;
        }
        return n;
    }

private:
    int fd_;
    bool erreur_ = false;
    qint64 ecrits_ = 0;
};

// How the target gets the bytes.
enum class Voie {
    remplacement, // a temporary file beside it, renamed over it
    directe,      // the target itself, rewritten
    copie,        // a device: a temporary file elsewhere, then copied into it
};

} // namespace

struct EcritureFichier::Etat {
    QString cible;
    QString provisoire;
    Voie voie = Voie::remplacement;
    int fd = -1;
    mode_t droits = 0;
    bool droits_connus = false;
    bool termine = false;
    bool en_place = false;
    std::unique_ptr<Flux> flux;

    void fermer_fd()
    {
        if (flux && flux->isOpen())
            flux->close();
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

EcritureFichier::EcritureFichier(const QString& cible) : e_(std::make_unique<Etat>())
{
    // A link is followed: the file it leads to is the one replaced.
    const QFileInfo i(cible);
    if (i.isSymLink())
        e_->cible = i.exists() ? i.canonicalFilePath() : i.absoluteDir().absoluteFilePath(i.symLinkTarget());
    else
        e_->cible = cible;
}

EcritureFichier::~EcritureFichier()
{
    abandonner();
}

bool EcritureFichier::ouvrir(QIODevice::OpenMode mode, bool directe_permise)
{
    abandonner();
    Etat& e = *e_;
    e.termine = e.en_place = false;
    if (e.cible.isEmpty())
        return false;
    struct stat st {};
    const QByteArray cible = nom_systeme(e.cible);
    const bool existe = ::stat(cible.constData(), &st) == 0;
    QString dossier = QFileInfo(e.cible).absolutePath();
    e.voie = Voie::remplacement;
    if (existe) {
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
            e.voie = Voie::copie;
            dossier = QDir::tempPath();
        } else if (!S_ISREG(st.st_mode)) {
            return false;
        } else {
            e.droits = st.st_mode & 07777;
            e.droits_connus = true;
        }
    }
    // A hidden name of the folder that nothing else uses.
    static int compteur = 0;
    const QString base = dossier + QStringLiteral("/.") + QFileInfo(e.cible).fileName() +
                         QStringLiteral(".%1-").arg(QCoreApplication::applicationPid());
    int erreur = 0;
    for (int essai = 0; essai < 100 && e.fd < 0; ++essai) {
        e.provisoire = base + QString::number(++compteur) + QStringLiteral(".part");
        e.fd = ::open(nom_systeme(e.provisoire).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        erreur = errno;
        if (e.fd < 0 && erreur != EEXIST)
            break;
    }
    if (e.fd < 0) {
        e.provisoire.clear();
        // No new file in the folder: the target itself, when allowed.
        if (!directe_permise || !existe || e.voie != Voie::remplacement)
            return false;
        e.fd = ::open(cible.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (e.fd < 0)
            return false;
        e.voie = Voie::directe;
    } else if (e.droits_connus) {
        ::fchmod(e.fd, e.droits);
    }
    e.flux = std::make_unique<Flux>(e.fd);
    e.flux->open(QIODevice::WriteOnly | mode);
    return true;
}

QIODevice& EcritureFichier::flux()
{
    if (!e_->flux)
        e_->flux = std::make_unique<Flux>(-1);
    return *e_->flux;
}

QString EcritureFichier::chemin_ecrit() const
{
    return e_->voie == Voie::directe ? e_->cible : e_->provisoire;
}

bool EcritureFichier::terminer(const std::function<bool(const QString&)>& verifier)
{
    Etat& e = *e_;
    if (e.fd < 0 || !e.flux || e.termine)
        return false;
    auto echec = [this] {
        abandonner();
        return false;
    };
    if (e.flux->en_erreur())
        return echec();
    const QString ecrit = chemin_ecrit();
    struct stat st {};
    if (::stat(nom_systeme(ecrit).constData(), &st) != 0)
        return echec();
    // A writer that wrote the file by name: its bytes count on the disk too.
    if (e.flux->ecrits() == 0 && st.st_size > 0 && !disque().occuper(st.st_size))
        return echec();
    if (verifier && !verifier(ecrit))
        return echec();

    if (e.voie == Voie::copie) {
        // Into the device, every write checked; a device has no sync.
        QFile source(ecrit);
        const int sortie = ::open(nom_systeme(e.cible).constData(), O_WRONLY | O_CLOEXEC);
        if (sortie < 0 || !source.open(QIODevice::ReadOnly)) {
            if (sortie >= 0)
                ::close(sortie);
            return echec();
        }
        bool ok = true;
        while (ok && !source.atEnd()) {
            const QByteArray bloc = source.read(1 << 16);
            ok = !bloc.isEmpty() && ecrire_tout(sortie, bloc.constData(), bloc.size());
        }
        ok = ::close(sortie) == 0 && ok;
        if (!ok)
            return echec();
    } else {
        if (!synchroniser_fd(e.fd))
            return echec();
        // A writer that put a new file at the name: that one is synced.
        struct stat propre {};
        if (::fstat(e.fd, &propre) == 0 && (propre.st_ino != st.st_ino || propre.st_dev != st.st_dev)) {
            const int autre = ::open(nom_systeme(ecrit).constData(), O_RDONLY | O_CLOEXEC);
            const bool synchro = autre >= 0 && synchroniser_fd(autre);
            if (autre >= 0)
                ::close(autre);
            if (!synchro)
                return echec();
        }
    }
    e.flux->close();
    const int fd = e.fd;
    e.fd = -1;
    if (::close(fd) != 0)
        return echec();
    e.termine = true;
    return true;
}

bool EcritureFichier::remplacer()
{
    Etat& e = *e_;
    if (!e.termine || e.en_place)
        return false;
    if (e.voie == Voie::remplacement) {
        if (std::rename(nom_systeme(e.provisoire).constData(), nom_systeme(e.cible).constData()) != 0) {
            abandonner();
            return false;
        }
        synchroniser_dossier(QFileInfo(e.cible).absolutePath());
    } else if (e.voie == Voie::copie) {
        QFile::remove(e.provisoire);
    }
    e.provisoire.clear();
    e.en_place = true;
    return true;
}

bool EcritureFichier::valider(const std::function<bool(const QString&)>& verifier)
{
    return terminer(verifier) && remplacer();
}

void EcritureFichier::abandonner()
{
    Etat& e = *e_;
    e.fermer_fd();
    if (!e.provisoire.isEmpty() && !e.en_place)
        QFile::remove(e.provisoire);
    e.provisoire.clear();
    e.termine = false;
}

// ---- the system's calls, checked ------------------------------------------------------

bool ecrire_tout(int fd, const char* p, qint64 n, qint64* ecrits)
{
    qint64 partis = 0;
    bool ok = true;
    while (partis < n) {
        const qint64 r = disque().ecrire(fd, p + partis, n - partis);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            if (r == 0)
                errno = ENOSPC;
            ok = false;
            break;
        }
        partis += r;
    }
    if (ecrits)
        *ecrits = partis;
    return ok;
}

bool synchroniser_fd(int fd, bool donnees_seules)
{
    int r;
    do
        r = disque().synchroniser(fd, donnees_seules);
    while (r != 0 && errno == EINTR);
    return r == 0;
}

void synchroniser_dossier(const QString& dossier)
{
    const int fd = ::open(nom_systeme(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void installer_disque(const Disque* d)
{
    disque_en_place = d ? d : &disque_systeme;
}
