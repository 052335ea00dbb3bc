#include "graph/legende.h"

#include "socle/ecran/fenetre_graphe.h"
#include "socle/globals.h"
#include "graph/panneaux.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/toolkit.h"
#include "graph/vue_statistiques.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <qcustomplot.h>

#include <algorithm>
#include <map>

namespace {

std::map<int, QPointer<QWidget>>& controles()
{
    static std::map<int, QPointer<QWidget>> c;
    static const bool inscrit = (tk::inscrire_registre({[](int panel) {
                                                            QWidget* f = tk::fenetre(panel);
                                                            std::erase_if(controles(), [f](const auto& e) {
                                                                return !e.second || (f && f->isAncestorOf(e.second));
                                                            });
                                                        },
                                                        [] { return controles().size(); }}),
                                 true);
    (void)inscrit;
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

// The readings list's font, or the application's before the Data window exists.
QFont police_liste()
{
    if (tk::panel_valide(Info[0].panel) && tk::type_panel(Info[0].panel) == PNL_DONNEES)
        return liaison<PnlDonnees>(Info[0].panel).liste->font();
    return QApplication::font();
}

// Characters of the longest read-out: a prefix of five ("dY = "), a value
// of seven, a blank, a unit prefix letter and a three-letter unit
// ("dY =   -49.9 mVar"); a time "X1 = 99999:59:59" is shorter. The
// statistics block under the delta read-outs may need more.
constexpr int CARACTERES_LECTURE = 17;
// Left of a read-out inside the strip, and room kept right of it for the frame.
constexpr int MARGE_GAUCHE = 5;
constexpr int MARGE_DROITE = 5;

bool fenetre_active_graphe()
{
    return fenetre_graphe(grafic);
}

} // namespace

QFont police_lecture()
{
    const QFont liste = police_liste();
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(std::max(QFontInfo(liste).pixelSize(), 1));
    return f;
}

int largeur_legende()
{
    const QFontMetrics m(police_lecture());
    // The widest of the characters read-outs are made of, in case the fixed
    // pitch font lacks one of them and another font stands in.
    int chasse = 0;
    for (QChar c : QStringLiteral("0123456789-.: =XYd\u00b5mkMGpnVAWr"))
        chasse = std::max(chasse, m.horizontalAdvance(c));
    const int caracteres = std::max(CARACTERES_LECTURE, caracteres_bloc_statistiques());
    return std::max(LARGEUR_LEGENDE, MARGE_GAUCHE + caracteres * chasse + MARGE_DROITE);
}

int pas_lecture()
{
    return std::max(14, QFontMetrics(police_lecture()).height() + 1);
}

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
    l->resize(largeur_legende() - left - 3, pas_lecture());
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

void ecrire_texte(int h, const QString& t)
{
    if (auto* l = qobject_cast<QLabel*>(controle_de(h)))
        l->setText(t);
}

void creer_lectures_curseur1(int w)
{
    if (w < 1 || w >= NB_FENETRES)
        return;
    InfoRecord& f = Info[w];
    const int p = pas_lecture();
    f.cadre_legende = creer_cadre(f.panel, 3, 3, 2 * p + 3, largeur_legende() - 6);
    if (f.lect_x == 0) {
        f.lect_x = creer_texte(f.panel, 4, MARGE_GAUCHE);
        f.lect_y = creer_texte(f.panel, 4 + p, MARGE_GAUCHE);
    }
}

QWidget* widget_controle(int h)
{
    return controle_de(h);
}

void Affiche_legende()
{
    if (!fenetre_active_graphe())
        return;
    InfoRecord& f = Info[grafic];
    QCustomPlot* g = liaison<PnlGraphe>(f.panel).graphe;
    const int w = g->width();
    g->move(f.legende, g->y());
    if (w >= f.legende + 1)
        g->resize(w - f.legende, g->height());
}

// Below the frame of cursor 1 (top 3, two lines): the frame of cursors 2
// and 3's times and the frame of their values, three lines each.
void Affiche_delta()
{
    if (!fenetre_active_graphe())
        return;
    InfoRecord& f = Info[grafic];
    const int p = pas_lecture(), largeur = largeur_legende() - 6;
    const int haut_cadre = 3 * p + 3;
    const int haut1 = 3 + (2 * p + 3) + 1, haut2 = haut1 + haut_cadre + 1;
    f.cadre_ecart[0] = creer_cadre(f.panel, haut1, 3, haut_cadre, largeur);
    f.cadre_ecart[1] = creer_cadre(f.panel, haut2, 3, haut_cadre, largeur);
    f.lect_x1 = creer_texte(f.panel, haut1 + 1, MARGE_GAUCHE);
    f.lect_x2 = creer_texte(f.panel, haut1 + 1 + p, MARGE_GAUCHE);
    f.lect_dx = creer_texte(f.panel, haut1 + 1 + 2 * p, MARGE_GAUCHE);
    f.lect_y1 = creer_texte(f.panel, haut2 + 1, MARGE_GAUCHE);
    f.lect_y2 = creer_texte(f.panel, haut2 + 1 + p, MARGE_GAUCHE);
    f.lect_dy = creer_texte(f.panel, haut2 + 1 + 2 * p, MARGE_GAUCHE);
    creer_bloc_statistiques(grafic);
}

void Retire_delta()
{
    retirer_delta(grafic);
}

void retirer_delta(int w)
{
    if (w < 0 || w >= NB_FENETRES)
        return;
    retirer_bloc_statistiques(w);
    InfoRecord& f = Info[w];
    for (int* h : {&f.cadre_ecart[0], &f.cadre_ecart[1], &f.lect_x1, &f.lect_x2, &f.lect_dx, &f.lect_y1,
                   &f.lect_y2, &f.lect_dy}) {
        detruire_controle(*h);
        *h = 0;
    }
}
