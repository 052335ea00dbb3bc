// Files written whole or not at all. A writer fills a temporary file beside
// its target; the target is replaced only once every write, the final flush
// and the sync to the disk have succeeded, so that a full disk or an I/O
// error leaves the file that was there as it was, and nothing else behind.
//
// Targets that are not regular files: a device (/dev/null, a printer port)
// is written in place, every write checked; a folder, a FIFO or a socket is
// refused. A symbolic link is followed: the file it leads to is replaced.
#pragma once

#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>

class EcritureFichier {
public:
    explicit EcritureFichier(const QString& cible);
    // What was not put in place is removed.
    ~EcritureFichier();
    EcritureFichier(const EcritureFichier&) = delete;
    EcritureFichier& operator=(const EcritureFichier&) = delete;

    // Makes the temporary file. `mode` adds to WriteOnly (Text). With
    // `directe_permise`, a folder that takes no new file but holds the
    // target writable has the target rewritten in place (a failure then
    // leaves it cut short). False when nothing can be written.
    bool ouvrir(QIODevice::OpenMode mode = {}, bool directe_permise = false);
    // Where the writer writes: open after ouvrir. A failed write fails it
    // and every later one.
    QIODevice& flux();
    // The file written, for writers that open it by name themselves
    // (a workbook, a PDF print).
    QString chemin_ecrit() const;

    // Every write checked, then `verifier` on the file written (false: it
    // is not complete), then the sync. False on any failure, the temporary
    // file removed.
    bool terminer(const std::function<bool(const QString&)>& verifier = {});
    // Puts the finished file in the target's place (its permissions kept)
    // and syncs the folder. False when it cannot be (the temporary removed).
    bool remplacer();
    // terminer, then remplacer.
    bool valider(const std::function<bool(const QString&)>& verifier = {});
    // Removes the temporary file; the target stays as it was.
    void abandonner();

private:
    struct Etat;
    std::unique_ptr<Etat> e_;
};

// ---- the system's calls, checked ------------------------------------------------------

// Writes the n bytes at p to fd, through interruptions and short writes;
// false on the first failure (errno set), `ecrits` then the bytes that went.
bool ecrire_tout(int fd, const char* p, qint64 n, qint64* ecrits = nullptr);
// fdatasync (`donnees_seules`) or fsync; false when the disk did not take it.
bool synchroniser_fd(int fd, bool donnees_seules = false);
// A folder's entries (a file created or renamed) made durable.
void synchroniser_dossier(const QString& dossier);

// ---- the disk ---------------------------------------------------------------------------

// The calls the writers above make of the disk: the system's unless another
// disk was installed (one that fills up or fails, for instance).
struct Disque {
    // write(2): the bytes that went, or -1 with errno set.
    qint64 (*ecrire)(int fd, const char* p, qint64 n);
    // fsync(2), or fdatasync(2) with `donnees_seules`: 0, or -1 with errno set.
    int (*synchroniser)(int fd, bool donnees_seules);
    // A file of `octets` bytes that a library wrote by name: false when the
    // disk had no room for it (the system's disk refused such bytes already).
    bool (*occuper)(qint64 octets);
};
// nullptr puts the system's back. `d` must outlive its use.
void installer_disque(const Disque* d);
