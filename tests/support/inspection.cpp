#include "support/inspection.h"

#include "app/quitter.h"
#include "graph/legende.h"
#include "graph/panneaux.h"
#include "graph/traces.h"
#include "socle/ecran/toolkit.h"
#include "socle/minuterie.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <qcustomplot.h>

bool controle_existe(int handle)
{
    return widget_controle(handle) != nullptr;
}

QString texte_controle(int handle)
{
    auto* l = qobject_cast<QLabel*>(widget_controle(handle));
    return l ? l->text() : QString();
}

namespace tk {

bool ItemDimmed(int item)
{
    QAction* a = action(item);
    return a && !a->isEnabled();
}

QString ItemName(int item)
{
    QAction* a = action(item);
    return a ? a->text() : QString();
}

} // namespace tk

namespace {

// A toolbar is found by the name its handle gave it; a discarded one is gone.
QToolBar* barre(int toolbar)
{
    const QString nom = QStringLiteral("barre_outils_%1").arg(toolbar);
    for (QWidget* w : QApplication::allWidgets())
        if (auto* b = qobject_cast<QToolBar*>(w); b && b->objectName() == nom)
            return b;
    return nullptr;
}

QAction* a_position(int toolbar, int position)
{
    QToolBar* b = barre(toolbar);
    if (!b)
        return nullptr;
    const auto actions = b->actions();
    return position < 1 || position > actions.size() ? nullptr : actions[position - 1];
}

} // namespace

bool Toolbar_ItemDimmed(int toolbar, int position)
{
    QAction* a = a_position(toolbar, position);
    return a && !a->isEnabled();
}

int Toolbar_NbItems(int toolbar)
{
    QToolBar* b = barre(toolbar);
    return b ? int(b->actions().size()) : 0;
}

QString Toolbar_InfoBulle(int toolbar, int position)
{
    QAction* a = a_position(toolbar, position);
    return a ? a->toolTip() : QString();
}

bool Toolbar_Separateur(int toolbar, int position)
{
    QAction* a = a_position(toolbar, position);
    return a && a->isSeparator();
}

bool Toolbar_AUneImage(int toolbar, int position)
{
    QAction* a = a_position(toolbar, position);
    return a && !a->icon().isNull();
}

void Toolbar_Presser(int toolbar, int position)
{
    if (QAction* a = a_position(toolbar, position))
        a->trigger();
}

namespace {

QTimer* minuterie()
{
    minuterie_active(); // the timer exists from its first use
    return qApp ? qApp->findChild<QTimer*>(QStringLiteral("minuterie_acquisition"), Qt::FindDirectChildrenOnly)
                : nullptr;
}

} // namespace

double intervalle_minuterie()
{
    QTimer* t = minuterie();
    return t ? t->interval() / 1000.0 : 0.0;
}

int attente_minuterie_ms()
{
    QTimer* t = minuterie();
    return t && t->isActive() ? t->interval() : 0;
}

int reste_minuterie_ms()
{
    QTimer* t = minuterie();
    return t ? t->remainingTime() : -1;
}

namespace tk {

int couleur_barre_titre(int panel)
{
    QWidget* f = fenetre(panel);
    auto* barre = f ? f->findChild<QWidget*>(QStringLiteral("barre_titre"), Qt::FindDirectChildrenOnly) : nullptr;
    if (!barre || barre->width() < 2 || barre->height() < 2)
        return 0;
    // Left of the title's text, where only the bar's colour is painted.
    return int(barre->grab().toImage().pixel(1, 1) & 0xFFFFFF);
}

} // namespace tk

namespace {

QCustomPlot* plot(int panel)
{
    if (!tk::panel_valide(panel) || tk::type_panel(panel) != PNL_GRAPHE)
        return nullptr;
    return liaison<PnlGraphe>(panel).graphe;
}

} // namespace

int nb_traces(int panel)
{
    QCustomPlot* p = plot(panel);
    if (!p)
        return 0;
    int n = 0;
    for (int i = 0; i < p->graphCount(); ++i)
        n += p->graph(i)->property(PROPRIETE_TRACE).isValid();
    for (int i = 0; i < p->itemCount(); ++i)
        n += p->item(i)->property(PROPRIETE_TRACE).isValid();
    return n;
}

QCPItemText* texte_trace(int panel, int handle)
{
    QCustomPlot* p = plot(panel);
    if (!p || handle == 0)
        return nullptr;
    for (int i = 0; i < p->itemCount(); ++i)
        if (auto* t = qobject_cast<QCPItemText*>(p->item(i)); t && t->property(PROPRIETE_TRACE).toInt() == handle)
            return t;
    return nullptr;
}

int couleur_de_curseur(int panel, int c)
{
    QCustomPlot* p = plot(panel);
    QObject* o = p ? p->findChild<QObject*>(QStringLiteral("curseur%1").arg(c)) : nullptr;
    QPen pen;
    if (auto* l = qobject_cast<QCPItemStraightLine*>(o))
        pen = l->pen();
    else if (auto* t = qobject_cast<QCPItemTracer*>(o))
        pen = t->pen();
    else
        return 0;
    return int(pen.color().rgb() & 0xFFFFFF);
}

namespace {

int fins_demandees = 0;

void compter_fin(int code)
{
    ++fins_demandees;
    QCoreApplication::exit(code);
}

// Installed before any test runs: every test linking this file counts.
[[maybe_unused]] const bool fin_comptee = (installer_fin_boucle(compter_fin), true);

} // namespace

int nb_fins_demandees()
{
    return fins_demandees;
}
