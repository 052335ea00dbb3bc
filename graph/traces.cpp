#include "graph/traces.h"

#include "graph/panneaux.h"

#include <QPointer>
#include <qcustomplot.h>

#include <map>

namespace {

// One of `graphe` and `texte` is set.
struct Trace {
    int panel;
    QPointer<QCPGraph> graphe;
    QPointer<QCPItemText> texte;
};

bool vivant(const Trace& t)
{
    return t.graphe || t.texte;
}

void oublier_traces(int panel);

std::map<int, Trace>& traces()
{
    static std::map<int, Trace> t;
    static const bool inscrit =
        (tk::inscrire_registre({oublier_traces, [] { return traces().size(); }}), true);
    (void)inscrit;
    return t;
}

// The curves and texts of a discarded panel go with it.
void oublier_traces(int panel)
{
    std::erase_if(traces(), [panel](const auto& e) { return e.second.panel == panel; });
}

int prochain = 1;

QCustomPlot* graphe_de(int panel)
{
    if (!tk::panel_valide(panel) || tk::type_panel(panel) != PNL_GRAPHE)
        return nullptr;
    return liaison<PnlGraphe>(panel).graphe;
}

int ajouter(int panel, QCPGraph* g, int couleur)
{
    g->setPen(QPen(tk::couleur(couleur), 1.0));
    g->setLineStyle(QCPGraph::lsLine);
    g->setScatterStyle(QCPScatterStyle::ssNone);
    g->setAdaptiveSampling(true);
    int h = prochain++;
    g->setProperty(PROPRIETE_TRACE, h);
    traces()[h] = Trace{panel, g, nullptr};
    g->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
    return h;
}

} // namespace

int PlotXY(int panel, const int* x, const double* y, int n, int couleur)
{
    QCustomPlot* p = graphe_de(panel);
    if (!p)
        return 0;
    auto* g = p->addGraph();
    QSharedPointer<QCPGraphDataContainer> donnees(new QCPGraphDataContainer);
    QVector<QCPGraphData> points(n > 0 ? n : 0);
    for (int i = 0; i < n; ++i)
        points[i] = QCPGraphData(x[i], y[i]);
    donnees->set(points, true);
    g->setData(donnees);
    return ajouter(panel, g, couleur);
}

int prolonger_trace(int panel, int handle, const int* x, const double* y, int n, int couleur)
{
    auto it = traces().find(handle);
    if (it == traces().end() || it->second.panel != panel || !it->second.graphe || n < 1)
        return 0;
    QCPGraph* g = it->second.graphe;
    auto donnees = g->data();
    bool prefixe = donnees->size() == n - 1 &&
                   (n == 1 || ((donnees->constEnd() - 1)->key == x[n - 2] && (donnees->constEnd() - 1)->value == y[n - 2]));
    if (prefixe) {
        donnees->add(QCPGraphData(x[n - 1], y[n - 1]));
    } else {
        QVector<QCPGraphData> points(n);
        for (int i = 0; i < n; ++i)
            points[i] = QCPGraphData(x[i], y[i]);
        donnees->set(points, true);
    }
    g->setPen(QPen(tk::couleur(couleur), 1.0));
    g->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
    return handle;
}

int PlotLine(int panel, double x1, double y1, double x2, double y2, int couleur)
{
    QCustomPlot* p = graphe_de(panel);
    if (!p)
        return 0;
    auto* g = p->addGraph();
    g->setData(QVector<double>{x1, x2}, QVector<double>{y1, y2}, true);
    return ajouter(panel, g, couleur);
}

int PlotText(int panel, double x, double y, const QString& texte, const QFont& police, int couleur)
{
    QCustomPlot* p = graphe_de(panel);
    if (!p)
        return 0;
    auto* item = new QCPItemText(p);
    item->setSelectable(false);
    item->setPositionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    item->setTextAlignment(Qt::AlignLeft);
    item->setPadding(QMargins(3, 0, 0, 0));
    item->setFont(police);
    item->setColor(tk::couleur(couleur));
    item->setBrush(Qt::NoBrush);
    item->setPen(Qt::NoPen);
    item->setText(texte);
    item->position->setType(QCPItemPosition::ptPlotCoords);
    item->position->setCoords(x, y);
    int h = prochain++;
    item->setProperty(PROPRIETE_TRACE, h);
    traces()[h] = Trace{panel, nullptr, item};
    p->replot(QCustomPlot::rpQueuedReplot);
    return h;
}

namespace {

void retirer(const Trace& t)
{
    if (QCPGraph* g = t.graphe) {
        QCustomPlot* p = g->parentPlot();
        p->removeGraph(g);
        p->replot(QCustomPlot::rpQueuedReplot);
    } else if (QCPItemText* item = t.texte) {
        QCustomPlot* p = item->parentPlot();
        p->removeItem(item);
        p->replot(QCustomPlot::rpQueuedReplot);
    }
}

} // namespace

void DeleteGraphPlot(int panel, int handle)
{
    auto it = traces().find(handle);
    if (it == traces().end() || it->second.panel != panel)
        return;
    retirer(it->second);
    traces().erase(it);
}

void supprimer_traces(int panel)
{
    for (auto it = traces().begin(); it != traces().end();) {
        if (it->second.panel == panel) {
            retirer(it->second);
            it = traces().erase(it);
        } else {
            ++it;
        }
    }
    if (QCustomPlot* p = graphe_de(panel)) {
        p->clearGraphs();
        p->replot(QCustomPlot::rpQueuedReplot);
    }
}

bool trace_existe(int handle)
{
    auto it = traces().find(handle);
    return it != traces().end() && vivant(it->second);
}

QCPGraph* graphe_trace(int panel, int handle)
{
    auto it = traces().find(handle);
    if (it == traces().end() || it->second.panel != panel)
        return nullptr;
    return it->second.graphe;
}

