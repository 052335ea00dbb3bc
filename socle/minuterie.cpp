#include "socle/minuterie.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

struct Minuterie {
    QPointer<QTimer> timer;
    TickCallback cb = nullptr;
    double intervalle = 0.5;
    bool actif = false;
};

Minuterie& m()
{
    static Minuterie x;
    if (!x.timer) {
        // Held by the application under a name, so that it goes with it and
        // can be found like any other of its objects.
        x.timer = new QTimer(QCoreApplication::instance());
        x.timer->setObjectName(QStringLiteral("minuterie_acquisition"));
        x.timer->setTimerType(Qt::PreciseTimer);
        x.timer->setInterval(500);
        QObject::connect(x.timer, &QTimer::timeout, [] {
            if (m().cb)
                m().cb();
        });
    }
    return x;
}

void appliquer()
{
    Minuterie& x = m();
    // Beyond a day the count of milliseconds would overflow the timer's
    // interval; no period the program offers comes near it.
    constexpr double MS_MAX = 86400.0 * 1000.0;
    x.timer->setInterval(static_cast<int>(std::min(std::max(x.intervalle, 0.0) * 1000.0, MS_MAX) + 0.5));
    bool tourne = x.actif && x.intervalle >= 0.001;
    if (!tourne) {
        x.timer->stop();
        return;
    }
    x.timer->start();
}

} // namespace

void fixer_callback_minuterie(TickCallback cb)
{
    m().cb = cb;
}

void fixer_intervalle_minuterie(double secondes)
{
    m().intervalle = secondes;
    appliquer();
}

void activer_minuterie(bool actif)
{
    if (m().actif == actif)
        return;
    m().actif = actif;
    appliquer();
}

bool minuterie_active()
{
    return m().actif;
}

void ResetTimer()
{
    appliquer();
}

double intervalle_periode(int periode)
{
    return periode == 0 ? 0.5 : double(periode);
}
