// The JBUS reply checks and the decoding of the measurement block, with the
// fuzz input as the bytes the instrument sends.
//
// Input: one control byte, then the instrument's bytes. Bits 0..1 of the
// control byte choose the transaction (0 and 1: the 18-word measurement read,
// 2: a read of another count, 3: a write); bit 2 makes the bytes one frame
// whose CRC the target appends, so that the checks after the CRC and the
// decoding are reached. Raw bytes are served to reads one after another
// until they run out.
#include "acquisition/decodage.h"
#include "link/jbus.h"
#include "link/jbus_codec.h"
#include "link/registres.h"
#include "link/serial.h"
#include "socle/globals.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The instrument's side of the line: whatever is queued, served in order.
class PortFuzz final : public SerialPort {
public:
    std::vector<std::uint8_t> octets;
    std::size_t lus = 0;

    void ouvrir(const QString&, int, int, int, int, int, int) override { ouvert_ = true; erreur_ = SERIE_OK; }
    void fermer() override { ouvert_ = false; erreur_ = SERIE_OK; }
    bool est_ouvert() const override { return ouvert_; }
    // The request is answered after the queues are emptied: nothing to drop.
    void vider_files() override { erreur_ = ouvert_ ? SERIE_OK : SERIE_ERREUR_PORT_FERME; }
    void fixer_delai(double s) override { erreur_ = s > 0 ? SERIE_OK : SERIE_ERREUR_PARAMETRE; }
    double delai() const override { return 5.0; }
    int ecrire(const std::uint8_t*, int nombre) override { erreur_ = SERIE_OK; return nombre; }
    int longueur_file_sortie() override { erreur_ = SERIE_OK; return 0; }
    int lire(std::uint8_t* dest, int nombre, Instant) override
    {
        erreur_ = nombre < 0 ? SERIE_ERREUR_PARAMETRE : SERIE_OK;
        int n = 0;
        while (n < nombre && lus < octets.size())
            dest[n++] = octets[lus++];
        if (n < nombre)
            erreur_ = SERIE_ERREUR_DELAI;
        return n;
    }
    void pause_ligne(double) override { erreur_ = SERIE_OK; }
    int erreur() const override { return erreur_; }

private:
    bool ouvert_ = false;
    int erreur_ = SERIE_OK;
};

PortFuzz* port = nullptr;

// What the reading cycle does with a good measurement block.
void decoder(const std::uint16_t* mots)
{
    decoder_mesures(mots);
    suite_annule();
    for (int i = 0; i < 12; ++i)
        if (memo_grandeur_indefinie[i] != 0 && memo_grandeur_indefinie[i] != 1)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    auto p = std::make_unique<PortFuzz>();
    port = p.get();
    installer_port_serie(std::move(p));
    if (ouverture_com(1, JBUS_BAUD, 0, 8, 1, JBUS_DELAI) != 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    const int controle = data[0];
    port->octets.assign(data + 1, data + size);
    port->lus = 0;
    if (controle & 4) {
        const std::uint16_t crc = calcule_crc_16(port->octets.data(), int(port->octets.size()));
        port->octets.push_back(std::uint8_t(crc & 0xFF));
        port->octets.push_back(std::uint8_t(crc >> 8));
    }

    // The words are written only by a read that passed every check.
    std::uint16_t mots[JBUS_MOTS_MAX_03 + 1];
    const std::uint16_t garde = 0xA55A;
    std::fill(std::begin(mots), std::end(mots), garde);
    const int genre = controle & 3;
    const int nombre = genre == 2 ? 1 + (controle >> 3) % JBUS_MOTS_MAX_03 : NB_MOTS_MESURE;
    // Raw bytes: read after read until they run out, as a line carries them.
    for (int essai = 0; essai < 64 && port->lus < port->octets.size(); ++essai) {
        if (genre == 3) {
            const std::uint16_t ecrits[2] = {1, 2};
            const int r = jbus_fonction_16(1, JBUS_BAUD, JBUS_ESCLAVE, 0x0100, 2, ecrits);
            if (r > 0)
                std::abort();
            continue;
        }
        std::uint16_t avant[JBUS_MOTS_MAX_03 + 1];
        std::copy(std::begin(mots), std::end(mots), avant);
        const int r = jbus_fonction_03(1, JBUS_BAUD, JBUS_ESCLAVE, ADRESSE_MESURES, nombre, mots);
        if (r > 0)
            std::abort();
        if (r != 0) {
            if (!std::equal(std::begin(mots), std::end(mots), avant))
                std::abort();
            continue;
        }
        if (mots[nombre] != garde) // past the count asked for
            std::abort();
        if (nombre == NB_MOTS_MESURE)
            decoder(mots);
    }
    return 0;
}
