#include "acquisition/ligne.h"

#include "socle/globals.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// n on d digits, leading zeros.
char* chiffres(char* p, int n, int d)
{
    for (int i = d - 1; i >= 0; --i) {
        p[i] = char('0' + n % 10);
        n /= 10;
    }
    return p + d;
}

// n right-aligned in `largeur` characters, as "%*d".
char* entier_aligne(char* p, int n, int largeur)
{
    char t[16];
    const std::to_chars_result r = std::to_chars(t, t + sizeof t, n);
    for (int i = int(r.ptr - t); i < largeur; ++i)
        *p++ = ' ';
    return std::copy(t, r.ptr, p);
}

// " %9.3f" then `blancs` blanks.
char* valeur_colonne(char* p, double v, int blancs)
{
    char t[LONG_VALEUR_MAX];
    const char* const fin = valeur_affichee(t, v);
    *p++ = ' ';
    for (int i = int(fin - t); i < LARGEUR_VALEUR; ++i)
        *p++ = ' ';
    p = std::copy<const char*>(t, fin, p);
    return std::fill_n(p, blancs, ' ');
}

// The dash marker of an undefined value, `avant` blanks before it, the field
// padded to `largeur`.
char* tirets(char* p, int avant, int largeur)
{
    p = std::fill_n(p, avant, ' ');
    p = std::fill_n(p, 4, '-');
    return std::fill_n(p, largeur - avant - 4, ' ');
}

} // namespace

char* valeur_affichee(char* t, double v)
{
    // A value halfway between two thousandths is an odd number of
    // sixteenths: it goes away from zero, as the lines have always shown it.
    // From 2^53 on every double is even, so a whole number below it is tested
    // by its last bit (fmod costs more than the rest of the line).
    const double seiziemes = v * 16.0;
    if (std::abs(seiziemes) < 0x1p53 && seiziemes == std::floor(seiziemes) &&
        (static_cast<long long>(seiziemes) & 1) != 0) {
        // One step past the halfway point rounds away from zero while a step
        // is below half a thousandth; beyond, the text is made the long way.
        if (std::abs(v) >= 0x1p40) {
            const QByteArray a = QString::asprintf("%.3f", v).toLatin1();
            return std::copy(a.cbegin(), a.cend(), t);
        }
        v = std::nextafter(v, v > 0 ? HUGE_VAL : -HUGE_VAL);
    }
    // Every reading is far below 1e12: its thousandths are a whole number
    // written with integer digits, rounded as the general conversion rounds
    // (to nearest; the ties have been moved off above). The product v * 1000
    // is rounded once, so the nearest whole number is checked against v
    // exactly: fma gives the sign of v * 1000 - (n +/- 0.5) without rounding
    // it away.
    if (std::abs(v) < 1e12) {
        double n = std::nearbyint(v * 1000.0);
        if (std::fma(v, 1000.0, -(n + 0.5)) > 0.0)
            n += 1.0;
        else if (std::fma(v, 1000.0, -(n - 0.5)) < 0.0)
            n -= 1.0;
        // The sign is the value's: -0.0004 reads "-0.000", as the general
        // conversion writes it.
        if (std::signbit(v))
            *t++ = '-';
        auto milliemes = static_cast<unsigned long long>(std::abs(n));
        const unsigned long long entiers = milliemes / 1000;
        milliemes %= 1000;
        t = std::to_chars(t, t + LONG_VALEUR_MAX, entiers).ptr;
        *t++ = '.';
        return chiffres(t, int(milliemes), 3);
    }
    return std::to_chars(t, t + LONG_VALEUR_MAX, v, std::chars_format::fixed, 3).ptr;
}

namespace {

// The head written at t; null for a year outside 0..9999 or an elapsed
// hour past 99, which take the long way.
char* ecrire_tete(char* t, int numero, const QDate& date, const QTime& heure, bool relatif, int h, int m, int s,
                  int langue)
{
    int an = 0, mois = 0, jour = 0;
    if (date.isValid()) {
        date.getDate(&an, &mois, &jour);
        if (an < 0 || an > 9999)
            return nullptr;
    }
    if (relatif && (h < 0 || h > 99 || m < 0 || m > 99 || s < 0 || s > 99))
        return nullptr;
    char* p = entier_aligne(t, numero, LARGEUR_NUMERO);
    *p++ = ' ';
    if (date.isValid()) {
        // Month first in English, day first in every other language.
        p = chiffres(p, langue == 1 ? mois : jour, 2);
        *p++ = '-';
        p = chiffres(p, langue == 1 ? jour : mois, 2);
        *p++ = '-';
        p = chiffres(p, an, 4);
    }
    *p++ = ' ';
    if (relatif || heure.isValid()) {
        p = chiffres(p, relatif ? h : heure.hour(), 2);
        *p++ = ':';
        p = chiffres(p, relatif ? m : heure.minute(), 2);
        *p++ = ':';
        p = chiffres(p, relatif ? s : heure.second(), 2);
    }
    *p++ = ' ';
    return p;
}

char* ecrire_colonnes(char* p, int nb_grandeurs, double v1, bool indefini1, double v2, bool indefini2)
{
    if (nb_grandeurs == 1) {
        p = indefini1 ? tirets(p, 6, 13) : valeur_colonne(p, v1, 3);
    } else if (nb_grandeurs == 2) {
        p = indefini1 ? tirets(p, 3, 15) : valeur_colonne(p, v1, 5);
        p = indefini2 ? tirets(p, 6, 13) : valeur_colonne(p, v2, 3);
        p = std::fill_n(p, 6, ' ');
    }
    return p;
}

// Room for a head and two values of any size.
constexpr int LONG_LIGNE_ECRITE = 64 + 2 * (LONG_VALEUR_MAX + 8);

} // namespace

QString tete_ligne(int numero, const QDate& date, const QTime& heure, bool relatif,
                   int h, int m, int s, int langue)
{
    char t[64];
    if (char* fin = ecrire_tete(t, numero, date, heure, relatif, h, m, s, langue))
        return QString::fromLatin1(t, fin - t);
    QString jour = date.toString(QStringLiteral("MM-dd-yyyy"));
    if (langue != 1 && jour.size() == 10)
        jour = jour.mid(3, 2) + QLatin1Char('-') + jour.left(2) + jour.mid(5);
    const QString temps = relatif ? QString::asprintf("%02d:%02d:%02d", h, m, s)
                                  : heure.toString(QStringLiteral("hh:mm:ss"));
    return QString::asprintf("%5d ", numero) + jour + QLatin1Char(' ') + temps + QLatin1Char(' ');
}

QString colonnes_ligne(int nb_grandeurs, double v1, bool indefini1, double v2, bool indefini2)
{
    char t[LONG_LIGNE_ECRITE];
    return QString::fromLatin1(t, ecrire_colonnes(t, nb_grandeurs, v1, indefini1, v2, indefini2) - t);
}

int secondes_depuis_minuit(const QTime& heure)
{
    return heure.hour() * 3600 + heure.minute() * 60 + heure.second();
}

double ecoule(double maintenant, double debut)
{
    double e = maintenant - debut;
    if (!std::isfinite(e))
        return 0.0;
    // Same as adding a day while negative, without looping on a bad clock value.
    if (e < 0.0) {
        e = std::fmod(e, 86400.0);
        if (e < 0.0)
            e += 86400.0;
        e += 0.0;  // -0.0 from an exact multiple of a day reads as 0
    }
    return e;
}

void decoupe_hms(double secondes, int& h, int& m, int& s)
{
    h = static_cast<int>(secondes / 3600.0);
    m = static_cast<int>((secondes - 3600.0 * h) / 60.0);
    s = static_cast<int>(secondes - 3600.0 * h - 60.0 * m);
}

// ---- stored readings ------------------------------------------------------------

namespace {

enum : quint8 { RELATIF = 1, MOIS_PREMIER = 2, INDEFINI1 = 4, INDEFINI2 = 8 };

// What a reading keeps besides its values.
struct Horodate {
    qint64 jour = 0;       // Julian day of the date; 0: none
    qint32 secondes = -1;
    quint8 drapeaux = 0;
    quint8 nb_voies = 0;
};

Horodate horodates[NB_RELEVES_MAX];
int nb_ranges = 0;
// Changes whenever a stored reading may have changed; appending one does not.
unsigned generation = 0;
// Lines read from a file that the formatter would not give back, by index.
QHash<int, QString> lignes_lues;

void oublier_apres(int i)
{
    if (i != nb_ranges)
        ++generation;
    nb_ranges = i + 1;
    if (!lignes_lues.isEmpty())
        lignes_lues.remove(i);
}

int deux_chiffres(QStringView t, qsizetype i)
{
    const char16_t a = t[i].unicode(), b = t[i + 1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

// The date field's two leading numbers in the order written and its year;
// false without a date there.
bool nombres_date(QStringView l, int& premier, int& second, int& annee)
{
    if (l.size() < POS_DATE + LARGEUR_DATE || l[POS_DATE + 2] != u'-' || l[POS_DATE + 5] != u'-')
        return false;
    premier = deux_chiffres(l, POS_DATE);
    second = deux_chiffres(l, POS_DATE + 3);
    const int siecle = deux_chiffres(l, POS_DATE + 6), an = deux_chiffres(l, POS_DATE + 8);
    annee = siecle * 100 + an;
    return premier >= 0 && second >= 0 && siecle >= 0 && an >= 0;
}

// Month first (1), day first (0), or undecided (-1), as a date shows it.
int ordre_date(int premier, int second)
{
    if (premier > 12 && second <= 12)
        return 0;
    if (second > 12 && premier <= 12)
        return 1;
    return -1;
}

} // namespace

int secondes_de_ligne(QStringView l, bool horloge)
{
    if (l.size() < POS_HEURE + LARGEUR_HEURE || l[POS_HEURE + 2] != u':' || l[POS_HEURE + 5] != u':')
        return -1;
    const int h = deux_chiffres(l, POS_HEURE), m = deux_chiffres(l, POS_HEURE + 3),
              s = deux_chiffres(l, POS_HEURE + 6);
    if (h < 0 || m < 0 || m > 59 || s < 0 || s > 59 || (horloge && h > 23))
        return -1;
    return h * 3600 + m * 60 + s;
}

namespace {

// The time columns of r: hours, minutes, seconds, and the time of day in
// absolute time (null in relative time or when the time is unknown).
struct Heures {
    QTime heure;
    int h = 0, m = 0, s = 0;
};

Heures heures_de(const Releve& r)
{
    Heures x;
    if (r.secondes >= 0) {
        x.h = r.secondes / 3600;
        x.m = r.secondes / 60 % 60;
        x.s = r.secondes % 60;
        if (!r.relatif)
            x.heure = QTime(x.h % 24, x.m, x.s);
    }
    return x;
}

// The line of r written at t (LONG_LIGNE_ECRITE characters of room); null
// when it takes the long way.
char* ecrire_ligne(char* t, const Releve& r)
{
    const Heures x = heures_de(r);
    char* p = ecrire_tete(t, r.numero, r.date, x.heure, r.relatif, x.h, x.m, x.s, r.mois_premier ? 1 : 0);
    if (!p)
        return nullptr;
    return ecrire_colonnes(p, r.nb_voies, r.valeur[0], r.indefini[0], r.valeur[1], r.indefini[1]);
}

} // namespace

QString ligne_de(const Releve& r)
{
    char t[LONG_LIGNE_ECRITE];
    if (char* fin = ecrire_ligne(t, r))
        return QString::fromLatin1(t, fin - t);
    const Heures x = heures_de(r);
    return tete_ligne(r.numero, r.date, x.heure, r.relatif, x.h, x.m, x.s, r.mois_premier ? 1 : 0) +
           colonnes_ligne(r.nb_voies, r.valeur[0], r.indefini[0], r.valeur[1], r.indefini[1]);
}

int nb_releves_ranges()
{
    return nb_ranges;
}

unsigned generation_releves()
{
    return generation;
}

Releve releve(int i)
{
    Releve r;
    if (i < 0 || i >= nb_ranges)
        return r;
    const Horodate& h = horodates[i];
    r.numero = i + 1;
    if (h.jour != 0)
        r.date = QDate::fromJulianDay(h.jour);
    r.secondes = h.secondes;
    r.relatif = h.drapeaux & RELATIF;
    r.mois_premier = h.drapeaux & MOIS_PREMIER;
    r.nb_voies = h.nb_voies <= 2 ? h.nb_voies : 0;
    r.valeur[0] = point[1][i];
    r.valeur[1] = point[2][i];
    r.indefini[0] = h.drapeaux & INDEFINI1;
    r.indefini[1] = h.drapeaux & INDEFINI2;
    return r;
}

QString ligne_releve(int i)
{
    if (i < 0 || i >= nb_ranges)
        return {};
    if (!lignes_lues.isEmpty()) {
        const auto l = lignes_lues.constFind(i);
        if (l != lignes_lues.cend())
            return *l;
    }
    return ligne_de(releve(i));
}

void ajouter_ligne_releve(QByteArray& sortie, int i)
{
    if (i < 0 || i >= nb_ranges)
        return;
    if (!lignes_lues.isEmpty()) {
        const auto l = lignes_lues.constFind(i);
        if (l != lignes_lues.cend()) {
            sortie += l->toLatin1();
            return;
        }
    }
    const Releve r = releve(i);
    char t[LONG_LIGNE_ECRITE];
    if (const char* fin = ecrire_ligne(t, r))
        sortie.append(t, fin - t);
    else
        sortie += ligne_de(r).toLatin1();
}

QString ranger_releve(int i, const QDateTime& instant, double ecart)
{
    if (i < 0 || i >= NB_RELEVES_MAX)
        return {};
    Horodate& h = horodates[i];
    const bool relatif = Acq.temps_relatif == 1;
    h.jour = instant.date().isValid() ? instant.date().toJulianDay() : 0;
    if (relatif) {
        int hh = 0, mm = 0, ss = 0;
        decoupe_hms(ecart, hh, mm, ss);
        h.secondes = hh * 3600 + mm * 60 + ss;
    } else {
        h.secondes = secondes_depuis_minuit(instant.time());
    }
    h.drapeaux = quint8((relatif ? RELATIF : 0) | (langue == 1 ? MOIS_PREMIER : 0) |
                        (Donnee[1].indefini != 0 ? INDEFINI1 : 0) | (Donnee[2].indefini != 0 ? INDEFINI2 : 0));
    h.nb_voies = quint8(std::clamp(compteur_grandeur, 0, 3));
    oublier_apres(i);
    return ligne_releve(i);
}

void ranger_releves_lus(const QStringList& lignes, int n, const std::array<std::vector<double>, 2>& valeurs,
                        int nb_voies, bool relatif, bool mois_premier)
{
    vider_releves();
    n = std::clamp(n, 0, std::min<int>(NB_RELEVES_MAX, int(lignes.size())));
    // The lines' own order where one of them tells, as a spreadsheet reads them.
    int ordre = -1;
    for (int j = 0; j < n && ordre < 0; ++j) {
        int a = 0, b = 0, annee = 0;
        if (nombres_date(lignes[j], a, b, annee))
            ordre = ordre_date(a, b);
    }
    if (ordre < 0)
        ordre = mois_premier ? 1 : 0;
    for (int j = 0; j < n; ++j) {
        const QString& l = lignes[j];
        Horodate& h = horodates[j];
        h = Horodate();
        int a = 0, b = 0, annee = 0;
        bool premier_mois = ordre == 1;
        if (nombres_date(l, a, b, annee)) {
            const int o = ordre_date(a, b);
            if (o >= 0)
                premier_mois = o == 1;
            const QDate d = premier_mois ? QDate(annee, a, b) : QDate(annee, b, a);
            h.jour = d.isValid() ? d.toJulianDay() : 0;
        }
        h.secondes = secondes_de_ligne(l, !relatif);
        quint8 f = quint8((relatif ? RELATIF : 0) | (premier_mois ? MOIS_PREMIER : 0));
        for (int k = 0; k < 2; ++k) {
            const std::vector<double>& v = valeurs[std::size_t(k)];
            if (k < nb_voies && (std::size_t(j) >= v.size() || std::isnan(v[std::size_t(j)])))
                f |= k == 0 ? INDEFINI1 : INDEFINI2;
        }
        h.drapeaux = f;
        h.nb_voies = quint8(std::clamp(nb_voies, 0, 3));
        nb_ranges = j + 1;
        const Releve x = releve(j);
        char t[LONG_LIGNE_ECRITE];
        const char* const fin = ecrire_ligne(t, x);
        if (fin ? QLatin1StringView(t, fin - t) != l : ligne_de(x) != l)
            lignes_lues.insert(j, l);
    }
    nb_ranges = n;
}

void vider_releves()
{
    ++generation;
    nb_ranges = 0;
    lignes_lues.clear();
}
