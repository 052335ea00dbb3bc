#include "support/disque_simule.h"

#include "socle/ecriture.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <unistd.h>

namespace {

std::atomic<qint64> place{-1};
std::atomic<bool> synchro_en_echec{false};

qint64 ecrire(int fd, const char* p, qint64 n)
{
    const qint64 reste = place.load();
    if (reste == 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t r = ::write(fd, p, std::size_t(reste > 0 ? std::min(n, reste) : n));
    if (r > 0 && reste > 0)
        place -= r;
    return r;
}

int synchroniser(int fd, bool donnees_seules)
{
    if (synchro_en_echec.load()) {
        errno = EIO;
        return -1;
    }
    return donnees_seules ? ::fdatasync(fd) : ::fsync(fd);
}

bool occuper(qint64 octets)
{
    if (place.load() < 0)
        return true;
    if (place.load() < octets)
        return false;
    place -= octets;
    return true;
}

constexpr Disque disque_simule{ecrire, synchroniser, occuper};

} // namespace

void simuler_disque(qint64 octets, bool synchro)
{
    place = octets;
    synchro_en_echec = synchro;
    installer_disque(octets < 0 && !synchro ? nullptr : &disque_simule);
}
