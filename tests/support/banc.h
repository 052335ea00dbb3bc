// The whole program started on the simulated wattmeter: the simulator's
// terminal is COM1 of a temporary program directory, opened with a short
// time-out so a silent instrument does not cost five seconds a read.
#pragma once

#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QStringList>
#include <functional>

struct BancSimulateur {
    SimulateurDeTest sim;
    PlateformeTest plateforme;
    ProgrammeTest programme;
    bool pret = false; // started and connected

    // `avant_demarrage` runs once the test doubles are installed, before
    // start-up (to replace one of them, say).
    explicit BancSimulateur(const QStringList& evenements = {},
                            const std::function<void()>& avant_demarrage = {});
    ~BancSimulateur();
    BancSimulateur(const BancSimulateur&) = delete;
    BancSimulateur& operator=(const BancSimulateur&) = delete;
};
