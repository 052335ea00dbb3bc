#include "graph/couleurs.h"

#include "acquisition/modele.h"

#include "graph/curseurs.h"
#include "graph/traces.h"
#include "lang/textes.h"
#include "socle/ecran/fenetre_graphe.h"
#include "socle/ecran/dialogue.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/reglages.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QListWidget>
#include <QPushButton>
#include <qcustomplot.h>

const int couleurs_par_defaut[11] = {0xFF0000, 0x00FF00, 0xFFFF00, 0xC0C0C0, 0x000080, 0xC0C0C0,
                                     0xFF0000, 0x008000, 0x000000, 0x0000FF, 0x000000};

namespace {

constexpr int NB_ROLES = 9;  // role list rows 0 .. 8

bool fenetre_graphe_ouverte(int w)
{
    return w < nb_panel && fenetre_graphe(w);
}

QCustomPlot* graphe(int w)
{
    return liaison<PnlGraphe>(Info[w].panel).graphe;
}

int indice_role(PnlCouleur& c)
{
    const int r = c.liste_roles->currentRow();
    return r >= 0 && r < NB_ROLES ? r : 0;
}

void montrer_couleur(PnlCouleur& c, int rgb)
{
    c.choix_couleur->setStyleSheet(
        QString("background-color: %1; border: 1px solid #404040;").arg(tk::couleur(rgb).name()));
    if (QColorDialog* d = c.racine->findChild<QColorDialog*>()) {
        const QSignalBlocker bloque(d);
        d->setCurrentColor(tk::couleur(rgb));
    }
}

int rgb_de(const QColor& q)
{
    return (q.red() << 16) | (q.green() << 8) | q.blue();
}

} // namespace

void Maj_couleurs(int k)
{
    if (k == 11) {
        for (int i = 0; i < NB_COULEURS; ++i)
            Maj_couleurs(i);
        return;
    }
    if (k < 0 || k > 10)
        return;
    const int c = colo[k];
    switch (k) {
    case 1:
    case 2:
        if (k <= Mesure.nb_voies && Donnee[k].trace != -1 && fenetre_graphe_ouverte(Donnee[k].num_fenetre))
            if (QCPGraph* g = graphe_trace(Info[Donnee[k].num_fenetre].panel, Donnee[k].trace)) {
                g->setPen(QPen(tk::couleur(c), 1.0));
                modele::couleur_voie(k, c);
                g->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
            }
        break;
    case 3:
        if (tk::panel_valide(Info[0].panel) && tk::type_panel(Info[0].panel) == PNL_DONNEES) {
            ListeReleves* l = liaison<PnlDonnees>(Info[0].panel).liste;
            QPalette p = l->palette();
            p.setColor(QPalette::Base, tk::couleur(c));
            l->setPalette(p);
        }
        for (int w = 1; w <= Mesure.nb_voies; ++w)
            if (fenetre_graphe_ouverte(w)) {
                graphe(w)->axisRect()->setBackground(tk::couleur(c));
                graphe(w)->replot(QCustomPlot::rpQueuedReplot);
            }
        break;
    case 4:
        if (grafic >= 0 && grafic < NB_FENETRES && tk::panel_valide(Info[grafic].panel))
            tk::couleurs_titre(Info[grafic].panel, c, tk::couleur_texte_titre(Info[grafic].panel));
        break;
    case 5:
        if (QWidget* w = tk::contenu(Fen_princ[PNL_PRINC])) {
            QPalette p = w->palette();
            p.setColor(QPalette::Window, tk::couleur(c));
            w->setPalette(p);
            w->setAutoFillBackground(true);
        }
        break;
    case 6:
    case 7:
        if (fenetre_graphe_ouverte(k - 5))
            couleur_curseur(Info[k - 5].panel, 1, c);
        break;
    case 8:
        for (int w = 1; w <= Mesure.nb_voies; ++w)
            if (fenetre_graphe_ouverte(w)) {
                QCustomPlot* g = graphe(w);
                g->xAxis->grid()->setPen(QPen(tk::couleur(c), 0, Qt::DotLine));
                g->yAxis->grid()->setPen(QPen(tk::couleur(c), 0, Qt::DotLine));
                g->replot(QCustomPlot::rpQueuedReplot);
            }
        break;
    default:
        break;
    }
}

void Traduc_couleur()
{
    const int p = Fen_princ[PNL_COULEUR];
    if (!est_panel(p, PNL_COULEUR))
        return;
    PnlCouleur& c = liaison<PnlCouleur>(p);
    tk::SetPanelTitle(p, qtxt(tx::couleur));
    c.annuler->setText(mnemonique(txt(tx::annuler)));
    c.defaut->setText(mnemonique(txt(tx::defaut)));
    const QSignalBlocker bloque(c.liste_roles);
    const int r = c.liste_roles->currentRow();
    c.liste_roles->clear();
    for (int i = 0; i < NB_ROLES; ++i) {
        auto* item = new QListWidgetItem(qtxt(tx::titres, i), c.liste_roles);
        item->setData(Qt::UserRole, i);
    }
    c.liste_roles->setCurrentRow(r >= 0 ? r : 0);
}

QColorDialog* selecteur_couleur(int panel)
{
    if (!est_panel(panel, PNL_COULEUR))
        return nullptr;
    return liaison<PnlCouleur>(panel).racine->findChild<QColorDialog*>();
}

void ouvrir_couleurs()
{
    const int p = charger_dialogue(PNL_COULEUR, Traduc_couleur);
    if (p < 1)
        return;
    PnlCouleur& c = liaison<PnlCouleur>(p);
    // The chooser sits in the form, without buttons of its own: every colour
    // picked in it reaches the screen at once.
    auto* choix = new QColorDialog(c.racine);
    choix->setWindowFlags(Qt::Widget);
    choix->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    if (auto* l = qobject_cast<QBoxLayout*>(c.racine->layout()))
        l->insertWidget(1, choix);
    choix->show();
    c.choix_couleur->setEnabled(false);

    reglages::reprendre_couleurs();
    c.liste_roles->setCurrentRow(0);
    montrer_couleur(c, color[0]);

    relier_bouton(p, c.bouton_ok, couleurs, COULEUR_OK);
    relier_bouton(p, c.annuler, couleurs, COULEUR_ANNULER);
    relier_bouton(p, c.defaut, couleurs, COULEUR_DEFAUT);
    relier_signal(p, c.liste_roles, &QListWidget::currentRowChanged, couleurs, COULEUR_ROLE);
    QObject::connect(choix, &QColorDialog::currentColorChanged, choix,
                     [p] { couleurs(p, COULEUR_CHOIX, EVENT_VAL_CHANGED, nullptr, 0, 0); });
    montrer_dialogue(p);
}

int couleurs(int panel, int control, int event, void*, int, int)
{
    if (!est_panel(panel, PNL_COULEUR))
        return 0;
    PnlCouleur& c = liaison<PnlCouleur>(panel);
    switch (control) {
    case COULEUR_ANNULER:
        if (event != EVENT_COMMIT)
            return 0;
        reglages::reprendre_couleurs();
        Maj_couleurs(11);
        [[fallthrough]];
    case COULEUR_OK:
        if (event != EVENT_COMMIT)
            return 0;
        reglages::garder_couleurs();
        fermer_dialogue(panel);
        break;
    case COULEUR_DEFAUT:
        if (event != EVENT_COMMIT)
            return 0;
        for (int i = 0; i < NB_COULEURS; ++i)
            reglages::essayer_couleur(i, couleurs_par_defaut[i]);
        montrer_couleur(c, colo[indice_role(c)]);
        Maj_couleurs(11);
        break;
    case COULEUR_ROLE:
        montrer_couleur(c, colo[indice_role(c)]);
        break;
    case COULEUR_CHOIX:
        if (QColorDialog* d = selecteur_couleur(panel)) {
            const int k = indice_role(c);
            reglages::essayer_couleur(k, rgb_de(d->currentColor()));
            montrer_couleur(c, colo[k]);
            Maj_couleurs(k);
        }
        break;
    default:
        break;
    }
    return 0;
}
