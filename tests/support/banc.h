// The whole program started on the simulated wattmeter: the simulator's
// terminal is COM1 of a temporary program directory, opened with a short
// time-out so a silent instrument does not cost five seconds a read.
#pragma once

#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QStringList>

struct BancSimulateur {
    SimulateurDeTest sim;
    PlateformeTest plateforme;
    ProgrammeTest programme;
    bool pret = false; // started and connected

    explicit BancSimulateur(const QStringList& evenements = {});
    ~BancSimulateur();
    BancSimulateur(const BancSimulateur&) = delete;
    BancSimulateur& operator=(const BancSimulateur&) = delete;
};
