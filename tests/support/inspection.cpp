#include "support/inspection.h"

#include "graph/legende.h"
#include "socle/ecran/toolkit.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QToolBar>

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
