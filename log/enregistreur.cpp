#include "enregistreur.h"

#include "options.h"

#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/decodage.h"
#include "acquisition/identification.h"
#include "acquisition/ligne.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "acquisition/stockage.h"
#include "files/format.h"
#include "files/format_csv.h"
#include "files/journal.h"
#include "lang/langue.h"
#include "link/jbus.h"
#include "link/serial.h"
#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/platform.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t arret_demande = 0;
// A progress line stands on the terminal: a dated line clears it first.
bool progression_affichee = false;

extern "C" void sur_signal(int)
{
    arret_demande = 1;
}

void ecrire_err(const QString& t)
{
    std::fputs(qPrintable(t), stderr);
    std::fflush(stderr);
}

// One line on stderr, dated.
void dire(const QString& t)
{
    if (progression_affichee)
        ecrire_err(QStringLiteral("\r\033[K"));
    progression_affichee = false;
    ecrire_err(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ")) + t + '\n');
}

// Nobody to ask: a failed read is tried again (the five tries of the
// cycle), and the messages are kept for stderr.
class PopupsLog final : public Popups {
public:
    void message(const QString&, const QString& text) override { messages << text; }
    int question(const QString&, const QString&, const QStringList&, int, int) override
    {
        ++questions;
        return 1;
    }
    std::optional<QString> texte(const QString&, const QString&, const QString&, const QStringList&, int) override
    {
        return std::nullopt;
    }
    std::optional<QString> fichier(const QString&, const QString&, const QString&, bool) override
    {
        return std::nullopt;
    }
    std::optional<QString> dossier(const QString&, const QString&) override { return std::nullopt; }
    void curseur_attente(bool) override {}
    QStringList messages;
    int questions = 0;
};

// The device given by path, whatever COM number the link code asks for.
class PortDesigne final : public SerialPort {
public:
    PortDesigne(std::unique_ptr<SerialPort> p, QString chemin) : p_(std::move(p)), chemin_(std::move(chemin)) {}
    void ouvrir(const QString&, int baud, int parite, int bits, int stop, int fe, int fs) override
    {
        p_->ouvrir(chemin_, baud, parite, bits, stop, fe, fs);
    }
    void fermer() override { p_->fermer(); }
    bool est_ouvert() const override { return p_->est_ouvert(); }
    void vider_files() override { p_->vider_files(); }
    void fixer_delai(double s) override { p_->fixer_delai(s); }
    double delai() const override { return p_->delai(); }
    int ecrire(const std::uint8_t* o, int n) override { return p_->ecrire(o, n); }
    int longueur_file_sortie() override { return p_->longueur_file_sortie(); }
    int lire(std::uint8_t* o, int n, Instant e) override { return p_->lire(o, n, e); }
    void pause_ligne(double s) override { p_->pause_ligne(s); }
    int erreur() const override { return p_->erreur(); }
    qint64 occupant() const override { return p_->occupant(); }
    QString texte_systeme() const override { return p_->texte_systeme(); }

private:
    std::unique_ptr<SerialPort> p_;
    QString chemin_;
};

// The configuration file of the pair being written, kept true after every
// reading so that a pair left by a killed logger or a power cut opens with
// every reading its data file holds: the reading's x position is appended,
// then the count rewritten in place. When the count gains a digit (and at
// the first reading, which sets the time origin) the file is rewritten whole
// and renamed over the old one.
class ConfigurationSuivie {
public:
    bool ouvrir(const QString& chemin)
    {
        chemin_ = chemin;
        fermer();
        return reecrire();
    }
    void fermer()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    ~ConfigurationSuivie() { fermer(); }
    // Reading `index` has just been stored (its x position in ptx).
    bool ajouter(int index)
    {
        const int n = index + 1;
        if (fd_ < 0 || index == 0 || QByteArray::number(n).size() != QByteArray::number(index).size())
            return reecrire(n);
        const QByteArray x = QByteArray::number(ptx[index]) + '\n';
        if (::pwrite(fd_, x.constData(), std::size_t(x.size()), fin_) != x.size())
            return reecrire(n);
        fin_ += x.size();
        const QByteArray compte = QByteArray::number(n);
        if (::pwrite(fd_, compte.constData(), std::size_t(compte.size()), debut_compte_) != compte.size())
            return reecrire(n);
        return true;
    }

private:
    bool reecrire(int n = 0)
    {
        fermer();
        Configuration c = configuration_courante();
        c.nb_points = n;
        c.x.assign(ptx, ptx + n);
        QByteArray tout;
        {
            QBuffer b(&tout);
            b.open(QIODevice::WriteOnly);
            if (!ecrire_configuration(b, c))
                return false;
        }
        Configuration tete = c;
        tete.nb_points = 0;
        tete.x.clear();
        QByteArray t;
        {
            QBuffer b(&t);
            b.open(QIODevice::WriteOnly);
            ecrire_configuration(b, tete);
        }
        debut_compte_ = t.size() - 2;  // "0\n"
        QSaveFile f(chemin_);
        if (!f.open(QIODevice::WriteOnly) || f.write(tout) != tout.size() || !f.commit())
            return false;
        fd_ = ::open(QFile::encodeName(chemin_).constData(), O_WRONLY | O_CLOEXEC);
        fin_ = tout.size();
        return fd_ >= 0;
    }

    QString chemin_;
    int fd_ = -1;
    off_t fin_ = 0;
    off_t debut_compte_ = 0;
};

// Each reading stored goes to the pair being written.
class Ecriture final : public modele::Ecouteur {
public:
    Journal journal{Journal::Synchro::appel};
    ConfigurationSuivie cfg;
    bool defaut = false;
    void releve_stocke(int index, const QString& ligne) override
    {
        // A line the disk refuses waits in the journal for the next one.
        if (!journal.ajouter(ligne) || journal.synchro_refusee() || !cfg.ajouter(index)) {
            if (!defaut)
                dire(QStringLiteral("fault: cannot write %1 (disk full?); the readings wait in memory")
                         .arg(journal.donnees()));
            defaut = true;
        } else if (defaut) {
            dire(QStringLiteral("recovered: %1 written again").arg(journal.donnees()));
            defaut = false;
        }
    }
};

bool sur_terminal()
{
    // Under a service manager stderr goes to its journal, even through a
    // terminal-like stream.
    return ::isatty(STDERR_FILENO) && qEnvironmentVariableIsEmpty("JOURNAL_STREAM")
           && qEnvironmentVariableIsEmpty("INVOCATION_ID");
}

QString valeurs_du_releve(int index)
{
    QStringList l;
    for (int v = 1; v <= Mesure.nb_voies && v <= 2; ++v)
        l << QStringLiteral("%1 %2").arg(QString::fromUtf8(Donnee[v].libelle).trimmed())
                 .arg(Donnee[v].releves[index], 0, 'f', 3);
    return l.join(QStringLiteral("  "));
}

// Why the mode word `mot` does not offer the quantities chosen; empty when it does.
QString mode_refuse(const QVector<int>& codes, int mot)
{
    if (ModeEnCours_actuel == AFFICHAGE_FIGE)
        return QStringLiteral("the instrument is held (%1)").arg(texte_mode(mot));
    for (int c : codes)
        if (!grandeur_offerte(c, mot))
            return QStringLiteral("mode %1 does not offer %2").arg(texte_mode(mot), etiquette_grandeur(c));
    return {};
}

// The first `lignes` readings of the pair just completed (those its data
// file holds) as Edit > Export to CSV writes them, whole or not at all; a
// file of that name is never replaced.
bool ecrire_csv(const QString& chemin, int lignes, bool demi_seconde)
{
    if (QFileInfo::exists(chemin))
        return false;
    const int n = std::clamp(std::min(Acq.nb_points, lignes), 0, nb_releves_ranges());
    const QByteArray texte = csv_releves(n, releve, forme_csv(demi_seconde));
    EcritureFichier f(chemin);
    return f.ouvrir() && f.flux().write(texte) == texte.size() && f.valider();
}

void choisir(const QVector<int>& codes)
{
    Annuler_choix_grandeur();
    for (int c : codes)
        selectionner_case(c, 1);
    test_grandeur_mesure();
}

} // namespace

int executer_log(int argc, char** argv, int plafond)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    OptionsLog o;
    if (const QString e = lire_options(args, o); !e.isEmpty()) {
        ecrire_err(QStringLiteral("voltexa-log: %1\n").arg(e));
        return LOG_ARGUMENTS;
    }
    if (o.aide) {
        std::fputs(qPrintable(texte_aide()), stdout);
        return LOG_FINI;
    }
    QCoreApplication::setApplicationName(QStringLiteral("VOLTEXA"));
    // Without TZ the C library looks at /etc/localtime again at every
    // local-time conversion (three a reading); named once, the zone is read
    // once. Summer and winter time still follow the zone's rules; a zone
    // changed by the administrator is taken at the next start.
    if (qEnvironmentVariableIsEmpty("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime"))) {
        qputenv("TZ", ":/etc/localtime");
        ::tzset();
    }

    Platform p = plateforme_sans_ecran();
    auto popups_ = std::make_unique<PopupsLog>();
    PopupsLog& popups = *popups_;
    p.popups = std::move(popups_);
    installer_plateforme(std::move(p));
    remise_a_zero_globales();
    Annuler_choix_grandeur();

    if (!o.peripherique.isEmpty()) {
        installer_port_serie(std::make_unique<PortDesigne>(port_serie_qt(), o.peripherique));
        comport = 1;
    } else {
        comport = o.com;
    }
    const QString nom_port = o.peripherique.isEmpty() ? QStringLiteral("COM%1").arg(o.com) : o.peripherique;
    modele::port_instrument(comport);

    // The files first: a second logger on the same files goes no further.
    const QFileInfo sortie(o.sortie);
    QLockFile verrou(sortie.absoluteDir().filePath(sortie.completeBaseName() + QStringLiteral(".lock")));
    verrou.setStaleLockTime(0);
    if (!verrou.tryLock(0)) {
        qint64 pid = 0;
        QString hote, appli;
        verrou.getLockInfo(&pid, &hote, &appli);
        ecrire_err(verrou.error() == QLockFile::LockFailedError
                       ? QStringLiteral("voltexa-log: %1 is being written by another logger (process %2)\n")
                             .arg(o.sortie)
                             .arg(pid)
                       : QStringLiteral("voltexa-log: cannot write in %1\n").arg(sortie.absolutePath()));
        return LOG_FICHIERS;
    }

    if (ouvrir_port_instrument() != 0) {
        // The diagnostic in English; the files keep the language in force.
        const int l = langue;
        langue = 1;
        const QString pourquoi = o.peripherique.isEmpty() ? texte_port_indisponible() : QString();
        langue = l;
        const EchecOuverture& e = dernier_echec_ouverture();
        QString cause = e.cause == SERIE_ERREUR_OCCUPE
                            ? (e.occupant ? QStringLiteral(" (in use by process %1)").arg(e.occupant)
                                          : QStringLiteral(" (in use by another program)"))
                        : e.cause == SERIE_ERREUR_ABSENT ? QStringLiteral(" (no such device)")
                        : e.cause == SERIE_ERREUR_PERMISSION ? QStringLiteral(" (permission denied)")
                                                             : QString();
        ecrire_err(QStringLiteral("voltexa-log: cannot open %1%2\n%3").arg(nom_port, cause, pourquoi.isEmpty() ? QString() : pourquoi + '\n'));
        return LOG_PORT;
    }
    // Identification first, as the measurement-type dialog does it.
    if (!lire_identification()) {
        ecrire_err(QStringLiteral("voltexa-log: the instrument does not answer on %1\n").arg(nom_port));
        fermeture_com(comport);
        return LOG_INSTRUMENT;
    }
    const int mot = int(MesureTypeReseau);
    suite_annule();
    if (!mode_identifie(mot) || conclure_identification() != 0 || !mode_refuse(o.grandeurs, mot).isEmpty()) {
        const QString pourquoi = mode_identifie(mot) ? mode_refuse(o.grandeurs, mot)
                                                     : QStringLiteral("unknown mode %1").arg(mot);
        ecrire_err(QStringLiteral("voltexa-log: %1\n").arg(pourquoi.isEmpty() ? texte_mode(mot) : pourquoi));
        fermeture_com(comport);
        return LOG_INSTRUMENT;
    }
    choisir(o.grandeurs);
    modele::regler_mesure(comport, mot, int(o.grandeurs.size()));
    modele::regler_periode(o.periode, 0);
    PrecedTypeReseau = MesureTypeReseau;

    struct sigaction sa {};
    sa.sa_handler = sur_signal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    // The terminal gone (a remote session dropped) ends the run as Ctrl-C
    // does; under nohup the hang-up stays ignored and the run goes on.
    struct sigaction hup {};
    sigaction(SIGHUP, nullptr, &hup);
    if (hup.sa_handler != SIG_IGN)
        sigaction(SIGHUP, &sa, nullptr);

    Ecriture ecriture;
    modele::abonner(ecriture);
    const bool terminal = sur_terminal();
    int rang = 1;
    // Pairs already there are never overwritten: the run takes the next free name.
    const auto ouvrir_paire = [&]() -> bool {
        while (QFileInfo::exists(nom_fichier_rang(o.sortie, rang))
               || QFileInfo::exists(chemin_configuration(nom_fichier_rang(o.sortie, rang)))
               || (o.csv && QFileInfo::exists(chemin_csv(nom_fichier_rang(o.sortie, rang)))))
            ++rang;
        const QString dat = nom_fichier_rang(o.sortie, rang);
        modele::effacer();
        flag_demande_lancer = 1;
        modele::lancer();
        if (!ecriture.journal.ouvrir(dat, configuration_courante())
            || !ecriture.cfg.ouvrir(chemin_configuration(dat))) {
            dire(QStringLiteral("cannot write %1").arg(dat));
            return false;
        }
        dire(QStringLiteral("writing %1").arg(dat));
        return true;
    };
    const auto clore_paire = [&] {
        if (!ecriture.journal.ouvert())
            return;
        ecriture.cfg.fermer();
        if (!ecriture.journal.clore(configuration_courante()))
            dire(QStringLiteral("cannot complete %1").arg(chemin_configuration(ecriture.journal.donnees())));
        if (o.csv && !ecrire_csv(chemin_csv(ecriture.journal.donnees()), ecriture.journal.lignes(), o.periode == 0))
            dire(QStringLiteral("cannot write %1").arg(chemin_csv(ecriture.journal.donnees())));
        modele::arreter();
    };

    int sortie_code = LOG_FINI;
    if (!ouvrir_paire()) {
        fermeture_com(comport);
        return LOG_FICHIERS;
    }
    const qint64 periode_ms = o.periode == 0 ? 500 : qint64(o.periode) * 1000;
    // Ticks are placed on a steady clock (a clock set back or forward moves
    // no tick); the time stamps are the wall clock's.
    QElapsedTimer debut;
    debut.start();
    QDateTime debut_paire;
    qint64 prochain = 0;  // ms from debut of the next tick
    qint64 total = 0;
    bool en_defaut = false;
    QString mode_absent;
    while (!arret_demande) {
        const qint64 maintenant_ms = debut.elapsed();
        if (o.duree > 0 && maintenant_ms >= o.duree * 1000)
            break;
        if (maintenant_ms < prochain) {
            // Asleep until the tick or the end of the run; a signal wakes it
            // (one come just before the sleep waits a second at most).
            qint64 attente = std::min<qint64>(prochain - maintenant_ms, 1000);
            if (o.duree > 0)
                attente = std::min(attente, o.duree * 1000 - maintenant_ms);
            const timespec ts{time_t(attente / 1000), long(attente % 1000) * 1000000L};
            ::nanosleep(&ts, nullptr);
            continue;
        }
        // Ticks missed during a long fault are not made up.
        prochain += periode_ms * (1 + (maintenant_ms - prochain) / periode_ms);

        QDateTime instant = plateforme().horloge->maintenant();
        popups.questions = 0;
        int r = Mesure_jbus_essais();
        if (r == MESURE_BONNE && popups.questions > 0)
            instant = plateforme().horloge->maintenant();
        if (r != MESURE_BONNE && r != MESURE_REMISE) {
            if (!en_defaut) {
                dire(QStringLiteral("fault: no answer from the instrument on %1; trying at each period")
                         .arg(nom_port));
            }
            en_defaut = true;
            continue;
        }
        if (en_defaut) {
            dire(QStringLiteral("recovered: the instrument answers on %1").arg(nom_port));
            en_defaut = false;
        }
        // A mode change ends nothing here: the quantities are chosen again,
        // and readings go on while the mode offers them.
        if (r == MESURE_REMISE || test_grandeur_mesure() != int(o.grandeurs.size())) {
            choisir(o.grandeurs);
            flag_demande_lancer = 1;
        }
        const int m = int(MesureTypeReseau);
        const QString refus = mode_identifie(m) ? mode_refuse(o.grandeurs, m) : QStringLiteral("unknown mode");
        if (!refus.isEmpty()) {
            if (refus != mode_absent)
                dire(QStringLiteral("mode: %1; waiting").arg(refus));
            mode_absent = refus;
            continue;
        }
        if (!mode_absent.isEmpty()) {
            dire(QStringLiteral("mode: %1; readings resume").arg(texte_mode(m)));
            mode_absent.clear();
        }
        modele::regler_mesure(comport, m, int(o.grandeurs.size()));
        PrecedTypeReseau = MesureTypeReseau;

        if (Acq.nb_points >= plafond) {
            clore_paire();
            if (!o.roulement)
                break;
            ++rang;
            if (!ouvrir_paire()) {
                sortie_code = LOG_FICHIERS;
                break;
            }
        }
        TraceCourbeMode();
        const int n = Acq.nb_points;
        if (n == 0)
            debut_paire = instant;
        // Whole seconds from the pair's first reading, across days.
        const double ecart = double(instant.toSecsSinceEpoch() - debut_paire.toSecsSinceEpoch());
        if (!modele::stocker_releve(instant, ecart))
            continue;
        ++total;
        if (terminal) {
            const qint64 e = debut.elapsed() / 1000;
            ecrire_err(QStringLiteral("\r\033[K")
                       + ligne_progression(total, valeurs_du_releve(n), e, o.duree > 0 ? o.duree - e : -1,
                                           QFileInfo(ecriture.journal.donnees()).fileName()));
            progression_affichee = true;
        }
        if (!o.roulement && Acq.nb_points >= plafond)
            break;
    }
    clore_paire();
    modele::desabonner(ecriture);
    fermeture_com(comport);
    dire(QStringLiteral("stopped after %1 readings").arg(total));
    return sortie_code;
}
