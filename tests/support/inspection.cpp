#include "support/inspection.h"

#include "graph/legende.h"

#include <QLabel>

bool controle_existe(int handle)
{
    return widget_controle(handle) != nullptr;
}

QString texte_controle(int handle)
{
    auto* l = qobject_cast<QLabel*>(widget_controle(handle));
    return l ? l->text() : QString();
}
