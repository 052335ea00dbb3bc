#include "acquisition/ligne.h"

#include "socle/globals.h"

#include <QHash>

#include <algorithm>
#include <cmath>

QString tete_ligne(int numero, const QDate& date, const QTime& heure, bool relatif,
                   int h, int m, int s, int langue)
{
    QString jour = date.toString(QStringLiteral("MM-dd-yyyy"));
    // Day first in every language but English: exchange the month and day digits.
    if (langue != 1 && jour.size() == 10)
        jour = jour.mid(3, 2) + QLatin1Char('-') + jour.left(2) + jour.mid(5);
    const QString temps = relatif
        ? QString::asprintf("%02d:%02d:%02d", h, m, s)
        : heure.toString(QStringLiteral("hh:mm:ss"));
    return QString::asprintf("%5d ", numero) + jour + QLatin1Char(' ') + temps + QLatin1Char(' ');
}

QString colonnes_ligne(int nb_grandeurs, double v1, bool indefini1, double v2, bool indefini2)
{
    if (nb_grandeurs == 1)
        return indefini1 ? QStringLiteral("      ----").leftJustified(13)
                         : QString::asprintf(" %9.3f   ", v1);
    if (nb_grandeurs == 2) {
        QString ligne = indefini1 ? QStringLiteral("   ----").leftJustified(15)
                                  : QString::asprintf(" %9.3f     ", v1);
        ligne += indefini2 ? QStringLiteral("      ----").leftJustified(13)
                           : QString::asprintf(" %9.3f   ", v2);
        return ligne + QStringLiteral("      ");
    }
    return {};
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
// Lines read from a file that the formatter would not give back, by index.
QHash<int, QString> lignes_lues;

void oublier_apres(int i)
{
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

QString ligne_de(const Releve& r)
{
    QTime heure;
    int h = 0, m = 0, s = 0;
    if (r.secondes >= 0) {
        h = r.secondes / 3600;
        m = r.secondes / 60 % 60;
        s = r.secondes % 60;
        if (!r.relatif)
            heure = QTime(h % 24, m, s);
    }
    return tete_ligne(r.numero, r.date, heure, r.relatif, h, m, s, r.mois_premier ? 1 : 0) +
           colonnes_ligne(r.nb_voies, r.valeur[0], r.indefini[0], r.valeur[1], r.indefini[1]);
}

int nb_releves_ranges()
{
    return nb_ranges;
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
        if (ligne_de(releve(j)) != l)
            lignes_lues.insert(j, l);
    }
    nb_ranges = n;
}

void vider_releves()
{
    nb_ranges = 0;
    lignes_lues.clear();
}
