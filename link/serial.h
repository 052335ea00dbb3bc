// The serial port under the JBUS transactions: a small interface, its
// QSerialPort implementation, and the one instance in force (tests install a
// double, see tests/support/fake_serial.h).
#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

// Errors of the serial layer; 0 is none. They stay clear of the JBUS statuses
// (-511..-514) and of the work routines' -1..-3.
enum ErreurSerie : int {
    SERIE_OK = 0,
    SERIE_ERREUR_OUVERTURE = -301, // the device cannot be opened or configured
    SERIE_ERREUR_PORT_FERME = -302, // no port open, or not the one addressed
    SERIE_ERREUR_PARAMETRE = -303, // a setting or a size the port refuses
    SERIE_ERREUR_ECRITURE = -304,
    SERIE_ERREUR_LECTURE = -305,
    SERIE_ERREUR_ABSENT = -306, // nothing at the device's path (unplugged, or its link missing)
    SERIE_ERREUR_OCCUPE = -307, // another program holds the device
    SERIE_ERREUR_PERMISSION = -308, // this account may not read and write the device
    SERIE_ERREUR_DELAI = -310, // the time-out elapsed first
};

// Parity codes of ouvrir().
enum PariteSerie : int { PARITE_AUCUNE = 0, PARITE_IMPAIRE = 1, PARITE_PAIRE = 2, PARITE_MARQUE = 3, PARITE_ESPACE = 4 };

// Every operation records its outcome: erreur() is the error of the last
// call, 0 when it went well.
class SerialPort {
public:
    using Instant = std::chrono::steady_clock::time_point;

    virtual ~SerialPort() = default;

    // Opens and configures the device; a port already open is closed first.
    // While it is open no other VOLTEXA opens the same device.
    virtual void ouvrir(const QString& peripherique, int baud, int parite, int bits_donnees, int bits_stop,
                        int file_entree, int file_sortie) = 0;
    virtual void fermer() = 0;
    virtual bool est_ouvert() const = 0;
    // Drops whatever waits in the input and the output queues.
    virtual void vider_files() = 0;
    // Bound of every write and read; a delay that is not positive is refused.
    virtual void fixer_delai(double secondes) = 0;
    virtual double delai() const = 0;
    // Hands the bytes to the driver; returns how many it took.
    virtual int ecrire(const std::uint8_t* octets, int nombre) = 0;
    // Bytes written but not yet sent.
    virtual int longueur_file_sortie() = 0;
    // Reads exactly `nombre` bytes unless `echeance` comes first (then the
    // error is SERIE_ERREUR_DELAI). Returns the count read.
    virtual int lire(std::uint8_t* octets, int nombre, Instant echeance) = 0;
    // Leaves the line quiet for the given time after the last byte left.
    virtual void pause_ligne(double secondes) = 0;
    virtual int erreur() const = 0;
    // After SERIE_ERREUR_OCCUPE: the process number of the VOLTEXA that
    // holds the device, 0 when the holder is another program or unknown.
    virtual qint64 occupant() const { return 0; }
    // The system's own words for the last error ("Input/output error"),
    // empty when it has none to give.
    virtual QString texte_systeme() const { return {}; }

    // Read bounded by the port's time-out.
    int lire(std::uint8_t* octets, int nombre)
    {
        return lire(octets, nombre, echeance_delai());
    }
    Instant echeance_delai() const
    {
        return std::chrono::steady_clock::now()
            + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(delai()));
    }
};

// The port the transactions use. Starts as the QSerialPort implementation.
SerialPort& port_serie();
// Replaces it (tests); returns the previous one.
std::unique_ptr<SerialPort> installer_port_serie(std::unique_ptr<SerialPort> port);
std::unique_ptr<SerialPort> port_serie_qt();

// Device of COM n. Windows: "COMn". Elsewhere: the entry ports/COMn of the
// program's directory (a link to the real device) when there is one, when
// the ports folder holds other COM entries, or when this run has already
// found an entry there; /dev/ttyS<n-1> only when no ports folder names
// devices at all (missing, or empty as a first start makes it). So a link
// that goes away with its device keeps naming it: opening then fails until it
// is back, rather than reaching another device.
QString nom_peripherique_com(int numero);
// Forgets the entries found so far (tests that change program directory).
void oublier_entrees_com();
// Highest COM number the program addresses; 0 is "no port".
constexpr int PORT_COM_MAX = 256;
inline bool port_valide(int numero) { return numero >= 0 && numero <= PORT_COM_MAX; }
