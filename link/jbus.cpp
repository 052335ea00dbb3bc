#include "link/jbus.h"

#include "socle/globals.h"
#include "link/jbus_codec.h"
#include "link/serial.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int TAILLE_FILES = 512;
constexpr int LONGUEUR_EXCEPTION = 5; // slave, function | 0x80, exception code, CRC

// COM number of the port open, 0 when none.
int port_ouvert_numero = 0;
EchecOuverture echec_ouverture;
// The device of the port open, and the last transaction on COM
// port_echange: its status and the system's words for it. Kept when the
// same port is opened again (the acquisition reopens it after a failure),
// so that the failure is still told once the retries are over.
QString peripherique_ouvert;
int port_echange = 0;
int dernier_statut_echange = 0;
QString texte_dernier_echange;

// Keeps the outcome of a transaction for diagnostic_liaison(); returns it.
int noter_echange(int statut)
{
    dernier_statut_echange = statut;
    texte_dernier_echange = statut ? port_serie().texte_systeme() : QString();
    return statut;
}

using Horloge = std::chrono::steady_clock;
// Until when the slave may still send the answer to a request that timed
// out; none when it is the epoch.
Horloge::time_point reponse_due_jusqua{};
// Quiet time after which a late answer is taken to have ended: a 41-byte
// answer at 9600 bit/s arrives in about 43 ms, in one or a few chunks.
constexpr auto SILENCE_APRES_REPONSE = std::chrono::milliseconds(50);

// Lets the answer owed to a request that timed out arrive, and drops it. Ends
// as soon as the line has stayed quiet after it, or when it is no longer due.
void laisser_passer_reponse_due(SerialPort& p)
{
    const auto fin = reponse_due_jusqua;
    reponse_due_jusqua = {};
    if (fin == Horloge::time_point{} || Horloge::now() >= fin)
        return;
    std::uint8_t rebut[64];
    if (p.lire(rebut, 1, fin) < 1)
        return;
    // Bounded even if the line never rests (noise).
    const auto limite = fin + std::chrono::seconds(1);
    while (Horloge::now() < limite && p.lire(rebut, sizeof rebut, Horloge::now() + SILENCE_APRES_REPONSE) > 0) {
    }
}

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
    laisser_passer_reponse_due(p);
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
    // The slave may answer later than the time-out: for one more time-out
    // that answer is still expected, and the next request waits it out.
    const auto attendre_la_suite = [&] {
        if (p.erreur() == SERIE_ERREUR_DELAI)
            reponse_due_jusqua = std::max(Horloge::now(), echeance)
                + std::chrono::duration_cast<Horloge::duration>(std::chrono::duration<double>(p.delai()));
        return p.erreur();
    };
    p.lire(reponse, LONGUEUR_EXCEPTION, echeance);
    if (p.erreur())
        return attendre_la_suite();
    if (reponse[1] == (fonction | 0x80) && crc_correct(reponse, LONGUEUR_EXCEPTION - 2))
        return reponse[0] != (esclave & 0xFF) ? JBUS_ESCLAVE_ERRONE : JBUS_FONCTION_ERRONEE;
    p.lire(reponse + LONGUEUR_EXCEPTION, longueur - LONGUEUR_EXCEPTION, echeance);
    return attendre_la_suite();
}

} // namespace

int ouverture_com(int port, int baud, int parite, int bits_donnees, int bits_stop, double delai)
{
    SerialPort& p = port_serie();
    // A late answer may still come from the device of the port open now,
    // when it is opened again; nothing is owed on any other.
    if (port != port_ouvert_numero || !p.est_ouvert())
        reponse_due_jusqua = {};
    p.fermer();
    port_ouvert_numero = 0;
    peripherique_ouvert.clear();
    if (port != port_echange) {
        noter_echange(0);
        port_echange = port;
    }
    echec_ouverture = EchecOuverture{};
    echec_ouverture.port = port;
    if (port < 1) {
        echec_ouverture.cause = SERIE_ERREUR_PARAMETRE;
        return -1;
    }
    echec_ouverture.peripherique = nom_peripherique_com(port);
    p.ouvrir(echec_ouverture.peripherique, baud, parite, bits_donnees, bits_stop, TAILLE_FILES, TAILLE_FILES);
    if (p.erreur()) {
        echec_ouverture.cause = p.erreur();
        echec_ouverture.texte_systeme = p.texte_systeme();
        if (echec_ouverture.cause == SERIE_ERREUR_OCCUPE)
            echec_ouverture.occupant = p.occupant();
        return -1;
    }
    p.vider_files();
    const int erreur_vidage = p.erreur();
    p.fixer_delai(delai);
    if (erreur_vidage || p.erreur()) {
        echec_ouverture.cause = erreur_vidage ? erreur_vidage : p.erreur();
        echec_ouverture.texte_systeme = p.texte_systeme();
        p.fermer();
        return -1;
    }
    port_ouvert_numero = port;
    peripherique_ouvert = echec_ouverture.peripherique;
    echec_ouverture.cause = SERIE_OK;
    return 0;
}

const EchecOuverture& dernier_echec_ouverture()
{
    return echec_ouverture;
}

DiagnosticPort diagnostic_liaison()
{
    if (port_com_ouvert(port_ouvert_numero))
        return diagnostiquer_port(port_ouvert_numero, peripherique_ouvert, dernier_statut_echange,
                                  texte_dernier_echange, 0, port_serie().delai());
    const EchecOuverture& e = echec_ouverture;
    return diagnostiquer_port(e.port, e.peripherique, e.cause, e.texte_systeme, e.occupant);
}

bool port_com_ouvert(int port)
{
    return port >= 1 && port == port_ouvert_numero && port_serie().est_ouvert();
}

int fermeture_com(int port)
{
    if (port < 1 || port != port_ouvert_numero)
        return -1;
    port_serie().fermer();
    port_ouvert_numero = 0;
    peripherique_ouvert.clear();
    noter_echange(0);
    reponse_due_jusqua = {};
    return 0;
}

namespace {

int fonction_03(int port, int baud, int esclave, std::uint16_t adresse, int nombre, std::uint16_t* mots)
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

int fonction_16(int port, int baud, int esclave, std::uint16_t adresse, int nombre, const std::uint16_t* mots)
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

} // namespace

int jbus_fonction_03(int port, int baud, int esclave, std::uint16_t adresse, int nombre, std::uint16_t* mots)
{
    return noter_echange(fonction_03(port, baud, esclave, adresse, nombre, mots));
}

int jbus_fonction_16(int port, int baud, int esclave, std::uint16_t adresse, int nombre,
                     const std::uint16_t* mots)
{
    return noter_echange(fonction_16(port, baud, esclave, adresse, nombre, mots));
}

bool peripherique_perdu(int statut)
{
    switch (statut) {
    case SERIE_ERREUR_OUVERTURE:
    case SERIE_ERREUR_PORT_FERME:
    case SERIE_ERREUR_ECRITURE:
    case SERIE_ERREUR_LECTURE:
    case SERIE_ERREUR_ABSENT:
    case SERIE_ERREUR_OCCUPE:
    case SERIE_ERREUR_PERMISSION:
        return true;
    default:
        return false;
    }
}

bool reouverture_utile(int statut)
{
    return peripherique_perdu(statut) || statut == SERIE_ERREUR_DELAI;
}
