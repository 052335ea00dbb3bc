// The instrument's COM port: what a COM number stands for, its opening and
// the messages of a port or link that failed.
#pragma once

#include <QString>

// Result of the last port opening from the connection dialog (0 = opened).
extern int retour_com;

// What COM `numero` stands for on this system.
struct PortResolu {
    QString chemin;        // target of its ports/ link, or the device itself
    bool lien = false;     // true when a ports/ entry of the program leads there
    bool present = false;  // the device exists
};
PortResolu resoudre_port(int numero);

// The lines that say which device the last opening of a COM port tried and
// why it failed, when that is something start-up tells: nothing at the path
// looked for, or the port held by another VOLTEXA (with its process number)
// or another program. Empty for any other failure, and after a success.
QString texte_port_indisponible();
// Shows those lines under their numbered message (21 for a port that is not
// there, 19 for one in use) and returns true; false, showing nothing, when
// there are none.
bool Popup_port_indisponible();
// The message of a link that failed, or of a port that would not open: the
// port in use when that is why it is closed, else message 20; either way
// followed by the device tried and why it failed (diagnostic_liaison()).
void Popup_echec_liaison();

// Start-up: marks the port closed, opens Mesure.port at 9600 bit/s, no
// parity, 8 data bits, 1 stop bit, 5.0 s, and sets Acq.port_ouvert to 1 when
// that worked. No message on failure. Returns ouverture_com's result.
int ouvrir_port_instrument();

// Opens COM `comport` afresh with the time-out in force, so that a device
// plugged back (perhaps under another terminal behind the same ports/ entry)
// is used again; sets Acq.port_ouvert from the result. Returns
// ouverture_com's result.
int reouvrir_port_instrument();
