#include "graph/legende.h"

#include "socle/globals.h"
#include "socle/panels.h"
#include "socle/toolkit.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <qcustomplot.h>

#include <map>

namespace {

std::map<int, QPointer<QWidget>>& controles()
{
    static std::map<int, QPointer<QWidget>> c;
    return c;
}

int enregistrer(QWidget* w)
{
    static int prochain = 1;
    controles()[prochain] = w;
    w->show();
    w->raise();
    return prochain++;
}

QWidget* controle_de(int h)
{
    auto it = controles().find(h);
    return it == controles().end() ? nullptr : it->second.data();
}

// Fixed pitch, so that the columns of a read-out stay put while the cursor
// moves; as large as lets the widest read-out fit in the legend frame.
QFont police_lecture()
{
    static const QFont police = [] {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        const QString plus_large = QStringLiteral("Y1 =   230.5 VA");
        for (int taille = 11; taille > 7; --taille) {
            f.setPixelSize(taille);
            if (QFontMetrics(f).horizontalAdvance(plus_large) <= LARGEUR_LEGENDE - 8)
                break;
        }
        return f;
    }();
    return police;
}

bool fenetre_active_graphe()
{
    return grafic >= 1 && grafic < NB_FENETRES && tk::panel_valide(Info[grafic].panel) &&
           tk::type_panel(Info[grafic].panel) == PNL_GRAPHE;
}

} // namespace

int creer_cadre(int panel, int top, int left, int height, int width)
{
    QWidget* parent = tk::contenu(panel);
    if (!parent)
        return 0;
    auto* f = new QFrame(parent);
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->setGeometry(left, top, width, height);
    f->lower();
    return enregistrer(f);
}

int creer_texte(int panel, int top, int left)
{
    QWidget* parent = tk::contenu(panel);
    if (!parent)
        return 0;
    auto* l = new QLabel(parent);
    l->setFont(police_lecture());
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->move(left, top);
    l->resize(LARGEUR_LEGENDE - left - 1, 13);
    return enregistrer(l);
}

void detruire_controle(int h)
{
    auto it = controles().find(h);
    if (it == controles().end())
        return;
    delete it->second.data();
    controles().erase(it);
}

bool controle_existe(int h)
{
    return controle_de(h) != nullptr;
}

void ecrire_texte(int h, const QString& t)
{
    if (auto* l = qobject_cast<QLabel*>(controle_de(h)))
        l->setText(t);
}

QString texte_controle(int h)
{
    auto* l = qobject_cast<QLabel*>(controle_de(h));
    return l ? l->text() : QString();
}

void Affiche_legende()
{
    if (!fenetre_active_graphe())
        return;
    InfoRecord& f = Info[grafic];
    QCustomPlot* g = liaison<PnlGraphe>(f.panel).graphe;
    const int w = g->width();
    g->move(f.legende, g->y());
    if (w >= LARGEUR_LEGENDE + 1)
        g->resize(w - LARGEUR_LEGENDE, g->height());
}

void Affiche_delta()
{
    if (!fenetre_active_graphe())
        return;
    InfoRecord& f = Info[grafic];
    f.cadre_ecart[0] = creer_cadre(f.panel, 35, 3, 45, 84);
    f.cadre_ecart[1] = creer_cadre(f.panel, 81, 3, 45, 84);
    f.lect_x1 = creer_texte(f.panel, 36, 5);
    f.lect_x2 = creer_texte(f.panel, 50, 5);
    f.lect_dx = creer_texte(f.panel, 64, 5);
    f.lect_y1 = creer_texte(f.panel, 82, 5);
    f.lect_y2 = creer_texte(f.panel, 96, 5);
    f.lect_dy = creer_texte(f.panel, 110, 5);
}

void Retire_delta()
{
    retirer_delta(grafic);
}

void retirer_delta(int w)
{
    if (w < 0 || w >= NB_FENETRES)
        return;
    InfoRecord& f = Info[w];
    for (int* h : {&f.cadre_ecart[0], &f.cadre_ecart[1], &f.lect_x1, &f.lect_x2, &f.lect_dx, &f.lect_y1,
                   &f.lect_y2, &f.lect_dy}) {
        detruire_controle(*h);
        *h = 0;
    }
}
