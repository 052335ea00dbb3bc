// Round trip of the acquisition's read (18 words from address 0 of slave 1)
// through the program's serial layer, against voltexa-sim on a
// pseudo-terminal without wire timing: what the link itself costs.
//
// usage: bench_link [reads]   (default 2000, at least 1000)
// Exits 1 when the median is not under 0.3 ms, 2 when the link fails.

#include "socle/globals.h"
#include "socle/platform.h"
#include "link/jbus.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double OBJECTIF_MEDIANE_MS = 0.3;
constexpr int ECHAUFFEMENT = 100;

// Nearest-rank percentile of sorted values.
double centile(const std::vector<double>& tries, double p)
{
    const auto rang = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(tries.size())));
    return tries[std::clamp<std::size_t>(rang, 1, tries.size()) - 1];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int lectures = std::max(1000, argc > 1 ? std::atoi(argv[1]) : 2000);

    QTemporaryDir dossier;
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(VOLTEXA_BIN_DIR "/voltexa-sim"),
              {QStringLiteral("--dir"), dossier.path(), QStringLiteral("--com"), QStringLiteral("1")});
    // Its first line, the terminal's path, says it is answering.
    while (!sim.canReadLine() && sim.waitForReadyRead(10000)) {
    }
    if (!sim.canReadLine()) {
        std::fprintf(stderr, "link bench: the simulator did not start\n");
        return 2;
    }
    fixer_repertoire_programme(dossier.path());

    auto fin = [&sim](int code) {
        fermeture_com(1);
        sim.terminate();
        sim.waitForFinished(10000);
        return code;
    };

    if (ouverture_com(1, JBUS_BAUD, 0, 8, 1, JBUS_DELAI) != 0) {
        std::fprintf(stderr, "link bench: cannot open the simulator's port\n");
        return fin(2);
    }

    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(lectures));
    for (int i = 0; i < ECHAUFFEMENT + lectures; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const int r = jbus_fonction_03(1, JBUS_BAUD, 1, 0, 18, TableReception);
        const auto t1 = std::chrono::steady_clock::now();
        if (r != 0) {
            std::fprintf(stderr, "link bench: read %d failed with status %d\n", i, r);
            return fin(2);
        }
        if (i >= ECHAUFFEMENT)
            ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    const double mediane = centile(ms, 50.0);
    std::printf("link: %d reads of 18 words over a pseudo-terminal\n", lectures);
    std::printf("  median          %.3f ms (target under %.1f ms)\n", mediane, OBJECTIF_MEDIANE_MS);
    std::printf("  99th percentile %.3f ms\n", centile(ms, 99.0));
    std::printf("  fastest %.3f ms, slowest %.3f ms\n", ms.front(), ms.back());
    return fin(mediane < OBJECTIF_MEDIANE_MS ? 0 : 1);
}
