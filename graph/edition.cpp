#include "graph/edition.h"

#include "graph/affichage.h"
#include "graph/curseurs.h"
#include "graph/fenetres.h"
#include "graph/traces.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "socle/commandes.h"
#include "socle/ecran/dialogue.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"

#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <qcustomplot.h>

#include <cmath>

namespace {

// Text plots are black.
constexpr int NOIR = 0x000000;

QCustomPlot* graphe_de(int w)
{
    if (!fenetre_graphe(w))
        return nullptr;
    return liaison<PnlGraphe>(Info[w].panel).graphe;
}

// The slot's text plotted anew at (memx, memy) with `texte`.
void replacer(InfoRecord& f, int slot, const QString& texte)
{
    DeleteGraphPlot(f.panel, f.trace_texte[slot]);
    f.trace_texte[slot] = PlotText(f.panel, memx, memy, texte, police_textes(), NOIR);
}

// Loads the insert-text dialog and wires its controls; the text field is
// filled by the caller before it shows the dialog.
int charger_insertion()
{
    const int p = charger_dialogue(PNL_TEXTE, Traduc_inserertexte);
    if (p < 1)
        return p;
    PnlTexte& d = liaison<PnlTexte>(p);
    relier_bouton(p, d.bouton_ok, Minmax, TEXTE_OK);
    relier_bouton(p, d.quitter, Minmax, TEXTE_QUITTER);
    relier_bouton(p, d.bouton_haut, Minmax, TEXTE_HAUT);
    relier_bouton(p, d.bouton_bas, Minmax, TEXTE_BAS);
    relier_bouton(p, d.bouton_droite, Minmax, TEXTE_DROITE);
    relier_bouton(p, d.bouton_gauche, Minmax, TEXTE_GAUCHE);
    return p;
}

// Marks the slot placed at (memx, memy), shows its text in the field and
// plots it; then the field follows the typing.
void placer(int p, int slot)
{
    InfoRecord& f = Info[grafic];
    mem_text = slot;
    DeleteGraphPlot(f.panel, f.trace_texte[slot]);
    f.trace_texte[slot] = 0;
    f.texte_place[slot] = 1;
    PnlTexte& d = liaison<PnlTexte>(p);
    const QString texte = QString::fromUtf8(f.texte[slot]);
    d.champ_texte->setText(texte);
    d.champ_texte->selectAll();
    replacer(f, slot, texte);
    relier_signal(p, d.champ_texte, &QLineEdit::textChanged, Minmax, TEXTE_CHAMP);
}

void min_max(int item)
{
    if (grafic == 0 || Acq.nb_points == 0)
        return;
    const int p = charger_insertion();
    if (p < 1)
        return;
    // The window whose Window-menu item is checked is the active one.
    int coche = -1;
    for (int i = 0; i < nb_panel && i < NB_FENETRES; ++i)
        if (Info[i].item && tk::ItemChecked(Info[i].item))
            coche = i;
    if (coche < 1 || !fenetre_graphe(coche)) {
        fermer_dialogue(p);
        return;
    }
    grafic = coche;
    const int n = std::min(Acq.nb_points, NB_RELEVES_MAX);
    double maxi = 0.0, mini = 0.0;
    int i_max = -1, i_min = -1;
    MaxMin1D(point[grafic], n, maxi, i_max, mini, i_min);
    if (i_max < 0) {
        fermer_dialogue(p);
        return;
    }
    const bool est_min = item == ITEM_MIN;
    const int i = est_min ? i_min : i_max;
    memx = ptx[i];
    memy = est_min ? mini : maxi;
    placer(p, est_min ? TEXTE_MIN : TEXTE_MAX);
    montrer_dialogue(p);
}

void texte_libre(int slot)
{
    if (grafic == 0 || Acq.en_cours || Acq.nb_points == 0 || !fenetre_graphe(grafic))
        return;
    const int p = charger_insertion();
    if (p < 1)
        return;
    position_curseur(Info[grafic].panel, 1, memx, memy);
    placer(p, slot);
    montrer_dialogue(p);
}

void copier_fenetre()
{
    const int p = Info[grafic].panel;
    QWidget* w = tk::panel_valide(p) ? tk::contenu(p) : nullptr;
    PressePapiers* pp = plateforme().presse_papiers.get();
    if (!w || !pp)
        return;
    pp->image(w->grab().toImage());
}

void renommer_fenetre()
{
    InfoRecord& f = Info[grafic];
    if (!tk::panel_valide(f.panel))
        return;
    const QStringList boutons{mnemonique("__OK"), mnemonique(txt(tx::annuler))};
    const std::optional<QString> r = plateforme().popups->texte(
        qtxt(tx::renommer), qtxt(tx::commande), tk::titre(f.panel), boutons, LONG_TITRE_FENETRE);
    if (!r)
        return;
    const QString titre = r->left(LONG_TITRE_FENETRE);
    tk::SetPanelTitle(f.panel, titre);
    if (f.item) {
        QString nom = titre;
        tk::SetItemName(f.item, nom.replace('&', QStringLiteral("&&")));
    }
}

} // namespace

void MaxMin1D(const double* t, int n, double& maxi, int& i_max, double& mini, int& i_min)
{
    i_max = i_min = -1;
    maxi = mini = 0.0;
    for (int i = 0; i < n; ++i) {
        const double v = t[i];
        if (std::isnan(v))
            continue;
        if (i_max < 0 || v > maxi) {
            maxi = v;
            i_max = i;
        }
        if (i_min < 0 || v < mini) {
            mini = v;
            i_min = i;
        }
    }
}

double pousser_texte(double pos, double mini, double maxi, int sens, double marge, double pas)
{
    const double etendue = maxi - mini;
    if (sens > 0 && pos + marge * etendue < maxi)
        return pos + pas * etendue;
    if (sens < 0 && pos - marge * etendue > mini)
        return pos - pas * etendue;
    return pos;
}

QFont police_textes()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    return f;
}

void Gestion_edition(int menubar, int item, void* data, int panel)
{
    switch (item) {
    case ITEM_EXPORTER:
        commander(Commande::exporter_classeur);
        return;
    case ITEM_EXPORTER_CSV:
        commander(Commande::exporter_csv);
        return;
    case ITEM_LIER: Gestion_lien(menubar, item, data, panel); return;
    case ITEM_MIN:
    case ITEM_MAX:
    case ITEM_TEXT1:
    case ITEM_TEXT2:
    case ITEM_TEXT3:
    case ITEM_COPGRA:
    case ITEM_RENGRA: break;
    default: return;
    }
    if (grafic < 0 || grafic >= NB_FENETRES) {
        Popup_erreur(MSG_AUCUN_GRAPHE);
        return;
    }
    switch (item) {
    case ITEM_MIN:
    case ITEM_MAX: min_max(item); break;
    case ITEM_TEXT1: texte_libre(TEXTE_LIBRE_1); break;
    case ITEM_TEXT2: texte_libre(TEXTE_LIBRE_1 + 1); break;
    case ITEM_TEXT3: texte_libre(TEXTE_LIBRE_1 + 2); break;
    case ITEM_COPGRA: copier_fenetre(); break;
    case ITEM_RENGRA: renommer_fenetre(); break;
    default: break;
    }
}

void Traduc_inserertexte()
{
    const int p = Fen_princ[PNL_TEXTE];
    if (!tk::panel_valide(p))
        return;
    PnlTexte& d = liaison<PnlTexte>(p);
    tk::SetPanelTitle(p, qtxt(tx::insertext));
    d.quitter->setText(mnemonique(txt(tx::quitter)));
    QPushButton* const fleches[] = {d.bouton_haut, d.bouton_bas, d.bouton_droite, d.bouton_gauche};
    for (int k = 0; k < 4; ++k) {
        fleches[k]->setToolTip(qtxt(tx::deplacer_texte, k));
        fleches[k]->setAccessibleName(qtxt(tx::deplacer_texte, k));
    }
}

int Minmax(int panel, int control, int event, void*, int, int)
{
    if ((event != EVENT_COMMIT && event != EVENT_VAL_CHANGED) || !est_panel(panel, PNL_TEXTE))
        return 0;
    if (grafic < 1 || !fenetre_graphe(grafic) || mem_text < 0 || mem_text >= NB_TEXTES) {
        fermer_dialogue(panel);
        return 0;
    }
    InfoRecord& f = Info[grafic];
    const int slot = mem_text;
    const QString texte = liaison<PnlTexte>(panel).champ_texte->text();
    QCustomPlot* g = graphe_de(grafic);
    switch (control) {
    case TEXTE_CHAMP: replacer(f, slot, texte); break;
    case TEXTE_OK:
        copie_texte(f.texte[slot], texte.toUtf8().constData());
        fermer_dialogue(panel);
        break;
    case TEXTE_QUITTER:
        DeleteGraphPlot(f.panel, f.trace_texte[slot]);
        f.trace_texte[slot] = 0;
        f.texte_place[slot] = 0;
        fermer_dialogue(panel);
        break;
    case TEXTE_HAUT:
    case TEXTE_BAS: {
        const QCPRange r = g->yAxis->range();
        memy = pousser_texte(memy, r.lower, r.upper, control == TEXTE_HAUT ? 1 : -1, MARGE_TEXTE_Y, PAS_TEXTE_Y);
        replacer(f, slot, texte);
        break;
    }
    case TEXTE_DROITE:
    case TEXTE_GAUCHE: {
        const QCPRange r = g->xAxis->range();
        memx = pousser_texte(memx, r.lower, r.upper, control == TEXTE_DROITE ? 1 : -1, MARGE_TEXTE_X, PAS_TEXTE_X);
        replacer(f, slot, texte);
        break;
    }
    default: break;
    }
    return 0;
}

void retirer_textes(int w)
{
    if (w < 0 || w >= NB_FENETRES)
        return;
    InfoRecord& f = Info[w];
    for (int k = 0; k < NB_TEXTES; ++k) {
        if (f.trace_texte[k])
            DeleteGraphPlot(f.panel, f.trace_texte[k]);
        f.trace_texte[k] = 0;
        f.texte_place[k] = 0;
    }
}
