#include "acquisition/ligne.h"

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
