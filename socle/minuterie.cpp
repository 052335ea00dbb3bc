#include "socle/minuterie.h"

#include <QTimer>

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
    x.timer->start(static_cast<int>(x.intervalle * 1000.0 + 0.5));
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
