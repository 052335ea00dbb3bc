// A journal pair as a crash may leave it, completed: what is kept must be
// the data file's first complete reading lines numbered 1, 2, 3..., the file
// cut just after them, and the pair must then open as a recording holding
// exactly those readings. Completing it again changes nothing.
//
// Input: the configuration file, then a NUL byte, then the data file (no NUL:
// no data file at all).
#include "files/format.h"
#include "files/journal.h"
#include "socle/globals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octets) != octets.size())
        std::abort();
}

// The complete lines of `dat` a completion may keep: numbered from 1 on,
// without control characters, up to the first that is not.
int lignes_attendues(const QByteArray& dat, qsizetype& fin)
{
    int n = 0;
    fin = 0;
    for (;;) {
        const qsizetype f = dat.indexOf('\n', fin);
        if (f < 0 || n >= NB_RELEVES_MAX)
            return n;
        QByteArray l = dat.mid(fin, f - fin);
        if (l.endsWith('\r'))
            l.chop(1);
        if (l.size() < 26 || l.size() > LONG_LIGNE_MAX || l.at(5) != ' ')
            return n;
        for (char c : l)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                return n;
        bool ok = false;
        if (l.left(5).trimmed().toInt(&ok) != n + 1 || !ok)
            return n;
        ++n;
        fin = f + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // In memory where the system has such a folder: every completion syncs
    // its files, which a disk would make the slowest part of a run.
    static QTemporaryDir dossier(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/voltexa-fuzz-journal-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/voltexa-fuzz-journal-XXXXXX"));
    if (!dossier.isValid())
        std::abort();
    const QByteArray entree(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = entree.indexOf('\0');
    const QByteArray cfg = nul < 0 ? entree : entree.left(nul);
    const QByteArray dat = nul < 0 ? QByteArray() : entree.mid(nul + 1);

    const QString chemin = dossier.filePath(QStringLiteral("acquisition.dat"));
    const QString chemin_cfg = chemin_configuration(chemin);
    ecrire(chemin_cfg, cfg);
    QFile::remove(chemin);
    if (nul >= 0)
        ecrire(chemin, dat);

    const int n = completer_journal(chemin);
    if (n < 0) {
        // Refused only without a configuration a recording could have, and
        // then neither file changed.
        Configuration lue;
        QFile c(chemin_cfg);
        if (c.open(QIODevice::ReadOnly) && lire_configuration(c, false, lue) == Lecture::Bonne)
            std::abort();
        if (contenu(chemin_cfg) != cfg || (nul >= 0 && contenu(chemin) != dat))
            std::abort();
        return 0;
    }

    qsizetype fin = 0;
    if (n != lignes_attendues(dat, fin) || contenu(chemin) != dat.left(fin))
        std::abort();

    // The pair opens as a recording of those n readings, reading j at x j.
    Configuration c;
    Releves r;
    {
        QFile fc(chemin_cfg);
        if (!fc.open(QIODevice::ReadOnly) || lire_configuration(fc, true, c) != Lecture::Bonne)
            std::abort();
        QFile fd(chemin);
        if (!fd.open(QIODevice::ReadOnly) || lire_donnees(fd, c.nb_points, 0, r) != Lecture::Bonne)
            std::abort();
    }
    if (c.nb_points != n || int(r.lignes.size()) != n)
        std::abort();
    for (int j = 0; j < n; ++j)
        if (c.x[std::size_t(j)] != j)
            std::abort();

    // Completed twice: the same pair.
    const QByteArray cfg1 = contenu(chemin_cfg), dat1 = contenu(chemin);
    if (completer_journal(chemin) != n || contenu(chemin_cfg) != cfg1 || contenu(chemin) != dat1)
        std::abort();
    return 0;
}
