#include "graph/defilement.h"

#include "graph/panneaux.h"
#include "graph/axe_temps.h"

#include <qcustomplot.h>

#include <QPointer>
#include <QScrollBar>

#include <array>
#include <map>

namespace {

struct Etat {
    int valeur = 0, vue = 150, minimum = 0, maximum = 30000;
    bool proportionnel = true;
    DefilementCallback cb = nullptr;
    bool maj = false; // the program is moving the bar: no callback
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

// The widget's own range excludes the view: its thumb then spans `vue`.
void appliquer(int panel, Etat& e)
{
    QScrollBar* b = liaison<PnlGraphe>(panel).defilement;
    e.maj = true;
    b->setRange(e.minimum, e.maximum);
    b->setPageStep(e.proportionnel ? std::max(1, e.vue) : 1);
    b->setSingleStep(std::max(1, e.vue / 10));
    b->setValue(e.valeur);
    e.maj = false;
}

// Space kept between two time labels.
constexpr double ECART_ETIQUETTES = 8.0;

// The five time labels, fewer when the axis is too short for them to stand
// apart. The axis length comes from the plot's present width less the
// margins of the last layout: the axis rect itself is laid out only after
// the ticks are made, and would still have the size before a resize.
class EtiquettesTemps : public QCPAxisTickerText {
public:
    explicit EtiquettesTemps(QCPAxis* axe) : axe_(axe) {}

    void generate(const QCPRange& r, const QLocale& locale, QChar format, int precision, QVector<double>& ticks,
                  QVector<double>* sous, QVector<QString>* textes) override
    {
        QCPAxisTickerText::generate(r, locale, format, precision, ticks, sous, textes);
        if (!axe_ || !textes || ticks.size() != 5 || textes->size() != 5 || !(r.size() > 0.0))
            return;
        QCPAxisRect* cadre = axe_->axisRect();
        const QMargins m = cadre->margins();
        const double longueur = axe_->parentPlot()->viewport().width() - m.left() - m.right();
        const QFontMetrics fm(axe_->tickLabelFont());
        std::array<double, 5> centres{}, largeurs{};
        for (int i = 0; i < 5; ++i) {
            centres[std::size_t(i)] = (ticks[i] - r.lower) / r.size() * longueur;
            largeurs[std::size_t(i)] = fm.horizontalAdvance(textes->at(i));
        }
        const std::vector<int> gardees = etiquettes_lisibles(centres, largeurs, ECART_ETIQUETTES);
        QVector<double> t;
        QVector<QString> x;
        for (int i : gardees) {
            t.append(ticks[i]);
            x.append(textes->at(i));
        }
        ticks = t;
        *textes = x;
    }

private:
    QPointer<QCPAxis> axe_;
};

} // namespace

void ScrollBar_ConvertFromGraph(int panel, DefilementCallback cb)
{
    Etat& e = etats()[panel] = Etat{};
    e.cb = cb;
    QScrollBar* b = liaison<PnlGraphe>(panel).defilement;
    b->setTracking(true);
    QObject::connect(b, &QScrollBar::actionTriggered, b, [panel, b](int action) {
        auto it = etats().find(panel);
        if (it == etats().end())
            return;
        // The action is applied after this signal: read the position it will take.
        it->second.valeur = b->sliderPosition();
        if (it->second.cb && !it->second.maj)
            it->second.cb(panel, 0, action >= 1 && action <= 6 ? action : 6, nullptr, 0, 0);
    });
    appliquer(panel, e);
}

int ScrollBar_SetAttribute(int panel, AttributDefilement a, int v)
{
    auto it = etats().find(panel);
    if (it == etats().end())
        return -1;
    Etat& e = it->second;
    QScrollBar* b = liaison<PnlGraphe>(panel).defilement;
    switch (a) {
    case SB_VALEUR:
        e.valeur = std::clamp(v, e.minimum, e.maximum);
        break;
    case SB_TAILLE_VUE:
        e.vue = std::max(0, v);
        break;
    case SB_MINIMUM:
        if (v >= e.maximum)
            return -1;
        e.minimum = v;
        e.valeur = std::max(e.valeur, v);
        break;
    case SB_MAXIMUM:
        if (v <= e.minimum)
            return -1;
        e.maximum = v;
        e.valeur = std::min(e.valeur, v);
        break;
    case SB_LARGEUR:
        b->resize(v, b->height());
        return 0;
    case SB_HAUTEUR:
        b->resize(b->width(), v);
        return 0;
    case SB_CURSEUR_PROPORTIONNEL:
        e.proportionnel = v != 0;
        break;
    }
    appliquer(panel, e);
    return 0;
}

int ScrollBar_GetAttribute(int panel, AttributDefilement a)
{
    auto it = etats().find(panel);
    if (it == etats().end())
        return 0;
    const Etat& e = it->second;
    QScrollBar* b = liaison<PnlGraphe>(panel).defilement;
    switch (a) {
    case SB_VALEUR: return e.valeur;
    case SB_TAILLE_VUE: return e.vue;
    case SB_MINIMUM: return e.minimum;
    case SB_MAXIMUM: return e.maximum;
    case SB_LARGEUR: return b->width();
    case SB_HAUTEUR: return b->height();
    case SB_CURSEUR_PROPORTIONNEL: return e.proportionnel;
    }
    return 0;
}

int ScrollBarCallback(int panel, int, int event, void*, int, int)
{
    if (event < 1 || event > 6 || grafic < 0)
        return 0;
    maj_axe_x(panel);
    return 0;
}

void maj_axe_x(int panel)
{
    if (panel <= 0 || !tk::panel_valide(panel) || tk::type_panel(panel) != PNL_GRAPHE)
        return;
    int v = ScrollBar_GetAttribute(panel, SB_VALEUR);
    int V = ScrollBar_GetAttribute(panel, SB_TAILLE_VUE);
    int M = ScrollBar_GetAttribute(panel, SB_MAXIMUM);
    int lo = 0, hi = 0;
    plage_x(v, V, M, lo, hi);
    QCustomPlot* g = liaison<PnlGraphe>(panel).graphe;
    g->xAxis->setRange(lo, hi);
    QCPRange r = g->xAxis->range();

    // Five labels at most, written as elapsed time (or reading number).
    QSharedPointer<QCPAxisTickerText> etiquettes(new EtiquettesTemps(g->xAxis));
    auto exactes = positions_exactes(r.lower, r.upper);
    auto positions = positions_etiquettes(r.lower, r.upper);
    for (int i = 0; i < 5; ++i)
        etiquettes->addTick(positions[i], texte_etiquette(exactes[i], periode_axe()));
    g->xAxis->setTicker(etiquettes);
    g->replot(QCustomPlot::rpQueuedReplot);
}
