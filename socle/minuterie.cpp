#include "socle/minuterie.h"

#include <QTimer>

#include <algorithm>

namespace {

struct Minuterie {
    QTimer* timer = nullptr;
    TickCallback cb = nullptr;
    double intervalle = 0.5;
    bool actif = false;
};

Minuterie& m()
{
    static Minuterie x;
    if (!x.timer) {
        x.timer = new QTimer;
        x.timer->setTimerType(Qt::PreciseTimer);
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
    bool tourne = x.actif && x.intervalle >= 0.001;
    if (!tourne) {
        x.timer->stop();
        return;
    }
    // Beyond a day the count of milliseconds would overflow the timer's
    // interval; no period the program offers comes near it.
    constexpr double MS_MAX = 86400.0 * 1000.0;
    x.timer->start(static_cast<int>(std::min(x.intervalle * 1000.0, MS_MAX) + 0.5));
}

} // namespace

void fixer_callback_minuterie(TickCallback cb)
{
    m().cb = cb;
}

void fixer_intervalle_minuterie(double secondes)
{
    m().intervalle = secondes;
    if (m().actif)
        appliquer();
}

double intervalle_minuterie()
{
    return m().intervalle;
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

int attente_minuterie_ms()
{
    return m().timer->isActive() ? m().timer->interval() : 0;
}

int reste_minuterie_ms()
{
    return m().timer->remainingTime();
}
