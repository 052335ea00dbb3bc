#include "graph/valeurs_curseurs.h"

#include "graph/axe_temps.h"
#include "graph/curseurs.h"
#include "graph/format_mesure.h"
#include "socle/ecran/fenetre_graphe.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/legende.h"
#include "graph/vue_statistiques.h"

#include <QItemSelectionModel>

#include <cmath>

namespace {

// Set while the program itself selects a line: the list's own callback
// then does not move the cursors back.
bool selection_en_cours = false;

ListeReleves* liste()
{
    if (!tk::panel_valide(Info[0].panel) || tk::type_panel(Info[0].panel) != PNL_DONNEES)
        return nullptr;
    return liaison<PnlDonnees>(Info[0].panel).liste;
}

bool fenetre_de_voie(int k, int& w)
{
    w = Donnee[k].num_fenetre;
    return w < nb_panel && fenetre_graphe(w);
}

} // namespace

int ValCurseur(int panel, int, int event, void*, int, int)
{
    if (grafic <= 0 || grafic >= NB_FENETRES || event != EVENT_COMMIT || Acq.en_cours != 0)
        return 0;
    couleur_curseur(Info[grafic].panel, 1, color[4]);
    int trace = 0, index = -1;
    if (!point_curseur1(panel, trace, index))
        return 0;
    if (ListeReleves* l = liste(); l && index < l->count()) {
        selection_en_cours = true;
        l->setCurrentRow(index);
        selection_en_cours = false;
    }
    if (Mesure.port == 0)
        return 0;
    for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
        int w = 0;
        if (Donnee[k].trace == -1 || !fenetre_de_voie(k, w))
            continue;
        if (lien == 1)
            placer_curseur1(Info[w].panel, Donnee[k].trace, index);
        else if (w == grafic)
            placer_curseur1(Info[w].panel, Donnee[k].trace, index);
        Maj_valeurs_curseurs(w);
    }
    return 0;
}

int IndexTableau(int, int, int event)
{
    if (event != EVENT_VAL_CHANGED || lien != 1 || Acq.en_cours != 0 || selection_en_cours)
        return 0;
    ListeReleves* l = liste();
    const int index = l ? l->currentRow() : -1;
    if (index < 0 || Mesure.port == 0)
        return 0;
    for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
        int w = 0;
        if (Donnee[k].trace == -1 || !fenetre_de_voie(k, w))
            continue;
        placer_curseur1(Info[w].panel, Donnee[k].trace, index);
        Maj_valeurs_curseurs(w);
    }
    return 0;
}

void relier_liste_releves(int panel_donnees)
{
    ListeReleves* l = liaison<PnlDonnees>(panel_donnees).liste;
    QObject::connect(l->selectionModel(), &QItemSelectionModel::currentRowChanged, l,
                     [panel_donnees](const QModelIndex&, const QModelIndex&) {
                         IndexTableau(panel_donnees, 0, EVENT_VAL_CHANGED);
                     });
}

void Maj_valeurs_curseurs(int w)
{
    if (w < 1 || w >= NB_FENETRES || Info[w].legende == 0)
        return;
    const InfoRecord& f = Info[w];
    int trace = 0, index = -1;
    if (!point_curseur1(f.panel, trace, index) || w >= NB_VOIES_TABLE || trace != Donnee[w].trace)
        return;
    // An opened recording keeps its own period, as its time axis does.
    const int p = periode_axe();
    const int code = Donnee[w].grandeur;
    double x = 0.0, y = 0.0;
    position_curseur(f.panel, 1, x, y);
    ecrire_texte(f.lect_x, Format_Seconde("X = ", secondes_position(x, p)));
    ecrire_texte(f.lect_y, Format_Mesure(code, "Y = ", point[w][index], 0));
    if (nb_curseurs(f.panel) > 1) {
        double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
        position_curseur(f.panel, 2, x1, y1);
        position_curseur(f.panel, 3, x2, y2);
        ecrire_texte(f.lect_x1, Format_Seconde("X1 = ", secondes_position(x1, p)));
        ecrire_texte(f.lect_y1, Format_Mesure(code, "Y1 = ", y1, 1));
        ecrire_texte(f.lect_x2, Format_Seconde("X2 = ", secondes_position(x2, p)));
        ecrire_texte(f.lect_y2, Format_Mesure(code, "Y2 = ", y2, 0));
        ecrire_texte(f.lect_dx, Format_Seconde("dX = ", secondes_position(std::fabs(x2 - x1), p)));
        ecrire_texte(f.lect_dy, Format_Mesure(code, "dY = ", std::fabs(y2 - y1), 0));
        ecrire_bloc_statistiques(w);
    }
}

void poser_curseurs_releve(int index)
{
    if (Acq.en_cours != 0 || Mesure.port == 0)
        return;
    int ligne = -1;
    for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
        int w = 0;
        if (Donnee[k].trace == -1 || !fenetre_de_voie(k, w))
            continue;
        if (!placer_curseur1(Info[w].panel, Donnee[k].trace, index))
            continue;
        int trace = 0, i = -1;
        if (ligne < 0 && point_curseur1(Info[w].panel, trace, i))
            ligne = i;
        Maj_valeurs_curseurs(w);
    }
    if (ListeReleves* l = liste(); l && ligne >= 0 && ligne < l->count()) {
        selection_en_cours = true;
        l->setCurrentRow(ligne);
        selection_en_cours = false;
    }
}

void Memo_curseur(int panel, double& x1, double& x2, double& y1, double& y2)
{
    if (nb_curseurs(panel) <= 1)
        return;
    position_curseur(panel, 2, x1, y1);
    position_curseur(panel, 3, x2, y2);
}

void Restor_curseur(int panel, double x1, double x2, double y1, double y2)
{
    if (nb_curseurs(panel) <= 1)
        return;
    fixer_position_curseur(panel, 2, x1, y1);
    fixer_position_curseur(panel, 3, x2, y2);
}
