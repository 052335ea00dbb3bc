#include "acquisition/intervalle.h"

#include "socle/globals.h"
#include "lang/langue.h"
#include "lang/textes.h"

int check = 0;
char s1[20] = {};

namespace {

constexpr long long SECONDES_JOUR = 86400;
constexpr double QUATRE_JOURS = 4.0 * SECONDES_JOUR;
constexpr int JOURS_AVEC_HEURES = 10;    // up to 10 days the capacity still shows the hours
constexpr int LONGUEUR_DUREE = 12;       // "DDD hh:mm:ss"

} // namespace

double capacite_periode(int periode)
{
    if (periode < 0)
        return 0.0;
    if (periode == 0)
        return NB_RELEVES_MAX / 2.0;
    return double(NB_RELEVES_MAX) * periode;
}

QString texte_capacite(double secondes)
{
    const long long v = static_cast<long long>(secondes);
    const auto deux = [](long long x) { return QStringLiteral("%1").arg(x, 2, 10, QLatin1Char('0')); };
    if (secondes < QUATRE_JOURS) {
        const long long reste = v % 3600;
        return deux(v / 3600) + ':' + deux(reste / 60) + ':' + deux(reste % 60);
    }
    const long long jours = v / SECONDES_JOUR;
    const long long heures = (v % SECONDES_JOUR) / 3600;
    const QString j = qtxt(tx::jour);
    if (jours <= JOURS_AVEC_HEURES)
        return QString::number(jours) + j + ' ' + deux(heures) + QStringLiteral(":00");
    return QString::number(jours) + j;
}

ControleDuree controler_duree(const QString& t, int periode, double capacite)
{
    const auto chiffre = [&t](int i, char max) { return t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char(max); };
    if (t.size() != LONGUEUR_DUREE || t[3] != QLatin1Char(' ') || t[6] != QLatin1Char(':') ||
        t[9] != QLatin1Char(':'))
        return {MSG_SAISIE, 0};
    for (int i : {0, 1, 2, 4, 5, 8, 11})
        if (!chiffre(i, '9'))
            return {MSG_SAISIE, 0};
    if (!chiffre(7, '5') || !chiffre(10, '5'))
        return {MSG_SAISIE, 0};

    const long long total = t.mid(0, 3).toLongLong() * SECONDES_JOUR + t.mid(4, 2).toLongLong() * 3600 +
                            t.mid(7, 2).toLongLong() * 60 + t.mid(10, 2).toLongLong();
    // Zero would reach the cycle as "no limit" while the box says otherwise.
    if (total == 0)
        return {MSG_SAISIE, 0};
    if (periode < 0 || double(total) > capacite)
        return {MSG_COMMANDE_IMPOSSIBLE, 0};
    const long long n = periode == 0 ? total * 2 : total / periode;
    // Shorter than one period: the count would be 0, which also means no limit.
    if (n < 1)
        return {MSG_COMMANDE_IMPOSSIBLE, 0};
    return {0, static_cast<int>(n)};
}
