#include "sim/esclave.h"

#include "link/jbus_codec.h"

#include <cmath>

namespace sim {

namespace {

constexpr std::uint8_t EXC_FONCTION = 1;
constexpr std::uint8_t EXC_ADRESSE = 2;
constexpr std::uint8_t EXC_VALEUR = 3;

void surcharger(Grandeurs& g)
{
    constexpr double code = INRUSH_SURCHARGE;
    g.tension = 650.0;
    g.courant = 11.0;
    g.p = g.q = g.s = code;
}

} // namespace

std::array<std::uint16_t, NB_MOTS_MESURE> Instrument::mesures(const Etat& e, double t)
{
    const double dt = t_precedent_ < 0.0 ? 0.0 : t - t_precedent_;
    t_precedent_ = t;

    Grandeurs g = charge(t);
    if (e.tension || e.courant || e.fp) {
        const double phi = e.fp ? std::acos(*e.fp) : std::atan2(g.q, g.p);
        g = puissances(e.tension.value_or(g.tension), e.courant.value_or(g.courant), phi);
    }

    Releve r;
    r.inst = g;
    r.moy = lissage_.ajouter(g, dt);
    r.mode = e.mode;
    r.inrush = e.mode == MODE_INRUSH ? e.inrush : 0.0;

    const bool tenu = e.mode >= 0 && e.mode <= 7 && (e.mode & MODE_HOLD);
    if (tenu) {
        if (!fige_)
            releve_fige_ = r;
        fige_ = true;
        r.inst = releve_fige_.inst;
        r.moy = releve_fige_.moy;
        r.inrush = releve_fige_.inrush;
    } else {
        fige_ = false;
    }

    if (e.surcharge) {
        surcharger(r.inst);
        surcharger(r.moy);
        r.inrush = INRUSH_SURCHARGE;
    }

    auto m = encoder_registres(r);
    for (int n : e.indefinis)
        rendre_indefini(m, n);
    for (const auto& [n, v] : e.forces)
        if (n < NB_MOTS_MESURE)
            m[n] = v;
    return m;
}

int longueur_requete(const std::uint8_t* o, std::size_t n)
{
    if (n < 2)
        return 0;
    switch (o[1]) {
    case 0x03:
        return 8;
    case 0x10:
        return n < 7 ? 0 : 9 + o[6];
    default:
        return -1;
    }
}

std::vector<std::uint8_t> Esclave::repondre(const std::uint8_t* req, std::size_t n, const Etat& e,
                                            const std::array<std::uint16_t, NB_MOTS_MESURE>& mesures)
{
    const int adresse_requete = req[0];
    if (n < 4 || (adresse_requete != numero_ && adresse_requete != 0))
        return {};
    const bool diffusion = adresse_requete == 0;
    const std::uint8_t fonction = req[1];

    auto mot = [&](int k) -> std::uint16_t {
        if (const auto f = e.forces.find(k); f != e.forces.end())
            return f->second;
        return k < NB_MOTS_MESURE ? mesures[k] : banque_[k];
    };

    std::vector<std::uint8_t> rep;
    std::uint8_t exception = static_cast<std::uint8_t>(e.exception);
    if (!exception && fonction == 0x03 && n == 8) {
        const int debut = (req[2] << 8) | req[3];
        const int nombre = (req[4] << 8) | req[5];
        if (nombre < 1 || nombre > JBUS_MOTS_MAX_03)
            exception = EXC_VALEUR;
        else if (debut + nombre > NB_MOTS_BANQUE)
            exception = EXC_ADRESSE;
        else if (diffusion)
            return {};
        else {
            rep = {0, 0x03, static_cast<std::uint8_t>(2 * nombre + (e.mauvais_nombre ? 2 : 0))};
            for (int i = 0; i < nombre; ++i) {
                const std::uint16_t v = mot(debut + i);
                rep.push_back(static_cast<std::uint8_t>(v >> 8));
                rep.push_back(static_cast<std::uint8_t>(v & 0xFF));
            }
        }
    } else if (!exception && fonction == 0x10 && n >= 9) {
        const int debut = (req[2] << 8) | req[3];
        const int nombre = (req[4] << 8) | req[5];
        if (nombre < 1 || nombre > JBUS_MOTS_MAX_16 || req[6] != 2 * nombre || n != static_cast<std::size_t>(9 + 2 * nombre))
            exception = EXC_VALEUR;
        else if (debut < NB_MOTS_MESURE || debut + nombre > NB_MOTS_BANQUE)
            exception = EXC_ADRESSE;
        else {
            for (int i = 0; i < nombre; ++i)
                banque_[debut + i] = static_cast<std::uint16_t>((req[7 + 2 * i] << 8) | req[8 + 2 * i]);
            const int echo = nombre + (e.mauvais_nombre ? 1 : 0);
            rep = {0, 0x10, req[2], req[3], static_cast<std::uint8_t>(echo >> 8), static_cast<std::uint8_t>(echo)};
        }
    } else if (!exception) {
        exception = fonction == 0x03 || fonction == 0x10 ? EXC_VALEUR : EXC_FONCTION;
    }

    if (diffusion)
        return {};
    if (exception)
        rep = {0, static_cast<std::uint8_t>(fonction | 0x80), exception};
    rep[0] = static_cast<std::uint8_t>(e.esclave_reponse ? e.esclave_reponse : numero_);

    const std::uint16_t crc = calcule_crc_16(rep.data(), static_cast<int>(rep.size()));
    rep.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    rep.push_back(static_cast<std::uint8_t>(crc >> 8));
    if (e.corrompre) {
        // A data byte where there is one (function 03), else the last byte
        // before the CRC.
        const std::size_t i = rep.size() > 7 ? 3 : rep.size() - 3;
        rep[i] ^= 0x01;
    }
    return rep;
}

} // namespace sim
