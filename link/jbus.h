// JBUS master transactions over the serial port in force (link/serial.h):
// one request, one response, checked; synchronous. Nothing is shown to the
// user here: every failure is a status.
#pragma once

#include "link/diagnostic.h"
#include "link/registres.h"

#include <QString>

#include <cstdint>

// Statuses of jbus_fonction_03 and jbus_fonction_16, besides 0 (success),
// -1 (a word count outside the standard's limits, nothing sent) and the
// serial layer's own negative errors (ErreurSerie).
constexpr int JBUS_ESCLAVE_ERRONE = -511;   // the response comes from another slave
constexpr int JBUS_FONCTION_ERRONEE = -512; // another function code, or the slave's exception reply
constexpr int JBUS_NOMBRE_ERRONE = -513;    // byte count (03) or echoed word count (16) differs
constexpr int JBUS_CRC_ERRONE = -514;       // the response's CRC does not match


// Settings of the instrument's line.
constexpr int JBUS_BAUD = 9600;
constexpr double JBUS_DELAI = 5.0; // seconds, for every read and write

// Opens COM `port` (1, 2, ...) with 512-byte queues, empties them and sets the
// time-out. A port open before is closed first: one port at a time.
// Returns 0 when open and ready, -1 otherwise (dernier_echec_ouverture()
// then says why).
int ouverture_com(int port, int baud, int parite, int bits_donnees, int bits_stop, double delai);

// Why the last opening failed; cause 0 after a success.
struct EchecOuverture {
    int cause = 0;        // the serial layer's error: SERIE_ERREUR_ABSENT, SERIE_ERREUR_OCCUPE, ...
    int port = 0;         // COM number
    QString peripherique; // the path (or name) looked for
    qint64 occupant = 0;  // SERIE_ERREUR_OCCUPE: the process of the VOLTEXA holding it, 0 if another program
    QString texte_systeme; // the system's words for it, when it gave some
};
const EchecOuverture& dernier_echec_ouverture();
// What the program last tried and how it went: with a port open, that port's
// device and the last transaction on it (a success when none has failed
// since it was opened); with none, the last opening that failed.
DiagnosticPort diagnostic_liaison();
// True while COM `port` is the port open.
bool port_com_ouvert(int port);
// Closes COM `port` if it is the one open. Returns 0, or -1 when it was not.
int fermeture_com(int port);

// Reads `nombre` words (1..125) from `adresse` into mots[0..nombre-1]; the
// array is written only when the response passed every check.
// Both transactions empty the input queue before sending, so that only bytes
// that came after the request are read as its response. After a time-out
// the slave may still answer the request it missed: the next transaction
// first lets that late answer come and drops it (waiting up to one more
// time-out past the first one, less once the line has been quiet after it),
// so that it is never taken for the answer to a later request.
int jbus_fonction_03(int port, int baud, int esclave, std::uint16_t adresse, int nombre, std::uint16_t* mots);
// Writes mots[0..nombre-1] (1..123 words) from `adresse` on.
int jbus_fonction_16(int port, int baud, int esclave, std::uint16_t adresse, int nombre,
                     const std::uint16_t* mots);

// True when `statut` says the device itself failed (it could not be opened,
// written or read, it is not there or in use, or the port is closed), as when
// the instrument's adapter is unplugged or the terminal behind COM n went
// away; false for a silent instrument (time-out) and for a faulty answer.
bool peripherique_perdu(int statut);
// True when the port must be opened afresh before trying again: the device
// was lost, or nothing came back in time (a device unplugged can leave a
// descriptor that only ever times out). False for a faulty answer, which
// shows the line works.
bool reouverture_utile(int statut);
