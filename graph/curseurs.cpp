#include "graph/curseurs.h"

#include "graph/traces.h"
#include "socle/globals.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <qcustomplot.h>

#include <cmath>
#include <map>

namespace {

constexpr double PROCHE_PIXELS = 6.0;  // a press this close to a delta cursor drags it

struct Etat {
    CurseurCallback cb = nullptr;
    int n = 1;
    int trace = 0;   // curve under cursor 1, 0 none
    int index = -1;  // its point, -1 none
    QPointer<QCPItemStraightLine> ligne;
    QPointer<QCPItemTracer> marque;
    QPointer<QCPItemTracer> delta[2];
    int couleur[3] = {0x0000FF, 0xFF0000, 0x008000};
    int tire = 0;    // cursor being dragged, 0 none
};

std::map<int, Etat>& etats()
{
    static std::map<int, Etat> e;
    static const bool inscrit = (tk::inscrire_registre({[](int panel) { etats().erase(panel); },
                                                        [] { return etats().size(); }}),
                                 true);
    (void)inscrit;
    return e;
}

Etat* etat(int panel)
{
    auto it = etats().find(panel);
    if (it == etats().end() || !tk::panel_valide(panel) || tk::type_panel(panel) != PNL_GRAPHE)
        return nullptr;
    return &it->second;
}

QCustomPlot* graphe(int panel)
{
    return liaison<PnlGraphe>(panel).graphe;
}

QPen plume(int rgb, Qt::PenStyle style)
{
    return QPen(tk::couleur(rgb), 1.0, style);
}

void peindre(Etat& e)
{
    if (e.ligne)
        e.ligne->setPen(plume(e.couleur[0], Qt::SolidLine));
    if (e.marque) {
        e.marque->setPen(plume(e.couleur[0], Qt::SolidLine));
        e.marque->setBrush(tk::couleur(e.couleur[0]));
    }
    for (int i = 0; i < 2; ++i)
        if (e.delta[i])
            e.delta[i]->setPen(plume(e.couleur[i + 1], Qt::DashLine));
}

// Cursor 1 shows only while it sits on a point.
void montrer_curseur1(int panel, Etat& e)
{
    QCPGraph* g = graphe_trace(panel, e.trace);
    const bool visible = g && e.index >= 0 && e.index < g->data()->size();
    if (visible) {
        const double x = (g->data()->constBegin() + e.index)->key;
        const double y = (g->data()->constBegin() + e.index)->value;
        e.ligne->point1->setCoords(x, 0.0);
        e.ligne->point2->setCoords(x, 1.0);
        e.marque->position->setCoords(x, y);
    }
    e.ligne->setVisible(visible);
    e.marque->setVisible(visible);
    graphe(panel)->replot(QCustomPlot::rpQueuedReplot);
}

// The curve cursor 1 belongs on: its own while it lives, else the curve of
// the channel shown in this window.
int courbe_du_panel(int panel, const Etat& e)
{
    if (graphe_trace(panel, e.trace))
        return e.trace;
    for (int k = 1; k < NB_VOIES_TABLE; ++k) {
        int w = Donnee[k].num_fenetre;
        if (w >= 1 && w < NB_FENETRES && Info[w].panel == panel && graphe_trace(panel, Donnee[k].trace))
            return Donnee[k].trace;
    }
    return 0;
}

// Index of the point of `g` whose key is nearest x; -1 for an empty curve.
int point_proche(QCPGraph* g, double x)
{
    auto d = g->data();
    if (d->isEmpty())
        return -1;
    auto it = d->findBegin(x, false);  // first key >= x
    if (it == d->constEnd())
        return d->size() - 1;
    int i = static_cast<int>(it - d->constBegin());
    if (i > 0 && x - (it - 1)->key <= it->key - x)
        --i;
    return i;
}

void signaler(int panel, Etat& e)
{
    if (e.cb)
        e.cb(panel, 0, EVENT_COMMIT, nullptr, 0, 0);
}

class Souris : public QObject {
public:
    Souris(int panel, QObject* parent) : QObject(parent), panel_(panel) {}

protected:
    bool eventFilter(QObject* o, QEvent* ev) override
    {
        Etat* e = etat(panel_);
        if (!e)
            return false;
        QCustomPlot* p = static_cast<QCustomPlot*>(o);
        switch (ev->type()) {
        case QEvent::MouseButtonPress: {
            auto* m = static_cast<QMouseEvent*>(ev);
            if (m->button() != Qt::LeftButton || Acq.en_cours || !p->axisRect()->rect().contains(m->pos()))
                return false;
            p->setFocus(Qt::MouseFocusReason);
            e->tire = 1;
            for (int i = 0; e->n > 1 && i < 2; ++i)
                if (e->delta[i]) {
                    QPointF c = e->delta[i]->position->pixelPosition();
                    if (std::fabs(c.x() - m->position().x()) <= PROCHE_PIXELS ||
                        std::fabs(c.y() - m->position().y()) <= PROCHE_PIXELS)
                        e->tire = i + 2;
                }
            deplacer(p, *e, m->position());
            return true;
        }
        case QEvent::MouseMove:
            if (e->tire) {
                deplacer(p, *e, static_cast<QMouseEvent*>(ev)->position());
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (e->tire && static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
                e->tire = 0;
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(ev);
            switch (k->key()) {
            case Qt::Key_Left: pas_curseur1(panel_, -1); return true;
            case Qt::Key_Right: pas_curseur1(panel_, 1); return true;
            case Qt::Key_Home: pas_curseur1(panel_, -NB_RELEVES_MAX); return true;
            case Qt::Key_End: pas_curseur1(panel_, NB_RELEVES_MAX); return true;
            default: return false;
            }
        }
        default:
            return false;
        }
    }

private:
    void deplacer(QCustomPlot* p, Etat& e, QPointF pos)
    {
        const double x = p->xAxis->pixelToCoord(pos.x());
        if (e.tire == 1) {
            glisser_curseur1(panel_, x);
            return;
        }
        fixer_position_curseur(panel_, e.tire, x, p->yAxis->pixelToCoord(pos.y()));
        signaler(panel_, e);
    }

    int panel_;
};

} // namespace

void installer_curseurs(int panel, CurseurCallback cb)
{
    Etat& e = etats()[panel] = Etat{};
    e.cb = cb;
    QCustomPlot* p = graphe(panel);
    e.ligne = new QCPItemStraightLine(p);
    e.ligne->setObjectName(QStringLiteral("curseur1"));
    e.marque = new QCPItemTracer(p);
    e.marque->setStyle(QCPItemTracer::tsCircle);
    e.marque->setSize(7);
    e.ligne->setSelectable(false);
    e.marque->setSelectable(false);
    e.ligne->setVisible(false);
    e.marque->setVisible(false);
    peindre(e);
    p->setFocusPolicy(Qt::StrongFocus);
    p->installEventFilter(new Souris(panel, p));
}

int nb_curseurs(int panel)
{
    Etat* e = etat(panel);
    return e ? e->n : 0;
}

void fixer_nb_curseurs(int panel, int n)
{
    Etat* e = etat(panel);
    if (!e || (n != 1 && n != 3) || n == e->n)
        return;
    QCustomPlot* p = graphe(panel);
    e->n = n;
    for (int i = 0; i < 2; ++i) {
        QPointer<QCPItemTracer>& d = e->delta[i];
        if (n == 1) {
            if (d)
                p->removeItem(d);
            d = nullptr;
        } else {
            d = new QCPItemTracer(p);
            d->setObjectName(QStringLiteral("curseur%1").arg(i + 2));
            d->setStyle(QCPItemTracer::tsCrosshair);
            d->setSelectable(false);
            d->position->setCoords(p->xAxis->range().center(), p->yAxis->range().center());
        }
    }
    peindre(*e);
    p->replot(QCustomPlot::rpQueuedReplot);
}

bool point_curseur1(int panel, int& trace, int& index)
{
    Etat* e = etat(panel);
    if (!e)
        return false;
    QCPGraph* g = graphe_trace(panel, e->trace);
    if (!g || e->index < 0 || e->index >= g->data()->size())
        return false;
    trace = e->trace;
    index = e->index;
    return true;
}

bool placer_curseur1(int panel, int trace, int index)
{
    Etat* e = etat(panel);
    if (!e)
        return false;
    QCPGraph* g = graphe_trace(panel, trace);
    if (!g || g->data()->isEmpty())
        return false;
    e->trace = trace;
    e->index = std::clamp(index, 0, g->data()->size() - 1);
    montrer_curseur1(panel, *e);
    return true;
}

void oublier_curseur1(int panel)
{
    Etat* e = etat(panel);
    if (!e)
        return;
    e->trace = 0;
    e->index = -1;
    montrer_curseur1(panel, *e);
}

void position_curseur(int panel, int c, double& x, double& y)
{
    Etat* e = etat(panel);
    x = y = 0.0;
    if (!e)
        return;
    if (c == 1) {
        if (e->marque && e->marque->visible()) {
            x = e->marque->position->coords().x();
            y = e->marque->position->coords().y();
        }
    } else if ((c == 2 || c == 3) && e->delta[c - 2]) {
        x = e->delta[c - 2]->position->coords().x();
        y = e->delta[c - 2]->position->coords().y();
    }
}

void fixer_position_curseur(int panel, int c, double x, double y)
{
    Etat* e = etat(panel);
    if (!e || (c != 2 && c != 3) || !e->delta[c - 2])
        return;
    e->delta[c - 2]->position->setCoords(x, y);
    graphe(panel)->replot(QCustomPlot::rpQueuedReplot);
}

void couleur_curseur(int panel, int c, int rgb)
{
    Etat* e = etat(panel);
    if (!e || c < 1 || c > 3)
        return;
    e->couleur[c - 1] = rgb;
    peindre(*e);
    graphe(panel)->replot(QCustomPlot::rpQueuedReplot);
}

void glisser_curseur1(int panel, double x)
{
    Etat* e = etat(panel);
    if (!e || Acq.en_cours)
        return;
    int t = courbe_du_panel(panel, *e);
    QCPGraph* g = graphe_trace(panel, t);
    if (!g)
        return;
    int i = point_proche(g, x);
    if (i < 0)
        return;
    e->trace = t;
    e->index = i;
    montrer_curseur1(panel, *e);
    signaler(panel, *e);
}

void pas_curseur1(int panel, int pas)
{
    Etat* e = etat(panel);
    if (!e || Acq.en_cours)
        return;
    int t = courbe_du_panel(panel, *e);
    QCPGraph* g = graphe_trace(panel, t);
    if (!g || g->data()->isEmpty())
        return;
    int depart = t == e->trace && e->index >= 0 ? e->index : 0;
    long long i = static_cast<long long>(depart) + pas;
    e->trace = t;
    e->index = static_cast<int>(std::clamp<long long>(i, 0, g->data()->size() - 1));
    montrer_curseur1(panel, *e);
    signaler(panel, *e);
}
