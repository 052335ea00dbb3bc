#include "socle/lecture_fichier.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

Ouverture ouvrir_en_lecture(QFile& f, const QString& chemin)
{
    const QFileInfo info(chemin);
    if (!info.exists())
        return Ouverture::absent;
    if (!info.isFile())
        return Ouverture::pas_un_fichier;
    f.setFileName(chemin);
#ifdef Q_OS_UNIX
    // Between the look above and the opening the name may come to name a
    // pipe: opened without blocking, the descriptor is checked itself.
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Ouverture::absent : Ouverture::refuse;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Ouverture::pas_un_fichier;
    }
    const int drapeaux = ::fcntl(fd, F_GETFL);
    if (drapeaux >= 0)
        ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Ouverture::refuse;
    }
    return Ouverture::ouvert;
#else
    return f.open(QIODevice::ReadOnly) ? Ouverture::ouvert : Ouverture::refuse;
#endif
}

bool autre_qu_un_fichier(const QString& chemin)
{
    const QFileInfo info(chemin);
    return info.exists() && !info.isFile();
}

QByteArray lire_au_plus(QFile& f, qint64 max, bool& trop_grand)
{
    QByteArray b = f.read(max + 1);
    trop_grand = b.size() > max;
    if (trop_grand)
        b.truncate(max);
    return b;
}
