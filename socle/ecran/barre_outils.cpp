#include "socle/ecran/barre_outils.h"

#include "socle/ecran/panels.h"
#include "socle/ecran/toolkit.h"

#include <QAction>
#include <QBoxLayout>
#include <QImageReader>
#include <QPointer>
#include <QToolBar>

#include <map>

namespace {

struct Barre {
    QPointer<QToolBar> barre;
    int prochain = 1;
};

std::map<int, Barre>& barres()
{
    static std::map<int, Barre> b;
    return b;
}

QAction* a_position(int toolbar, int position)
{
    auto it = barres().find(toolbar);
    if (it == barres().end() || !it->second.barre)
        return nullptr;
    auto actions = it->second.barre->actions();
    if (position < 1 || position > actions.size())
        return nullptr;
    return actions[position - 1];
}

} // namespace

int Toolbar_New(int panel)
{
    QWidget* hote = controle<QWidget>(tk::contenu(panel), "zone_outils");
    auto* disposition = qobject_cast<QBoxLayout*>(hote->layout());
    if (!disposition) {
        disposition = new QHBoxLayout(hote);
        disposition->setContentsMargins(0, 0, 0, 0);
    }
    auto* b = new QToolBar(hote);
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setMovable(false);
    disposition->addWidget(b);
    static int prochain = 1;
    int h = prochain++;
    b->setObjectName(QStringLiteral("barre_outils_%1").arg(h));
    barres()[h] = Barre{b, 1};
    return h;
}

void Toolbar_Discard(int toolbar)
{
    auto it = barres().find(toolbar);
    if (it == barres().end())
        return;
    delete it->second.barre.data();
    barres().erase(it);
}

int Toolbar_InsertItem(int toolbar, int position, TypeBouton type, bool actif, const QString& info_bulle,
                       int item, const QString& image)
{
    auto it = barres().find(toolbar);
    if (it == barres().end() || !it->second.barre)
        return -1;
    QToolBar* b = it->second.barre;
    QAction* avant = position == TOOLBAR_FIN ? nullptr : a_position(toolbar, position);
    QAction* a = nullptr;
    int etat = 0;
    if (type == TOOLBAR_SEPARATEUR) {
        a = avant ? b->insertSeparator(avant) : b->addSeparator();
    } else {
        a = new QAction(b);
        a->setToolTip(info_bulle);
        a->setText(info_bulle);
        QImageReader lecteur(image);
        QImage img = lecteur.read();
        if (img.isNull())
            etat = TOOLBAR_IMAGE_INTROUVABLE;
        else
            a->setIcon(QIcon(QPixmap::fromImage(img)));
        a->setEnabled(actif);
        QObject::connect(a, &QAction::triggered, b, [item] { tk::rappeler_item(item); });
        if (avant)
            b->insertAction(avant, a);
        else
            b->addAction(a);
    }
    return etat;
}

void Toolbar_SetAttribute(int toolbar, int attribut, int valeur)
{
    auto it = barres().find(toolbar);
    if (it == barres().end() || !it->second.barre || attribut != 1)
        return;
    it->second.barre->setToolButtonStyle(valeur == 1 ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void Toolbar_Display(int toolbar)
{
    auto it = barres().find(toolbar);
    if (it != barres().end() && it->second.barre)
        it->second.barre->show();
}

void Toolbar_DimItem(int toolbar, int position, bool dimmed)
{
    if (QAction* a = a_position(toolbar, position))
        a->setEnabled(!dimmed);
}
