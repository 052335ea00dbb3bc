#include "graph/courbes.h"

#include "acquisition/modele.h"

#include "link/registres.h"
#include "socle/globals.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/dialogue.h"
#include "graph/traces.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double INRUSH_SEUIL = 5.0;

// The curve drawn for each channel by tracer_courbe, so that the Y autoscale
// looks at the readings and not at the limit lines sharing the graph.
struct Courbe {
    int handle = 0;
    QPointer<QCPGraph> graphe;
};
std::array<Courbe, NB_VOIES_TABLE> courbes;

bool voie_valide(int voie)
{
    return voie >= 1 && voie < NB_VOIES_TABLE;
}

bool code_valide(int c)
{
    return c >= 1 && c < 15;
}

QCustomPlot* graphe_panel(int panel)
{
    if (!tk::panel_valide(panel) || tk::type_panel(panel) != PNL_GRAPHE)
        return nullptr;
    return liaison<PnlGraphe>(panel).graphe;
}

// Graph of window w (1..), null when w is not an open graph window.
QCustomPlot* graphe_fenetre(int w)
{
    if (w < 1 || w >= NB_FENETRES)
        return nullptr;
    return graphe_panel(Info[w].panel);
}

void axe_manuel(QCustomPlot* g, double lo, double hi)
{
    if (!g)
        return;
    g->yAxis->setRange(lo, hi);
    g->replot(QCustomPlot::rpQueuedReplot);
}

// The range the toolkit's autoscale gives the left Y axis for channel voie's
// curve in graph g, applied to the axis; false when there is no curve or it
// holds no data (the axis is then left as it is). A flat curve gives lo = hi:
// QCustomPlot's own rescale would keep the previous span centred on it, which
// drifts tick after tick and hides a flat curve from the minimum-span rule.
// Channel voie's curve in graph g, null when it has none there.
QCPGraph* courbe_de(QCustomPlot* g, int voie)
{
    if (!g || !voie_valide(voie))
        return nullptr;
    const Courbe& c = courbes[voie];
    if (!c.graphe || c.handle != Donnee[voie].trace || c.graphe->parentPlot() != g)
        return nullptr;
    return c.graphe;
}

bool autoscale(QCustomPlot* g, int voie, double& lo, double& hi)
{
    QCPGraph* c = courbe_de(g, voie);
    if (!c)
        return false;
    bool trouve = false;
    const QCPRange r = c->getValueRange(trouve, QCP::sdBoth);
    if (!trouve)
        return false;
    lo = r.lower;
    hi = r.upper;
    if (QCPRange::validRange(r))
        axe_manuel(g, lo, hi);
    return true;
}

// The highest reading of channel voie's curve in graph g into `v`; `v` is
// left alone when there is no curve.
void maximum_courbe(QCustomPlot* g, int voie, double& v)
{
    QCPGraph* c = courbe_de(g, voie);
    if (!c)
        return;
    bool trouve = false;
    const QCPRange r = c->getValueRange(trouve, QCP::sdBoth);
    if (trouve)
        v = r.upper;
}

// Left Y axis of graph g in scaling mode `mode` (0 manual, 1 automatic).
void axe_mode(QCustomPlot* g, int voie, double mode, double lo, double hi)
{
    if (int(mode) == 1) {
        double a = 0.0, b = 0.0;
        autoscale(g, voie, a, b);
    } else {
        axe_manuel(g, lo, hi);
    }
}

// Share of the span added above and below an automatic Y range, so that the
// extreme readings stand inside the frame rather than on it.
constexpr double MARGE_AUTO = 0.05;

// Sets the automatic Y range [lo, hi] of the readings on graph g with its
// margin, and keeps the range shown in the window's record. The margin stops
// at the quantity's full scale [vmin, vmax]: a voltage or a current from 0
// never shows a negative range, nor a voltage at 630 V one above it.
void poser_axe_auto(QCustomPlot* g, InfoRecord& f, double lo, double hi, double vmin, double vmax)
{
    const double m = (hi - lo) * MARGE_AUTO;
    f.y_min = std::max(lo - m, std::min(lo, vmin));
    f.y_max = std::min(hi + m, std::max(hi, vmax));
    axe_manuel(g, f.y_min, f.y_max);
}

// The channel shown in window w, 0 when none.
int voie_de_fenetre(int w)
{
    for (int k = 1; k < NB_VOIES_TABLE; ++k)
        if (Donnee[k].num_fenetre == w)
            return k;
    return 0;
}

// Y labels on the steps of pas_graduation_y.
class GraduationY : public QCPAxisTicker {
public:
    explicit GraduationY(int decimales) : decimales_(decimales) {}

protected:
    double getTickStep(const QCPRange& r) override
    {
        return pas_graduation_y(r.size() / (double(tickCount()) + 1e-10), decimales_);
    }

private:
    int decimales_;
};

// ---- scale dialog -----------------------------------------------------------

int mode_choisi(const PnlEchelle& p)
{
    return p.mode_echelle->currentData().toInt();
}

void choisir_mode(PnlEchelle& p, int mode)
{
    const int i = p.mode_echelle->findData(mode);
    if (i >= 0)
        p.mode_echelle->setCurrentIndex(i);
}

} // namespace

void tracer_courbe(int voie, int nb)
{
    if (!voie_valide(voie) || nb < 1)
        return;
    const DonneeRecord& d = Donnee[voie];
    if (d.num_fenetre < 1 || d.num_fenetre >= NB_FENETRES)
        return;
    const int panel = Info[d.num_fenetre].panel;
    QCustomPlot* g = graphe_panel(panel);
    if (!g)
        return;
    const int n = std::min(nb, NB_RELEVES_MAX);
    // Drawing the curve again is extending it by the newest point: earlier
    // readings never change during an acquisition.
    const bool premier_point = n == 1;
    if (!premier_point && prolonger_trace(panel, d.trace, ptx, point[voie], n, d.coul) == d.trace &&
        d.trace > 0) {
        return;
    }
    if (!premier_point)
        DeleteGraphPlot(panel, d.trace);
    modele::trace_voie(voie, PlotXY(panel, ptx, point[voie], n, d.coul));
    // PlotXY appends its graph: the last one is this curve.
    courbes[voie] = {d.trace, d.trace > 0 && g->graphCount() > 0 ? g->graph(g->graphCount() - 1) : nullptr};
}

double pas_graduation_y(double brut, int decimales)
{
    const double plus_fin = std::pow(10.0, -std::max(decimales, 0));
    if (!(brut > plus_fin) || !std::isfinite(brut))
        return plus_fin;
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    const double m = brut / puissance;
    const double mantisse = m < 1.5 ? 1.0 : m < 3.5 ? 2.0 : m < 7.5 ? 5.0 : 10.0;
    return std::max(mantisse * puissance, plus_fin);
}

void graduer_axe_y(int panel, int decimales)
{
    QCustomPlot* g = graphe_panel(panel);
    if (!g)
        return;
    g->yAxis->setNumberFormat("f");
    g->yAxis->setNumberPrecision(decimales);
    g->yAxis->setTicker(QSharedPointer<GraduationY>::create(decimales));
}

void Init_min_max_axe_Y(int voie)
{
    if (!voie_valide(voie))
        return;
    const int c = Donnee[voie].grandeur;
    const int w = Donnee[voie].num_fenetre;
    if (!code_valide(c) || w < 1 || w >= NB_FENETRES || Info[w].y_manuel)
        return;
    Info[w].y_max = Val_maxi[c];
    Info[w].y_min = Val_mini[c];
    axe_manuel(graphe_fenetre(w), Val_mini[c], Val_maxi[c]);
}

void Zoom_AXE_Y(int voie, int panel)
{
    if (!voie_valide(voie))
        return;
    const DonneeRecord& d = Donnee[voie];
    int c = d.grandeur;
    // The mode of the readings shown: the instrument's during an acquisition,
    // the recording's own (stored with it) otherwise.
    const int mode = Acq.en_cours ? int(MesureTypeReseau) : Mesure.type_reseau;
    if (c == CODE_COURANT && mode == MODE_INRUSH)
        c = CODE_INRUSH;
    const int w = d.num_fenetre;
    QCustomPlot* g = graphe_panel(panel);
    if (!code_valide(c) || w < 1 || w >= NB_FENETRES || !g)
        return;
    InfoRecord& f = Info[w];
    const double vmax = Val_maxi[c], vmin = Val_mini[c];
    // A tick's newest reading; for a recording drawn whole (opened or
    // redrawn), its curve's highest reading.
    double v = d.releves[std::clamp(Acq.nb_points, 0, NB_RELEVES_MAX - 1)];
    if (!Acq.en_cours)
        maximum_courbe(g, voie, v);

    // 1. A range the user fixed stays, kept within the full scale.
    if (f.y_manuel == 1) {
        double lo = f.y_min, hi = f.y_max;
        if (hi > vmax)
            hi = f.y_max = vmax;
        if (lo < vmin)
            lo = f.y_min = vmin;
        if (hi <= lo) {
            lo = f.y_min = vmin;
            hi = f.y_max = vmax;
        }
        axe_mode(g, voie, f.y_mode, lo, hi);
        return;
    }

    // 2. Extremes of the readings.
    bool change = false;
    double maxi = d.maxi, mini = d.mini;
    if (v > maxi) {
        maxi = v;
        change = true;
    }
    if (v < mini) {
        mini = v;
        change = true;
    }
    if (change)
        modele::extremes_voie(voie, maxi, mini);

    // 3. The power factor keeps its axis; an inrush axis waits for a real current.
    if (c == CODE_FP || c == CODE_FP_MOY)
        return;
    if (c == CODE_INRUSH && v <= INRUSH_SEUIL)
        return;

    // 4. Autoscale to the curve and read the range back. The tick adjusts the
    // axis before the curve is extended by its newest point: the range holds v.
    const double ancien_lo = g->yAxis->range().lower, ancien_hi = g->yAxis->range().upper;
    double lo = ancien_lo, hi = ancien_hi;
    if (autoscale(g, voie, lo, hi)) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }

    // 5.
    if (change || d.maxi == vmax) {
        hi = std::min(hi, vmax);
        lo = std::max(lo, vmin);
        if (hi < lo) {
            lo = ancien_lo;
            hi = ancien_hi;
        }
        if (lo == hi)
            hi = lo + 0.4;
        poser_axe_auto(g, f, lo, hi, vmin, vmax);
    }

    // 6. Minimum span: 0.4 V or W, 0.004 A, on each side.
    const double fac = (c == CODE_COURANT || c == CODE_COURANT_MOY || c >= CODE_FP) ? 10000.0 : 100.0;
    if (c < CODE_FP_MOY && (hi - lo) * fac < 40.0) {
        hi += 40.0 / fac;
        lo -= 40.0 / fac;
    }

    // 7.
    if (change && c <= CODE_FP_MOY)
        return;

    // 8.
    hi = std::min(hi, vmax);
    lo = std::max(lo, vmin);
    if (hi <= lo) {
        // Readings wholly outside the full scale: show the full scale rather
        // than an inverted or empty range.
        lo = vmin;
        hi = vmax;
    }
    poser_axe_auto(g, f, lo, hi, vmin, vmax);
}

// ---- scale dialog -----------------------------------------------------------

void Traduc_echelle()
{
    const int p = Fen_princ[PNL_ECHELLE];
    if (!tk::panel_valide(p))
        return;
    PnlEchelle& e = liaison<PnlEchelle>(p);
    tk::SetPanelTitle(p, qtxt(tx::echelle));
    e.quitter->setText(mnemonique(txt(tx::quitter)));
    const QSignalBlocker bloque(e.mode_echelle);
    e.mode_echelle->clear();
    e.mode_echelle->addItem(qtxt(tx::automatic), 1);
    e.mode_echelle->addItem(qtxt(tx::manuel), 0);
}

void ouvrir_echelle()
{
    if (grafic == -1) {
        Popup_erreur(MSG_AUCUN_GRAPHE);
        return;
    }
    if (grafic == 0 || Acq.en_cours)
        return;
    // Channel k is shown in window k, so the window's own record is the one
    // the dialog reads and its OK writes.
    QCustomPlot* g = graphe_fenetre(grafic);
    if (!g)
        return;
    const int p = charger_dialogue(PNL_ECHELLE, Traduc_echelle);
    if (p < 1)
        return;

    PnlEchelle& e = liaison<PnlEchelle>(p);
    const QCPRange r = g->yAxis->range();
    choisir_mode(e, Info[grafic].y_manuel == 0 ? 1 : 0);
    e.y_min->setValue(r.lower);
    e.y_max->setValue(r.upper);

    relier_signal(p, e.mode_echelle, &QComboBox::currentIndexChanged, Echelle, ECHELLE_MODE);
    relier_bouton(p, e.bouton_ok, Echelle, ECHELLE_OK);
    relier_bouton(p, e.quitter, Echelle, ECHELLE_ANNULER);

    Echelle(p, ECHELLE_MODE, EVENT_COMMIT, nullptr, 0, 0);
    montrer_dialogue(p);
}

int Echelle(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_panel(panel, PNL_ECHELLE))
        return 0;
    PnlEchelle& e = liaison<PnlEchelle>(panel);
    switch (control) {
    case ECHELLE_MODE: {
        const bool automatique = mode_choisi(e) == 1;
        e.y_min->setEnabled(!automatique);
        e.y_max->setEnabled(!automatique);
        break;
    }
    case ECHELLE_OK: {
        const int mode = mode_choisi(e);
        double mini = e.y_min->value(), maxi = e.y_max->value();
        if (mode == 0 && maxi < mini)
            std::swap(mini, maxi);
        if (grafic >= 1 && grafic < NB_FENETRES) {
            InfoRecord& f = Info[grafic];
            f.y_max = maxi;
            f.y_min = mini;
            f.y_mode = mode;
            axe_mode(graphe_fenetre(grafic), voie_de_fenetre(grafic), mode, mini, maxi);
            f.y_manuel = mode == 0 ? 1 : 0;
        }
        fermer_dialogue(panel);
        break;
    }
    case ECHELLE_ANNULER: fermer_dialogue(panel); break;
    default: break;
    }
    return 0;
}
