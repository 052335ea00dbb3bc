#include "support/banc.h"

#include "acquisition/selection.h"
#include "socle/globals.h"
#include "app/startup.h"
#include "link/jbus.h"

#include <QFile>

BancSimulateur::BancSimulateur(const QStringList& evenements, const std::function<void()>& avant_demarrage)
{
    remise_a_zero_globales();
    Annuler_choix_grandeur();
    if (avant_demarrage)
        avant_demarrage();
    if (!sim.demarrer(evenements))
        return;
    QFile::remove(programme.dir() + "/ports/COM1");
    QFile::link(sim.terminal(), programme.dir() + "/ports/COM1");
    if (demarrage() != 0 || Acq.port_ouvert != 1)
        return;
    ouverture_com(1, JBUS_BAUD, 0, 8, 1, 0.3);
    pret = true;
}

BancSimulateur::~BancSimulateur()
{
    arreter_voltexa();
}
