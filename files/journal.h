// The acquisition journal: from Run on, every reading line goes at once to a
// recording pair in the recovery folder (reprise/acquisition.dat and its
// .cfg), so that a crash or a power cut loses at most the reading being
// written. The pair is in the recording formats: once completed it opens as
// any recording.
//
// The data file is appended one line per reading and handed to the system
// at each (it survives the program's end); a thread of the journal makes
// each reading durable (fdatasync) as soon as it is written, so that a tick
// never waits on the disk and a power cut loses at most the reading being
// taken. A line the disk refuses (full) stays in memory and goes with the
// next reading's, so that the journal catches up once the disk takes it.
// The configuration file is written at Run with no readings and rewritten
// whole at Stop; after a crash its count and x positions are rebuilt from
// the data file (completer_journal).
#pragma once

#include "files/format.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// One journal pair, without the global records.
class Journal {
public:
    // Who makes the lines durable: the journal's own thread, so that the
    // caller never waits on the disk (the desktop program's ticks), or the
    // append itself, which returns once its line is synced (a caller with
    // time to spare between readings saves the thread's wake-ups).
    enum class Synchro { fil, appel };
    explicit Journal(Synchro s = Synchro::fil) : synchro_(s) {}
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Starts the pair at `donnees` (its configuration file beside it, by
    // chemin_configuration): the configuration `entete` with no readings and
    // an empty data file, both synced. A journal open before is closed first.
    // False when either file cannot be written (nothing is left open).
    bool ouvrir(const QString& donnees, const Configuration& entete);
    bool ouvert() const { return fd_ >= 0; }
    // Appends one reading line, with any line a failed append left waiting.
    // False when the disk did not take them all: they wait for the next
    // append (en_defaut until then).
    bool ajouter(const QString& ligne);
    // Makes the lines written so far durable, now.
    void synchroniser();
    // Waits up to `ms` for the syncing thread to have made every line
    // written durable; false when it has not.
    bool attendre_synchro(int ms);
    // Tries the lines waiting, rewrites the configuration file whole from
    // `complete` (its count cut to the lines the data file holds, and x
    // positions), syncs both files and closes. False when the configuration
    // could not be written.
    bool clore(const Configuration& complete);
    // Closes, leaving the files as they are.
    void fermer();
    // Lines wait that the disk refused.
    bool en_defaut() const { return !attente_.isEmpty(); }
    // The disk refused a sync since the last call (the thread's report).
    bool synchro_refusee() { return synchro_refusee_.exchange(false); }
    // Lines in the data file, and those of them made durable.
    int lignes() const { return ecrites_; }
    int lignes_durables() const { return durables_; }
    const QString& donnees() const { return donnees_; }

private:
    bool vider();
    void synchroniseur();

    int fd_ = -1;
    QByteArray attente_;            // bytes not yet taken by the disk
    std::atomic<int> ecrites_{0};   // complete lines in the file
    std::atomic<int> durables_{0};  // of them, synced
    std::atomic<bool> synchro_refusee_{false};
    QString donnees_;
    std::thread fil_;
    std::mutex m_;
    std::condition_variable cv_;        // lines to sync, or the end
    std::condition_variable cv_fait_;   // a sync done
    bool fin_ = false;
    const Synchro synchro_;
};

// A journal pair left by a program that did not close it: keeps the data
// file's complete reading lines up to the first one that is cut short or is
// not the next reading's (the tail a crash may leave), cuts the file there,
// and rewrites the configuration file with that count and the x positions
// of an acquisition (reading j at j), so that the pair opens as a
// recording. Returns the number of readings kept; -1 when the pair is not
// a journal (no readable configuration file, a data file that cannot be
// read or cut).
int completer_journal(const QString& donnees);

// ---- the journal of the recording in hand -------------------------------------

// Subscribes the journal to the reading model: Run, Pause and Stop reach the
// functions below, and each reading stored the journal in force. Called once
// at start-up; calling it again changes nothing.
void abonner_journal();

// The journal's data file: reprise/acquisition.dat where the program keeps
// its files.
QString chemin_journal();
// Run: a new journal for the acquisition starting (a journal left before
// goes), fed by every reading from now on. When it cannot be written the
// acquisition goes on without it, and the user is told once.
void journal_lancer();
// Pause: what was taken is made durable.
void journal_pause();
// Waits up to `ms` for every reading written to the journal to be durable
// (the sync point of a tick); false when it is not.
bool journal_attendre_synchro(int ms = 5000);
// Stop: the journal is completed into a recording and closed.
void journal_arreter();
// Save, File > New, a recording opened, a clean quit: the recording in hand
// no longer needs its journal, which is removed. A journal left by an
// earlier run and not reopened is not the recording in hand: it stays.
void journal_abandonner();
// A save of the recording in hand failed (`garder`): its journal stays
// whatever discards the readings next (New, Open, a quit), and is offered at
// the next start, until a save succeeds (false) or the next Run.
void journal_garder(bool garder);
// Start-up: a journal left by a run that ended without a clean quit is
// offered; Yes opens it as an unsaved recording, No keeps it until the next
// Run. A journal without readings is removed without a word; the journal
// of another VOLTEXA still running is not offered (the run owning the
// journal holds reprise/acquisition.lock).
void proposer_reprise();
// The program's end without a clean quit (tests): closes the journal,
// leaving its files.
void journal_fermer();
