#include "link/jbus.h"

#include "socle/globals.h"
#include "link/jbus_codec.h"
#include "link/serial.h"

#include <chrono>
#include <thread>

namespace {

constexpr int TAILLE_FILES = 512;
constexpr int LONGUEUR_EXCEPTION = 5; // slave, function | 0x80, exception code, CRC

// COM number of the port open, 0 when none.
int port_ouvert_numero = 0;

bool crc_correct(const std::uint8_t* trame, int longueur_avant_crc)
{
    const std::uint16_t crc = calcule_crc_16(trame, longueur_avant_crc);
    return trame[longueur_avant_crc] == (crc & 0xFFu) && trame[longueur_avant_crc + 1] == (crc >> 8);
}

void ajouter_crc(std::uint8_t* trame, int longueur_avant_crc)
{
    const std::uint16_t crc = calcule_crc_16(trame, longueur_avant_crc);
    trame[longueur_avant_crc] = static_cast<std::uint8_t>(crc & 0xFFu);
    trame[longueur_avant_crc + 1] = static_cast<std::uint8_t>(crc >> 8);
}

// Empties both queues, writes the request, waits for it to leave and for the
// line to rest 11 bit times. Returns 0 or the serial error.
int envoyer(int port, int baud, const std::uint8_t* requete, int longueur)
{
    SerialPort& p = port_serie();
    if (port != port_ouvert_numero || !p.est_ouvert())
        return SERIE_ERREUR_PORT_FERME;
    p.vider_files();
    if (p.erreur())
        return p.erreur();
    p.ecrire(requete, longueur);
    if (p.erreur())
        return p.erreur();
    // Bounded by the time-out: a line held by flow control must not hang the
    // program.
    const auto echeance = p.echeance_delai();
    for (;;) {
        const int en_attente = p.longueur_file_sortie();
        if (p.erreur())
            return p.erreur();
        if (en_attente <= 0)
            break;
        if (std::chrono::steady_clock::now() >= echeance)
            return SERIE_ERREUR_DELAI;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (baud > 0)
        p.pause_ligne(11.0 / baud);
    return 0;
}

// Reads a response of `longueur` bytes within one time-out. A valid exception
// reply (function | 0x80, 5 bytes) ends the read at once: waiting for the
// full length would only turn it into a time-out.
// Returns 0 when `longueur` bytes arrived, else a status.
int recevoir(int esclave, int fonction, std::uint8_t* reponse, int longueur)
{
    SerialPort& p = port_serie();
    const auto echeance = p.echeance_delai();
    p.lire(reponse, LONGUEUR_EXCEPTION, echeance);
    if (p.erreur())
        return p.erreur();
    if (reponse[1] == (fonction | 0x80) && crc_correct(reponse, LONGUEUR_EXCEPTION - 2))
        return reponse[0] != (esclave & 0xFF) ? JBUS_ESCLAVE_ERRONE : JBUS_FONCTION_ERRONEE;
    p.lire(reponse + LONGUEUR_EXCEPTION, longueur - LONGUEUR_EXCEPTION, echeance);
    return p.erreur();
}

} // namespace

int ouverture_com(int port, int baud, int parite, int bits_donnees, int bits_stop, double delai)
{
    SerialPort& p = port_serie();
    p.fermer();
    port_ouvert_numero = 0;
    if (port < 1)
        return -1;
    p.ouvrir(nom_peripherique_com(port), baud, parite, bits_donnees, bits_stop, TAILLE_FILES, TAILLE_FILES);
    if (p.erreur())
        return -1;
    p.vider_files();
    const int erreur_vidage = p.erreur();
    p.fixer_delai(delai);
    if (erreur_vidage || p.erreur()) {
        p.fermer();
        return -1;
    }
    port_ouvert_numero = port;
    return 0;
}

int fermeture_com(int port)
{
    if (port < 1 || port != port_ouvert_numero)
        return -1;
    port_serie().fermer();
    port_ouvert_numero = 0;
    return 0;
}

int jbus_fonction_03(int port, int baud, int esclave, std::uint16_t adresse, int nombre, std::uint16_t* mots)
{
    if (nombre < 1 || nombre > JBUS_MOTS_MAX_03 || !mots)
        return -1;

    std::uint8_t requete[8];
    requete[0] = static_cast<std::uint8_t>(esclave);
    requete[1] = 0x03;
    requete[2] = static_cast<std::uint8_t>(adresse >> 8);
    requete[3] = static_cast<std::uint8_t>(adresse);
    requete[4] = static_cast<std::uint8_t>(nombre >> 8);
    requete[5] = static_cast<std::uint8_t>(nombre);
    ajouter_crc(requete, 6);

    int r = envoyer(port, baud, requete, 8);
    if (r)
        return r;

    std::uint8_t reponse[5 + 2 * JBUS_MOTS_MAX_03];
    const int octets_donnees = 2 * nombre;
    r = recevoir(esclave, 0x03, reponse, 5 + octets_donnees);
    if (r)
        return r;

    if (!crc_correct(reponse, 3 + octets_donnees))
        return JBUS_CRC_ERRONE;
    if (reponse[0] != static_cast<std::uint8_t>(esclave))
        return JBUS_ESCLAVE_ERRONE;
    if (reponse[1] != 0x03)
        return JBUS_FONCTION_ERRONEE;
    if (reponse[2] != octets_donnees)
        return JBUS_NOMBRE_ERRONE;

    for (int i = 0; i < nombre; ++i)
        mots[i] = static_cast<std::uint16_t>(transform_mot(reponse[3 + 2 * i], reponse[4 + 2 * i]));
    return 0;
}

int jbus_fonction_16(int port, int baud, int esclave, std::uint16_t adresse, int nombre,
                     const std::uint16_t* mots)
{
    if (nombre < 1 || nombre > JBUS_MOTS_MAX_16 || !mots)
        return -1;

    std::uint8_t requete[9 + 2 * JBUS_MOTS_MAX_16];
    const auto nombre_octets = static_cast<std::uint8_t>(2 * nombre);
    requete[0] = static_cast<std::uint8_t>(esclave);
    requete[1] = 0x10;
    requete[2] = static_cast<std::uint8_t>(adresse >> 8);
    requete[3] = static_cast<std::uint8_t>(adresse);
    requete[4] = static_cast<std::uint8_t>(nombre >> 8);
    requete[5] = static_cast<std::uint8_t>(nombre);
    requete[6] = nombre_octets;

    const int mots_ecrits = nombre_octets / 2;
    std::uint8_t octets[2 * JBUS_MOTS_MAX_16];
    for (int i = 0; i < mots_ecrits; ++i)
        transforme_mots_en_octet(mots[i], i, octets);
    ajout_mots_a_ecrir(octets, mots_ecrits, requete, 7);
    ajouter_crc(requete, 7 + nombre_octets);

    int r = envoyer(port, baud, requete, 9 + nombre_octets);
    if (r)
        return r;

    std::uint8_t reponse[8];
    r = recevoir(esclave, 0x10, reponse, 8);
    if (r)
        return r;

    if (!crc_correct(reponse, 6))
        return JBUS_CRC_ERRONE;
    if (reponse[0] != static_cast<std::uint8_t>(esclave))
        return JBUS_ESCLAVE_ERRONE;
    if (reponse[1] != 0x10)
        return JBUS_FONCTION_ERRONEE;
    if (((reponse[4] << 8) | reponse[5]) != mots_ecrits)
        return JBUS_NOMBRE_ERRONE;
    return 0;
}

int ouvrir_port_instrument()
{
    Acq.port_ouvert = 0;
    const int r = ouverture_com(Mesure.port, JBUS_BAUD, 0, 8, 1, JBUS_DELAI);
    if (r == 0)
        Acq.port_ouvert = 1;
    return r;
}

bool peripherique_perdu(int statut)
{
    switch (statut) {
    case SERIE_ERREUR_OUVERTURE:
    case SERIE_ERREUR_PORT_FERME:
    case SERIE_ERREUR_ECRITURE:
    case SERIE_ERREUR_LECTURE:
        return true;
    default:
        return false;
    }
}

int reouvrir_port_instrument()
{
    const double delai = port_serie().delai();
    const int r = ouverture_com(comport, JBUS_BAUD, 0, 8, 1, delai > 0.0 ? delai : JBUS_DELAI);
    Acq.port_ouvert = r == 0 ? 1 : 0;
    return r;
}
