// voltexa-sim: a simulated wattmeter, JBUS slave 1 on a pseudo-terminal.
//
// Prints the terminal's path on its first line of output once it answers.
// With --dir it also makes <dir>/ports/COM<n> lead there, so the program
// finds it as COM n; SIGTERM, SIGINT or the command "quit" remove that link
// and end it.

#include "link/jbus_codec.h"
#include "sim/esclave.h"
#include "sim/scenario.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;
using Instant = Horloge::time_point;

// One character on a 9600-baud 8N1 line: 10 bits.
constexpr auto DUREE_CARACTERE = std::chrono::nanoseconds(1'041'667);
// Modbus RTU ends a frame after 3.5 characters of silence; a partial frame
// is dropped after that long without a byte.
constexpr auto SILENCE_FIN_TRAME = std::chrono::microseconds(3'646);

int tube_signal[2] = {-1, -1};

void sur_signal(int)
{
    const char c = 's';
    [[maybe_unused]] auto r = ::write(tube_signal[1], &c, 1);
}

// True when `dossier` holds nothing but its ports folder: the program never
// ran there, so a ports folder the simulator made can go with its link.
// Once the program has its files there, the folder is the program's too
// (the user's own links go in it).
bool seul_le_dossier_des_ports(const std::string& dossier)
{
    std::error_code erreur;
    for (const auto& e : std::filesystem::directory_iterator(dossier, erreur))
        if (e.path().filename() != "ports")
            return false;
    return !erreur;
}

void usage(FILE* f)
{
    std::fprintf(f,
                 "usage: voltexa-sim [--dir DIR] [--com N] [--scenario FILE] [EVENT ...]\n"
                 "  --dir DIR        program directory: makes DIR/ports/COMn lead to the terminal\n"
                 "  --com N          COM number of that link (default 1)\n"
                 "  --scenario FILE  timed events, one a line: [seconds] command  (# comments)\n"
                 "  EVENT            one event in the same form, e.g. 'mode hold' or '10 silence on'\n"
                 "Standard input takes commands too, applied at once and answered with ok or error.\n\n%s",
                 sim::AIDE_COMMANDES);
}

struct Sortie {
    Instant quand;
    std::vector<std::uint8_t> octets;
};

class Simulateur {
public:
    Simulateur(int maitre, std::vector<sim::Evenement> evenements)
        : maitre_(maitre), evenements_(std::move(evenements)), debut_(Horloge::now())
    {
    }

    // Applies the events due at the start, before the terminal is announced.
    bool demarrer()
    {
        return appliquer_evenements_dus(debut_);
    }

    int executer(bool lire_entree)
    {
        std::string ligne_entree;
        while (!etat_.quitter) {
            const Instant maintenant = Horloge::now();
            if (!appliquer_evenements_dus(maintenant))
                return 1;
            envoyer_sorties_dues(maintenant);
            if (!entree_.empty() && maintenant - dernier_octet_ >= SILENCE_FIN_TRAME)
                fin_de_silence();

            pollfd fds[3] = {{tube_signal[0], POLLIN, 0}, {maitre_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
            const nfds_t n = lire_entree ? 3 : 2;
            if (::poll(fds, n, delai_poll(maintenant)) < 0) {
                if (errno == EINTR)
                    continue;
                std::perror("voltexa-sim: poll");
                return 1;
            }
            if (fds[0].revents)
                break;
            if (fds[1].revents & POLLIN)
                recevoir();
            if (lire_entree && fds[2].revents) {
                char tampon[512];
                const ssize_t lus = ::read(STDIN_FILENO, tampon, sizeof tampon);
                if (lus <= 0) {
                    lire_entree = false;
                    continue;
                }
                ligne_entree.append(tampon, static_cast<std::size_t>(lus));
                for (auto fin = ligne_entree.find('\n'); fin != std::string::npos; fin = ligne_entree.find('\n')) {
                    commande_entree(ligne_entree.substr(0, fin));
                    ligne_entree.erase(0, fin + 1);
                }
            }
        }
        return 0;
    }

private:
    double secondes(Instant t) const { return std::chrono::duration<double>(t - debut_).count(); }

    bool appliquer_evenements_dus(Instant maintenant)
    {
        while (prochain_ < evenements_.size() && evenements_[prochain_].temps <= secondes(maintenant)) {
            const auto& ev = evenements_[prochain_++];
            const std::string erreur = sim::appliquer_commande(etat_, ev.commande);
            if (!erreur.empty()) {
                std::fprintf(stderr, "voltexa-sim: %s\n", erreur.c_str());
                return false;
            }
            if (ev.temps > 0.0)
                std::printf("%.3f %s\n", ev.temps, ev.commande.c_str());
        }
        return true;
    }

    void commande_entree(const std::string& ligne)
    {
        std::string erreur;
        const auto ev = sim::lire_evenement(ligne, erreur);
        if (ev)
            erreur = sim::appliquer_commande(etat_, ev->commande);
        if (!erreur.empty())
            std::printf("error %s\n", erreur.c_str());
        else if (ev)
            std::printf("ok %s\n", ev->commande.c_str());
    }

    int delai_poll(Instant maintenant) const
    {
        Instant prochain = Instant::max();
        if (prochain_ < evenements_.size())
            prochain = debut_
                + std::chrono::duration_cast<Horloge::duration>(
                           std::chrono::duration<double>(evenements_[prochain_].temps));
        if (!sorties_.empty())
            prochain = std::min(prochain, sorties_.front().quand);
        if (!entree_.empty())
            prochain = std::min(prochain, dernier_octet_ + SILENCE_FIN_TRAME);
        if (prochain == Instant::max())
            return -1;
        if (prochain <= maintenant)
            return 0;
        const auto reste = std::chrono::ceil<std::chrono::milliseconds>(prochain - maintenant).count();
        return static_cast<int>(std::min<long long>(reste, 60'000));
    }

    void recevoir()
    {
        std::uint8_t tampon[512];
        const ssize_t lus = ::read(maitre_, tampon, sizeof tampon);
        if (lus <= 0)
            return;
        dernier_octet_ = Horloge::now();
        entree_.insert(entree_.end(), tampon, tampon + lus);
        while (!entree_.empty()) {
            const int longueur = sim::longueur_requete(entree_.data(), entree_.size());
            if (longueur <= 0 || entree_.size() < static_cast<std::size_t>(longueur))
                return; // more bytes, or the silence, will tell
            traiter(entree_.data(), static_cast<std::size_t>(longueur));
            entree_.erase(entree_.begin(), entree_.begin() + longueur);
        }
    }

    // The line went quiet with bytes pending: they are one frame of a
    // function we do not frame, or noise.
    void fin_de_silence()
    {
        traiter(entree_.data(), entree_.size());
        entree_.clear();
    }

    void traiter(const std::uint8_t* trame, std::size_t n)
    {
        if (n < 4)
            return;
        const std::uint16_t crc = calcule_crc_16(trame, static_cast<int>(n - 2));
        if (trame[n - 2] != (crc & 0xFF) || trame[n - 1] != (crc >> 8))
            return; // a slave ignores a frame it cannot trust
        const Instant recu = Horloge::now();
        const auto mesures = instrument_.mesures(etat_, secondes(recu));
        auto reponse = esclave_.repondre(trame, n, etat_, mesures);
        if (reponse.empty() || etat_.silence)
            return;

        Instant depart = recu + std::chrono::milliseconds(etat_.retard_ms);
        if (!etat_.ligne) {
            sorties_.push_back({depart, std::move(reponse)});
            return;
        }
        // On the wire the request took its own time to arrive, then the
        // slave keeps 3.5 characters of silence; each byte takes one
        // character time.
        depart += static_cast<long>(n) * DUREE_CARACTERE + SILENCE_FIN_TRAME;
        for (std::size_t i = 0; i < reponse.size(); ++i)
            sorties_.push_back({depart + static_cast<long>(i + 1) * DUREE_CARACTERE, {reponse[i]}});
    }

    void envoyer_sorties_dues(Instant maintenant)
    {
        while (!sorties_.empty() && sorties_.front().quand <= maintenant) {
            const auto& s = sorties_.front();
            // Nobody reading: the bytes are lost, as on a line.
            [[maybe_unused]] auto r = ::write(maitre_, s.octets.data(), s.octets.size());
            sorties_.pop_front();
        }
    }

    int maitre_;
    std::vector<sim::Evenement> evenements_;
    std::size_t prochain_ = 0;
    Instant debut_;
    sim::Etat etat_;
    sim::Instrument instrument_;
    sim::Esclave esclave_{1};
    std::vector<std::uint8_t> entree_;
    Instant dernier_octet_{};
    std::deque<Sortie> sorties_;
};

// Makes `lien` lead to `cible`. A link left by an earlier run (to a
// pseudo-terminal, or to nothing) is replaced; anything else is the user's
// and stays.
bool faire_lien(const std::string& lien, const std::string& cible)
{
    struct stat st {};
    if (::lstat(lien.c_str(), &st) == 0) {
        char ancien[4096] = {};
        const bool est_lien = S_ISLNK(st.st_mode) && ::readlink(lien.c_str(), ancien, sizeof ancien - 1) > 0;
        struct stat vise {};
        const bool mort = est_lien && ::stat(lien.c_str(), &vise) != 0;
        if (!est_lien || (!mort && std::strncmp(ancien, "/dev/pts/", 9) != 0)) {
            std::fprintf(stderr, "voltexa-sim: %s exists and is not a simulator's link; left as it is\n",
                         lien.c_str());
            return false;
        }
        ::unlink(lien.c_str());
    }
    if (::symlink(cible.c_str(), lien.c_str()) != 0) {
        std::fprintf(stderr, "voltexa-sim: cannot make %s: %s\n", lien.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

void enlever_lien(const std::string& lien, const std::string& cible)
{
    char vise[4096] = {};
    if (::readlink(lien.c_str(), vise, sizeof vise - 1) > 0 && cible == vise)
        ::unlink(lien.c_str());
}

} // namespace

int main(int argc, char* argv[])
{
    std::string dossier;
    int com = 1;
    std::vector<sim::Evenement> evenements;

    auto ajouter = [&evenements](const std::string& texte, const std::string& origine) {
        std::string erreur;
        auto ev = sim::lire_evenement(texte, erreur);
        if (ev) {
            sim::Etat essai;
            erreur = sim::appliquer_commande(essai, ev->commande);
        }
        if (!erreur.empty()) {
            std::fprintf(stderr, "voltexa-sim: %s: %s\n", origine.c_str(), erreur.c_str());
            return false;
        }
        if (ev)
            evenements.push_back(std::move(*ev));
        return true;
    };

    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        }
        if ((a == "--dir" || a == "--com" || a == "--scenario") && i + 1 >= argc) {
            usage(stderr);
            return 2;
        }
        if (a == "--dir") {
            dossier = argv[++i];
        } else if (a == "--com") {
            com = std::atoi(argv[++i]);
            if (com < 1) {
                std::fprintf(stderr, "voltexa-sim: --com needs a number from 1\n");
                return 2;
            }
        } else if (a == "--scenario") {
            const std::string fichier = argv[++i];
            std::ifstream f(fichier);
            if (!f) {
                std::fprintf(stderr, "voltexa-sim: cannot read %s\n", fichier.c_str());
                return 2;
            }
            int numero = 0;
            for (std::string ligne; std::getline(f, ligne);)
                if (!ajouter(ligne, fichier + ":" + std::to_string(++numero)))
                    return 2;
        } else if (!a.empty() && a[0] == '-' && a.size() > 1 && !std::isdigit(static_cast<unsigned char>(a[1]))) {
            usage(stderr);
            return 2;
        } else if (!ajouter(a, "argument")) {
            return 2;
        }
    }
    std::stable_sort(evenements.begin(), evenements.end(),
                     [](const sim::Evenement& x, const sim::Evenement& y) { return x.temps < y.temps; });

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::signal(SIGPIPE, SIG_IGN);
    if (::pipe(tube_signal) != 0) {
        std::perror("voltexa-sim: pipe");
        return 1;
    }
    // A burst of signals must never block the handler.
    ::fcntl(tube_signal[1], F_SETFL, O_NONBLOCK);
    struct sigaction sa {};
    sa.sa_handler = sur_signal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);

    const int maitre = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (maitre < 0 || ::grantpt(maitre) != 0 || ::unlockpt(maitre) != 0) {
        std::perror("voltexa-sim: pseudo-terminal");
        return 1;
    }
    const std::string terminal = ::ptsname(maitre);
    ::fcntl(maitre, F_SETFL, ::fcntl(maitre, F_GETFL) | O_NONBLOCK);
    ::fcntl(maitre, F_SETFD, FD_CLOEXEC);

    // Our own hold on the slave side keeps its settings raw and the master
    // readable while the program has the port closed.
    const int esclave = ::open(terminal.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio {};
    if (esclave < 0 || ::tcgetattr(esclave, &tio) != 0) {
        std::perror("voltexa-sim: pseudo-terminal");
        return 1;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(esclave, TCSANOW, &tio);

    std::string lien;
    bool dossier_cree = false;
    if (!dossier.empty()) {
        // The folder and its parents: on a fresh account neither the
        // program's data folder nor its ports folder exist yet.
        const std::string ports = dossier + "/ports";
        std::error_code erreur;
        dossier_cree = std::filesystem::create_directories(ports, erreur);
        if (erreur || !std::filesystem::is_directory(ports, erreur)) {
            std::fprintf(stderr, "voltexa-sim: cannot make %s: %s\n", ports.c_str(),
                         (erreur ? erreur : std::make_error_code(std::errc::not_a_directory)).message().c_str());
            return 1;
        }
        lien = ports + "/COM" + std::to_string(com);
        if (!faire_lien(lien, terminal))
            return 1;
    }

    Simulateur sim(maitre, std::move(evenements));
    int code = sim.demarrer() ? 0 : 1;
    if (code == 0) {
        std::printf("%s\n", terminal.c_str());
        code = sim.executer(true);
    }

    if (!lien.empty()) {
        enlever_lien(lien, terminal);
        if (dossier_cree && seul_le_dossier_des_ports(dossier))
            ::rmdir((dossier + "/ports").c_str());
    }
    ::close(esclave);
    ::close(maitre);
    return code;
}
