#include "graph/format_mesure.h"

#include "lang/textes.h"
#include "socle/globals.h"

#include <cmath>
#include <cstdio>

namespace {

const char* unite(int code)
{
    return code >= 0 && code <= 12 ? tx::unite_typ[code] : " ";
}

// A printf rendering as a QString; the prefix and unit are UTF-8.
template <class... A>
QString ecrire(const char* format, A... a)
{
    char tampon[160];
    std::snprintf(tampon, sizeof tampon, format, a...);
    return QString::fromUtf8(tampon);
}

struct Echelle {
    const char* lettre;  // UTF-8
    double multiplicateur;
};

Echelle echelle(int code, double x)
{
    const double a = std::fabs(x);
    if (code == CODE_FP || code == CODE_FP_MOY || x == 0.0)
        return {" ", 1.0};
    if (a < 5e-10) return {"p", 1e12};
    if (a < 5e-7) return {"n", 1e9};
    if (a < 0.0005) return {"\u00b5", 1e6};
    if (a < 0.5) return {"m", 1000.0};
    if (a < 700.0) return {" ", 1.0};
    if (a < 900000.0) return {"k", 0.001};
    if (a < 5e8) return {"M", 1e-6};
    return {"G", 1e-9};
}

} // namespace

double secondes_position(double x, int periode)
{
    if (periode == -1)
        return std::floor(x);
    if (periode > 0)
        return std::floor(x * periode + 0.5);
    return std::floor((x + 0.5) / 2.0);
}

QString Format_Seconde(const char* prefixe, double t)
{
    const long long h = static_cast<long long>(t / 3600.0);
    const long long m = static_cast<long long>((t - 3600.0 * h) / 60.0);
    const long long s = static_cast<long long>(t - 3600.0 * h - 60.0 * m);
    if (h < 100000)
        return ecrire("%s%lld:%02lld:%02lld", prefixe, h, m, s);
    return ecrire("%s%lld:%02lld", prefixe, h, m);
}

QString Format_Mesure(int code, const char* prefixe, double x, int simple)
{
    if (simple)
        return ecrire("%s%7.1f %s", prefixe, x, unite(code));
    return Format_Mesure_unite(code, prefixe, x, unite(code));
}

QString Format_Mesure_unite(int code, const char* prefixe, double x, const char* unite)
{
    const Echelle e = echelle(code, x);
    const double v = x * e.multiplicateur;
    const double a = std::fabs(v);
    const char* format;
    if (code == CODE_COURANT || code == CODE_COURANT_MOY || code >= CODE_FP)
        format = a < 5.0 ? "%s%7.3f %s%s" : "%s%7.2f %s%s";
    else if (a < 5.0)
        format = e.lettre[0] == 'k' ? "%s%5.2f %s%s" : "%s%7.1f %s%s";
    else if (a < 50.0)
        format = "%s%7.1f %s%s";
    else
        format = "%s%6.1f %s%s";
    return ecrire(format, prefixe, v, e.lettre, unite);
}
