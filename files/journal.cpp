#include "files/journal.h"

#include "acquisition/cycle.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "files/enregistrement.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <numeric>
#include <unistd.h>

namespace {

// The folder's entries (a file created or renamed) survive a power cut.
void synchroniser_dossier(const QString& dossier)
{
    const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes the configuration file whole beside itself, syncs it, then puts it
// in place: a crash leaves the old file or the new one, never half of one.
bool ecrire_configuration_durable(const QString& chemin, const Configuration& c)
{
    const QString temporaire = chemin + QStringLiteral(".tmp");
    {
        QFile f(temporaire);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        if (!ecrire_configuration(f, c) || !f.flush() || ::fsync(f.handle()) != 0) {
            f.close();
            QFile::remove(temporaire);
            return false;
        }
    }
    if (std::rename(QFile::encodeName(temporaire).constData(), QFile::encodeName(chemin).constData()) != 0) {
        QFile::remove(temporaire);
        return false;
    }
    synchroniser_dossier(QFileInfo(chemin).absolutePath());
    return true;
}

// A complete reading line numbered `numero`, as the cycle writes them.
bool ligne_de_releve(const QByteArray& l, int numero)
{
    if (l.size() < 26 || l.size() > LONG_LIGNE_MAX)
        return false;
    for (char c : l)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    bool ok = false;
    return l.left(5).trimmed().toInt(&ok) == numero && ok && l.at(5) == ' ';
}

void supprimer_paire(const QString& donnees)
{
    if (donnees.isEmpty())
        return;
    QFile::remove(donnees);
    QFile::remove(chemin_configuration(donnees));
}

} // namespace

// ---- Journal ----------------------------------------------------------------------

Journal::~Journal()
{
    fermer();
}

bool Journal::ouvrir(const QString& donnees, const Configuration& entete)
{
    fermer();
    defaut_ = false;
    lignes_ = 0;
    const QString dossier = QFileInfo(donnees).absolutePath();
    if (!QDir().mkpath(dossier))
        return false;
    Configuration c = entete;
    c.nb_points = 0;
    c.x.clear();
    if (!ecrire_configuration_durable(chemin_configuration(donnees), c))
        return false;
    fd_ = ::open(QFile::encodeName(donnees).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return false;
    ::fsync(fd_);
    synchroniser_dossier(dossier);
    donnees_ = donnees;
    ecrit_ = false;
    fin_ = false;
    fil_ = std::thread(&Journal::synchroniseur, this);
    return true;
}

bool Journal::ajouter(const QString& ligne)
{
    if (fd_ < 0 || defaut_)
        return false;
    // One write per line: the system has it as soon as the call returns.
    QByteArray octets = ligne.toLatin1();
    octets += '\n';
    const char* p = octets.constData();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd_, p, std::size_t(reste));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            defaut_ = true;
            return false;
        }
        p += n;
        reste -= n;
    }
    ++lignes_;
    ecrit_ = true;
    return true;
}

void Journal::synchroniser()
{
    if (fd_ < 0)
        return;
    ecrit_ = false;
    ::fdatasync(fd_);
}

void Journal::synchroniseur()
{
    std::unique_lock<std::mutex> verrou(m_);
    while (!fin_) {
        cv_.wait_for(verrou, std::chrono::seconds(SYNCHRO_JOURNAL_S), [this] { return fin_; });
        if (ecrit_.exchange(false))
            ::fdatasync(fd_);
    }
}

bool Journal::clore(const Configuration& complete)
{
    if (fd_ < 0)
        return false;
    Configuration c = complete;
    // The configuration counts what the data file holds.
    if (c.nb_points > lignes_)
        c.nb_points = lignes_;
    c.x.resize(std::size_t(c.nb_points));
    synchroniser();
    const bool ok = ecrire_configuration_durable(chemin_configuration(donnees_), c);
    fermer();
    return ok;
}

void Journal::fermer()
{
    if (fil_.joinable()) {
        {
            std::lock_guard<std::mutex> verrou(m_);
            fin_ = true;
        }
        cv_.notify_all();
        fil_.join();
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int completer_journal(const QString& donnees)
{
    const QString cfg = chemin_configuration(donnees);
    Configuration c;
    {
        QFile f(cfg);
        if (!f.open(QIODevice::ReadOnly) || lire_configuration(f, false, c) != Lecture::Bonne)
            return -1;
    }
    QFile f(donnees);
    if (!f.open(QIODevice::ReadWrite))
        return -1;
    // No journal holds more than the capacity's lines.
    const QByteArray tout = f.read(qint64(NB_RELEVES_MAX) * (LONG_LIGNE_MAX + 2));
    int n = 0;
    qsizetype debut = 0;
    while (n < NB_RELEVES_MAX) {
        const qsizetype fin = tout.indexOf('\n', debut);
        if (fin < 0)
            break;
        QByteArray l = tout.mid(debut, fin - debut);
        if (l.endsWith('\r'))
            l.chop(1);
        if (!ligne_de_releve(l, n + 1))
            break;
        ++n;
        debut = fin + 1;
    }
    if (f.size() != debut && !f.resize(debut))
        return -1;
    f.close();
    c.nb_points = n;
    c.x.resize(std::size_t(n));
    std::iota(c.x.begin(), c.x.end(), 0);
    if (!ecrire_configuration_durable(cfg, c))
        return -1;
    return n;
}

// ---- the journal of the recording in hand -------------------------------------------

namespace {

Journal& journal()
{
    static Journal j;
    return j;
}

// The journal that mirrors the recording in hand; empty when none does.
QString journal_en_main;
// The user has been told that the journal cannot be written.
bool defaut_dit = false;
// Held while this run owns the journal: a second VOLTEXA started meanwhile
// neither offers it back nor writes over it. A run that ended without
// releasing it (a crash) leaves a lock that the next one takes over.
std::unique_ptr<QLockFile> verrou;

bool prendre_verrou(const QString& donnees)
{
    if (verrou)
        return true;
    const QFileInfo f(donnees);
    if (!QDir().mkpath(f.absolutePath()))
        return false;
    auto v = std::make_unique<QLockFile>(f.absoluteDir().filePath(f.completeBaseName() + QStringLiteral(".lock")));
    // Only a live owner counts, however long its acquisition has run.
    v->setStaleLockTime(0);
    if (!v->tryLock(0))
        return false;
    verrou = std::move(v);
    return true;
}

void rendre_verrou()
{
    verrou.reset();
}

void suivre(const QString& ligne, int)
{
    journal().ajouter(ligne);
}

void dire_defaut(const QString& donnees)
{
    if (defaut_dit)
        return;
    defaut_dit = true;
    plateforme().popups->message(
        qtxt(tx::Maj_titre_erreur),
        qtxt(tx::journal_impossible).arg(QDir::toNativeSeparators(QFileInfo(donnees).absolutePath())));
}

} // namespace

QString chemin_journal()
{
    return chemin_programme(FichierProgramme::reprise, QStringLiteral("acquisition.dat"));
}

void journal_lancer()
{
    fixer_suivi_releves(nullptr);
    journal().fermer();
    // The recording Run clears had its journal; so has the new one.
    const QString donnees = chemin_journal();
    if (!prendre_verrou(donnees)) {
        // The folder cannot be written, or another VOLTEXA runs an
        // acquisition there: its journal is left alone.
        journal_en_main.clear();
        dire_defaut(donnees);
        return;
    }
    journal_en_main = donnees;
    if (!journal().ouvrir(donnees, configuration_courante())) {
        // A journal left earlier must not be offered for this acquisition.
        supprimer_paire(donnees);
        dire_defaut(donnees);
        return;
    }
    fixer_suivi_releves(suivre);
}

void journal_pause()
{
    journal().synchroniser();
}

void journal_arreter()
{
    fixer_suivi_releves(nullptr);
    if (!journal().ouvert())
        return;
    const bool defaut = journal().en_defaut();
    const QString donnees = journal().donnees();
    if (!journal().clore(configuration_courante()) || defaut)
        dire_defaut(donnees);
}

void journal_abandonner()
{
    if (journal_en_main.isEmpty() || Acq.en_cours)
        return;
    fixer_suivi_releves(nullptr);
    journal().fermer();
    supprimer_paire(journal_en_main);
    journal_en_main.clear();
    rendre_verrou();
}

void proposer_reprise()
{
    const QString donnees = chemin_journal();
    if (!QFileInfo::exists(donnees) && !QFileInfo::exists(chemin_configuration(donnees)))
        return;
    // The journal of a VOLTEXA still running is not offered.
    if (!prendre_verrou(donnees))
        return;
    const int n = completer_journal(donnees);
    if (n <= 0) {
        supprimer_paire(donnees);
        rendre_verrou();
        return;
    }
    const int r = plateforme().popups->question(QStringLiteral("Voltexa"), qtxt(tx::reprise_trouvee).arg(n),
                                                {mnemonique(mot_oui()), mnemonique(mot_non()), QString()}, 1, 2);
    if (r == 1 && ouvrir_reprise(donnees) == 0) {
        journal_en_main = donnees;
        return;
    }
    rendre_verrou();
}

void journal_fermer()
{
    fixer_suivi_releves(nullptr);
    journal().fermer();
    journal_en_main.clear();
    rendre_verrou();
    defaut_dit = false;
}
