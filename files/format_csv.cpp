#include "files/format_csv.h"

#include "socle/globals.h"

#include <QDate>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// Each reading's time as one number (-1: none): seconds since the first
// reading, or days and seconds of the clock as Julian day * 86400 + seconds.
std::vector<qint64> temps_releves(const std::vector<Releve>& r, bool relatif)
{
    std::vector<qint64> t(r.size(), -1);
    for (std::size_t j = 0; j < r.size(); ++j) {
        const Releve& x = r[j];
        if (x.secondes < 0)
            continue;
        if (relatif)
            t[j] = x.secondes;
        else if (x.date.isValid() && x.secondes < 86400)
            t[j] = x.date.toJulianDay() * 86400 + x.secondes;
    }
    return t;
}

// Tenths of a second to add to each time: the readings that share a stamped
// second, spread evenly over it.
std::vector<int> dixiemes(const std::vector<qint64>& t)
{
    std::vector<int> d(t.size(), 0);
    for (std::size_t a = 0; a < t.size();) {
        std::size_t b = a + 1;
        while (b < t.size() && t[b] >= 0 && t[b] == t[a])
            ++b;
        const std::size_t m = b - a;
        for (std::size_t i = a; i < b; ++i)
            d[i] = int((i - a) * 10 / m);
        a = b;
    }
    return d;
}

char* entier(char* p, char* fin, qint64 v)
{
    return std::to_chars(p, fin, v).ptr;
}

char* deux(char* p, int v)
{
    *p++ = char('0' + v / 10);
    *p++ = char('0' + v % 10);
    return p;
}

} // namespace

QByteArray champ_csv(const QString& texte)
{
    QByteArray o = texte.toUtf8();
    if (!o.contains(',') && !o.contains('"') && !o.contains('\r') && !o.contains('\n'))
        return o;
    o.replace('"', "\"\"");
    return '"' + o + '"';
}

QString entete_grandeur(const QString& libelle, int voie)
{
    QString e = libelle.trimmed();
    if (e.isEmpty())
        return QStringLiteral("CH%1").arg(voie);
    const qsizetype p = e.indexOf(u'(');
    if (p > 0 && e[p - 1] != u' ')
        e.insert(p, u' ');
    return e;
}

QByteArray csv_releves(int n, const std::function<Releve(int)>& releve, const FormeCsv& forme)
{
    n = std::max(n, 0);
    std::vector<Releve> r;
    r.reserve(std::size_t(n));
    for (int j = 0; j < n; ++j)
        r.push_back(releve(j));
    const int voies = std::clamp(int(forme.grandeurs.size()), 0, 2);
    QByteArray o("n,time");
    for (int k = 0; k < voies; ++k)
        o += ',' + champ_csv(forme.grandeurs[k]);
    o += "\r\n";

    const std::vector<qint64> t = temps_releves(r, forme.relatif);
    const std::vector<int> d = forme.demi_seconde ? dixiemes(t) : std::vector<int>(t.size(), 0);
    o.reserve(o.size() + qsizetype(n) * (forme.relatif ? 32 : 44));
    // Room for two values of any size.
    char tampon[64 + 2 * LONG_VALEUR_MAX];
    for (int j = 0; j < n; ++j) {
        char* p = tampon;
        char* const fin = tampon + sizeof tampon;
        p = entier(p, fin, j + 1);
        *p++ = ',';
        const qint64 x = t[std::size_t(j)];
        if (x >= 0) {
            if (forme.relatif) {
                p = entier(p, fin, x);
            } else {
                int an = 0, mois = 0, jour = 0;
                QDate::fromJulianDay(x / 86400).getDate(&an, &mois, &jour);
                const int s = int(x % 86400);
                p = deux(p, an / 100);
                p = deux(p, an % 100);
                *p++ = '-';
                p = deux(p, mois);
                *p++ = '-';
                p = deux(p, jour);
                *p++ = 'T';
                p = deux(p, s / 3600);
                *p++ = ':';
                p = deux(p, s / 60 % 60);
                *p++ = ':';
                p = deux(p, s % 60);
            }
            if (forme.demi_seconde) {
                *p++ = '.';
                *p++ = char('0' + d[std::size_t(j)]);
            }
        }
        const Releve& lu = r[std::size_t(j)];
        for (int k = 1; k <= voies; ++k) {
            *p++ = ',';
            // Shown as the list shows it; nothing for an undefined reading.
            const double v = lu.valeur[k - 1];
            if (k <= lu.nb_voies && !lu.indefini[k - 1] && std::isfinite(v))
                p = valeur_affichee(p, v);
        }
        *p++ = '\r';
        *p++ = '\n';
        o.append(tampon, p - tampon);
    }
    return o;
}

FormeCsv forme_csv(bool demi_seconde)
{
    FormeCsv forme;
    for (int k = 1; k <= std::clamp(Mesure.nb_voies, 0, 2); ++k)
        forme.grandeurs << entete_grandeur(QString::fromUtf8(Donnee[k].libelle), k);
    forme.relatif = Acq.temps_relatif == 1;
    forme.demi_seconde = demi_seconde;
    return forme;
}
