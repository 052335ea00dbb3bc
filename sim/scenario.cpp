#include "sim/scenario.h"

#include "sim/registres.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace sim {

const char* const AIDE_COMMANDES = R"(Commands (scenario lines, arguments, or lines on standard input):
  mode NAME|NUMBER     mode word: normal, t3fe, hold, smooth, inrush, or joined
                       with '+' (t3fe+smooth+hold); hold freezes the readings
  inrush AMPS          inrush reading shown in INRUSH mode (default 42)
  voltage V|live       fixed voltage, or back to the load model
  current A|live       fixed current
  pf X|live            fixed power factor (lagging)
  live                 voltage, current and power factor from the load model
  overload on|off      powers, apparent powers and inrush at the overload code
                       6500.0, voltage 650 V and current 11 A (out of range)
  undefined LIST|none  words sent as 65500, e.g. 0,2-3,10 (a word of a 32-bit
                       pair makes the whole pair 65500)
  word N VALUE|live    raw value of word N (0..255)
  silence on|off       no answer at all
  corrupt on|off       one byte of each answer altered after its CRC
  reply-slave N|off    answers carry slave number N
  bad-count on|off     wrong byte count (function 03) or word count (16)
  delay MS             wait MS milliseconds before answering
  exception CODE|off   answer every request with exception CODE
  wire on|off          pace requests and answers as on a 9600-baud line
  faults off           silence, corrupt, reply-slave, bad-count, delay and
                       exception all off
  quit                 end the simulator
)";

namespace {

std::vector<std::string> mots_de(std::string_view texte)
{
    std::vector<std::string> mots;
    std::istringstream flux{std::string(texte)};
    for (std::string m; flux >> m;)
        mots.push_back(m);
    return mots;
}

std::optional<double> reel(const std::string& t)
{
    double v = 0.0;
    const auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || fin != t.data() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long> entier(const std::string& t)
{
    long v = 0;
    int base = 10;
    std::string_view s(t);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    const auto [fin, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || fin != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<bool> oui_non(const std::string& t)
{
    if (t == "on")
        return true;
    if (t == "off")
        return false;
    return std::nullopt;
}

// "0,2-3,10" -> {0, 2, 3, 10}; words 0..17.
std::optional<std::set<int>> liste_mots(const std::string& t)
{
    std::set<int> r;
    std::istringstream flux(t);
    for (std::string element; std::getline(flux, element, ',');) {
        const auto tiret = element.find('-');
        const auto a = entier(element.substr(0, tiret));
        const auto b = tiret == std::string::npos ? a : entier(element.substr(tiret + 1));
        if (!a || !b || *a < 0 || *b >= NB_MOTS_MESURE || *a > *b)
            return std::nullopt;
        for (long n = *a; n <= *b; ++n)
            r.insert(static_cast<int>(n));
    }
    if (r.empty())
        return std::nullopt;
    return r;
}

// A physical value or "live".
std::string valeur_ou_modele(std::optional<double>& champ, const std::vector<std::string>& a, double mini,
                             double maxi)
{
    if (a.size() != 2)
        return a[0] + ": one argument expected";
    if (a[1] == "live") {
        champ.reset();
        return {};
    }
    const auto v = reel(a[1]);
    if (!v || *v < mini || *v > maxi)
        return a[0] + ": a number from " + std::to_string(mini) + " to " + std::to_string(maxi) + " expected";
    champ = *v;
    return {};
}

std::string commutateur(bool& champ, const std::vector<std::string>& a)
{
    const auto v = a.size() == 2 ? oui_non(a[1]) : std::nullopt;
    if (!v)
        return a[0] + ": on or off expected";
    champ = *v;
    return {};
}

} // namespace

std::string appliquer_commande(Etat& e, std::string_view commande)
{
    const auto a = mots_de(commande);
    if (a.empty())
        return "empty command";
    const std::string& c = a[0];

    if (c == "mode") {
        const auto m = a.size() == 2 ? mode_depuis_nom(a[1]) : std::nullopt;
        if (!m)
            return "mode: normal, t3fe, hold, smooth, inrush, joined with '+', or a number";
        e.mode = *m;
        return {};
    }
    if (c == "inrush") {
        const auto v = a.size() == 2 ? reel(a[1]) : std::nullopt;
        if (!v || *v < 0.0)
            return "inrush: amperes expected";
        e.inrush = *v;
        return {};
    }
    if (c == "voltage")
        return valeur_ou_modele(e.tension, a, 0.0, 655.0);
    if (c == "current")
        return valeur_ou_modele(e.courant, a, 0.0, 65.0);
    if (c == "pf")
        return valeur_ou_modele(e.fp, a, 0.0, 1.0);
    if (c == "live" && a.size() == 1) {
        e.tension.reset();
        e.courant.reset();
        e.fp.reset();
        return {};
    }
    if (c == "overload")
        return commutateur(e.surcharge, a);
    if (c == "undefined") {
        if (a.size() == 2 && a[1] == "none") {
            e.indefinis.clear();
            return {};
        }
        const auto l = a.size() == 2 ? liste_mots(a[1]) : std::nullopt;
        if (!l)
            return "undefined: a list of words 0..17 (0,2-3,10) or none";
        e.indefinis = *l;
        return {};
    }
    if (c == "word") {
        const auto n = a.size() == 3 ? entier(a[1]) : std::nullopt;
        if (!n || *n < 0 || *n > 255)
            return "word: N (0..255) and a value 0..65535 or live";
        if (a[2] == "live") {
            e.forces.erase(static_cast<int>(*n));
            return {};
        }
        const auto v = entier(a[2]);
        if (!v || *v < 0 || *v > 65535)
            return "word: N (0..255) and a value 0..65535 or live";
        e.forces[static_cast<int>(*n)] = static_cast<std::uint16_t>(*v);
        return {};
    }
    if (c == "silence")
        return commutateur(e.silence, a);
    if (c == "corrupt")
        return commutateur(e.corrompre, a);
    if (c == "bad-count")
        return commutateur(e.mauvais_nombre, a);
    if (c == "wire")
        return commutateur(e.ligne, a);
    if (c == "reply-slave") {
        if (a.size() == 2 && a[1] == "off") {
            e.esclave_reponse = 0;
            return {};
        }
        const auto n = a.size() == 2 ? entier(a[1]) : std::nullopt;
        if (!n || *n < 0 || *n > 255)
            return "reply-slave: a slave number 0..255 or off";
        e.esclave_reponse = static_cast<int>(*n);
        return {};
    }
    if (c == "delay") {
        const auto n = a.size() == 2 ? entier(a[1]) : std::nullopt;
        if (!n || *n < 0 || *n > 600000)
            return "delay: milliseconds expected";
        e.retard_ms = static_cast<int>(*n);
        return {};
    }
    if (c == "exception") {
        if (a.size() == 2 && a[1] == "off") {
            e.exception = 0;
            return {};
        }
        const auto n = a.size() == 2 ? entier(a[1]) : std::nullopt;
        if (!n || *n < 1 || *n > 255)
            return "exception: a code 1..255 or off";
        e.exception = static_cast<int>(*n);
        return {};
    }
    if (c == "faults" && a.size() == 2 && a[1] == "off") {
        e.silence = e.corrompre = e.mauvais_nombre = false;
        e.esclave_reponse = e.exception = e.retard_ms = 0;
        return {};
    }
    if (c == "quit" && a.size() == 1) {
        e.quitter = true;
        return {};
    }
    return "unknown command: " + std::string(commande);
}

std::optional<Evenement> lire_evenement(std::string_view ligne, std::string& erreur)
{
    erreur.clear();
    const auto diese = ligne.find('#');
    if (diese != std::string_view::npos)
        ligne = ligne.substr(0, diese);
    auto a = mots_de(ligne);
    if (a.empty())
        return std::nullopt;
    Evenement ev;
    std::size_t debut = 0;
    if (std::isdigit(static_cast<unsigned char>(a[0][0])) || a[0][0] == '.') {
        const auto t = reel(a[0]);
        if (!t || *t < 0.0) {
            erreur = "bad time: " + a[0];
            return std::nullopt;
        }
        ev.temps = *t;
        debut = 1;
    }
    if (debut == a.size()) {
        erreur = "command missing after the time";
        return std::nullopt;
    }
    for (std::size_t i = debut; i < a.size(); ++i) {
        if (i > debut)
            ev.commande += ' ';
        ev.commande += a[i];
    }
    return ev;
}

} // namespace sim
