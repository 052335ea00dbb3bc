#include "files/journal.h"

#include "acquisition/modele.h"
#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "socle/commandes.h"
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

// After a sync the disk refused, the syncing thread tries again at the next
// line written, looking for one at least this often.
constexpr int RELANCE_SYNCHRO_MS = 50;
// Otherwise it sleeps until a line is written (no wake-up is missed: the
// count changes under the lock); it also looks this often.
constexpr int VEILLE_SYNCHRO_MS = 2000;

// Writes the configuration file whole beside itself, syncs it, then puts it
// in place: a crash leaves the old file or the new one, never half of one.
bool ecrire_configuration_durable(const QString& chemin, const Configuration& c)
{
    EcritureFichier f(chemin);
    return f.ouvrir() && ecrire_configuration(f.flux(), c) && f.valider();
}

// A complete reading line numbered `numero`, as the cycle writes them.
bool ligne_de_releve(const QByteArray& l, int numero)
{
    if (l.size() < LONG_TETE_LIGNE || l.size() > LONG_LIGNE_MAX)
        return false;
    for (char c : l)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    bool ok = false;
    return l.left(LARGEUR_NUMERO).trimmed().toInt(&ok) == numero && ok && l.at(LARGEUR_NUMERO) == ' ';
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
    attente_.clear();
    ecrites_ = 0;
    durables_ = 0;
    synchro_refusee_ = false;
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
    synchroniser_fd(fd_);
    synchroniser_dossier(dossier);
    donnees_ = donnees;
    fin_ = false;
    if (synchro_ == Synchro::fil)
        fil_ = std::thread(&Journal::synchroniseur, this);
    return true;
}

bool Journal::ajouter(const QString& ligne)
{
    if (fd_ < 0)
        return false;
    attente_ += ligne.toLatin1();
    attente_ += '\n';
    return vider();
}

// One write for all that waits: the system has it as soon as the call
// returns. What the disk refused stays, from the first byte it did not take.
bool Journal::vider()
{
    if (attente_.isEmpty())
        return true;
    qint64 partis = 0;
    const bool ok = ecrire_tout(fd_, attente_.constData(), attente_.size(), &partis);
    const int completes = int(attente_.left(partis).count('\n'));
    attente_.remove(0, partis);
    if (completes > 0 && synchro_ == Synchro::appel) {
        ecrites_ += completes;
        synchroniser();
    } else if (completes > 0) {
        // The lock is only ever held for a moment (the thread lets it go
        // while the disk works), so the tick hardly waits; taken here, the
        // count cannot change between the thread's look and its sleep, and
        // no wake-up is missed.
        {
            std::lock_guard<std::mutex> verrou(m_);
            ecrites_ += completes;
        }
        cv_.notify_one();
    }
    return ok;
}

void Journal::synchroniser()
{
    if (fd_ < 0)
        return;
    const int n = ecrites_;
    if (!synchroniser_fd(fd_, true)) {
        synchro_refusee_ = true;
        return;
    }
    std::lock_guard<std::mutex> verrou(m_);
    if (durables_ < n)
        durables_ = n;
    cv_fait_.notify_all();
}

bool Journal::attendre_synchro(int ms)
{
    std::unique_lock<std::mutex> verrou(m_);
    return cv_fait_.wait_for(verrou, std::chrono::milliseconds(ms), [this] { return durables_ >= ecrites_; });
}

// Each line written is synced as soon as it is there, the lock released
// while the disk works: the ticks never wait for it.
void Journal::synchroniseur()
{
    std::unique_lock<std::mutex> verrou(m_);
    while (!fin_) {
        // Nothing new by the end of the short wait: no sync (an idle
        // journal would otherwise sync the disk many times a second).
        if (!cv_.wait_for(verrou, std::chrono::milliseconds(VEILLE_SYNCHRO_MS),
                          [this] { return fin_ || durables_ < ecrites_; }))
            continue;
        if (fin_)
            break;
        const int n = ecrites_;
        verrou.unlock();
        const bool ok = synchroniser_fd(fd_, true);
        verrou.lock();
        if (!ok) {
            synchro_refusee_ = true;
            // Tried again with the next line, not in a loop.
            while (!fin_ && ecrites_ <= n)
                cv_.wait_for(verrou, std::chrono::milliseconds(RELANCE_SYNCHRO_MS));
            continue;
        }
        if (durables_ < n)
            durables_ = n;
        cv_fait_.notify_all();
    }
}

bool Journal::clore(const Configuration& complete)
{
    if (fd_ < 0)
        return false;
    vider();
    Configuration c = complete;
    // The configuration counts what the data file holds.
    if (c.nb_points > ecrites_)
        c.nb_points = ecrites_;
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
// A save of the recording in hand failed: its journal is not removed.
bool garde = false;
// The user has been told that the journal cannot be written (once a run).
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

void dire_defaut(const QString& donnees, const char* const* texte = tx::journal_impossible)
{
    if (defaut_dit)
        return;
    defaut_dit = true;
    plateforme().popups->message(
        qtxt(tx::Maj_titre_erreur),
        qtxt(texte).arg(QDir::toNativeSeparators(QFileInfo(donnees).absolutePath())));
}

// On while the journal of the acquisition running takes its readings.
bool suivi_actif = false;

// A reading the disk refused is said at once; it is written with the next.
void suivre(const QString& ligne)
{
    Journal& j = journal();
    if ((!j.ajouter(ligne) || j.synchro_refusee()) && j.ouvert())
        dire_defaut(j.donnees(), tx::journal_en_retard);
}

class Ecoute : public modele::Ecouteur {
    void releve_stocke(int, const QString& ligne) override
    {
        if (suivi_actif)
            suivre(ligne);
    }
    void acquisition_lancee() override { journal_lancer(); }
    void acquisition_suspendue() override { journal_pause(); }
    void acquisition_arretee() override { journal_arreter(); }
};

Ecoute ecoute;

} // namespace

QString chemin_journal()
{
    return chemin_programme(FichierProgramme::reprise, QStringLiteral("acquisition.dat"));
}

void journal_lancer()
{
    suivi_actif = false;
    journal().fermer();
    garde = false;
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
    suivi_actif = true;
}

void journal_pause()
{
    journal().synchroniser();
}

bool journal_attendre_synchro(int ms)
{
    return journal().attendre_synchro(ms);
}

void journal_arreter()
{
    suivi_actif = false;
    if (!journal().ouvert())
        return;
    const QString donnees = journal().donnees();
    // Lines still refused at the end are not in the completed journal.
    if (!journal().clore(configuration_courante()) || journal().en_defaut())
        dire_defaut(donnees);
}

void journal_abandonner()
{
    if (journal_en_main.isEmpty() || Acq.en_cours || garde)
        return;
    suivi_actif = false;
    journal().fermer();
    supprimer_paire(journal_en_main);
    journal_en_main.clear();
    rendre_verrou();
}

void journal_garder(bool garder)
{
    garde = garder;
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
    if (r == 1 && commander(Commande::reprendre_journal)) {
        journal_en_main = donnees;
        garde = false;
        return;
    }
    rendre_verrou();
}

void journal_fermer()
{
    suivi_actif = false;
    journal().fermer();
    journal_en_main.clear();
    rendre_verrou();
    defaut_dit = false;
    garde = false;
}

void abonner_journal()
{
    modele::abonner(ecoute);
}
