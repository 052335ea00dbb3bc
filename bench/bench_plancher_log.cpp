// The least one reading of voltexa-log can cost on this machine: the same
// system calls and nothing else (sleep to the next tick, flush the line, the
// measurement request, wait for the answer and read it, append a reading
// line and sync it, two small writes in place for the configuration file),
// so that bench/log.sh can set the logger's figure beside the system's own.
//
//   bench_plancher_log DEVICE DIR N     N readings at half a second
#include "link/jbus_codec.h"
#include "link/registres.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_plancher_log DEVICE DIR N\n");
        return 2;
    }
    const int port = ::open(argv[1], O_RDWR | O_NOCTTY | O_CLOEXEC);
    const std::string dir = argv[2];
    const int donnees = ::open((dir + "/plancher.dat").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int configuration = ::open((dir + "/plancher.cfg").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int n = std::atoi(argv[3]);
    if (port < 0 || donnees < 0 || configuration < 0 || n <= 0) {
        std::fprintf(stderr, "bench_plancher_log: cannot open the device or the files\n");
        return 2;
    }
    termios t{};
    ::tcgetattr(port, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B9600);
    ::tcsetattr(port, TCSANOW, &t);

    std::uint8_t requete[8] = {std::uint8_t(JBUS_ESCLAVE), 0x03};
    transforme_mots_en_octet(std::uint16_t(ADRESSE_MESURES), 1, requete);
    transforme_mots_en_octet(std::uint16_t(NB_MOTS_MESURE), 2, requete);
    const std::uint16_t crc = calcule_crc_16(requete, 6);
    requete[6] = std::uint8_t(crc & 0xff);
    requete[7] = std::uint8_t(crc >> 8);
    const int attendus = 5 + 2 * NB_MOTS_MESURE;

    char ligne[61];
    std::memset(ligne, ' ', sizeof ligne - 1);
    ligne[sizeof ligne - 1] = '\n';
    std::uint8_t reponse[256];
    int repondus = 0;
    off_t fin = 0;
    for (int i = 0; i < n; ++i) {
        const timespec demi{0, 500000000};
        ::nanosleep(&demi, nullptr);
        ::tcflush(port, TCIOFLUSH);
        if (::write(port, requete, sizeof requete) != sizeof requete)
            break;
        int lus = 0;
        while (lus < attendus) {
            pollfd p{port, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            const ssize_t r = ::read(port, reponse + lus, sizeof reponse - std::size_t(lus));
            if (r <= 0)
                break;
            lus += int(r);
        }
        repondus += lus == attendus;
        if (::write(donnees, ligne, sizeof ligne) != sizeof ligne || ::fdatasync(donnees) != 0)
            break;
        const std::string x = std::to_string(i) + '\n', compte = std::to_string(i + 1);
        if (::pwrite(configuration, x.data(), x.size(), fin) != ssize_t(x.size())
            || ::pwrite(configuration, compte.data(), compte.size(), 0) != ssize_t(compte.size()))
            break;
        fin += off_t(x.size());
    }
    std::printf("%d\n", repondus);
    return repondus == n ? 0 : 1;
}
