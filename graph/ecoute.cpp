#include "graph/ecoute.h"

#include "acquisition/modele.h"
#include "graph/courbes.h"
#include "graph/fenetres.h"
#include "graph/lignes_limites.h"
#include "graph/zoom.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "graph/panneaux.h"
#include "socle/ecran/panels.h"
#include "socle/ecran/toolkit.h"

#include <qcustomplot.h>

namespace {

class Fenetres : public modele::Ecouteur {
    // Each channel's window: its Y axis adjusted to the newest reading, its
    // curve extended by it, Zoom Out when the curve reaches the right edge,
    // then the limit lines and their beeps.
    void releve_stocke(int n, const QString&) override
    {
        for (int v = 1; v <= Mesure.nb_voies && v <= 2; ++v) {
            const int w = Donnee[v].num_fenetre;
            if (!fenetre_graphe(w))
                continue;
            Zoom_AXE_Y(v, Info[w].panel);
            tracer_courbe(v, n + 1);
            QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
            if (pas_x > int(g->xAxis->range().upper)) {
                grafic = w;
                zoomer_fenetre(w, -1);
            }
            limites_tick(w, point[v][n]);
        }
    }

    void choix_modifie() override
    {
        for (int w = 1; w <= Mesure.nb_voies && w < NB_FENETRES; ++w) {
            if (Info[w].limite == 0)
                continue;
            if (tk::panel_valide(Info[w].panel)) {
                effacer_limites(w);
            } else {
                Info[w].limite = 0;
                Info[w].trace_bas = 0;
                Info[w].trace_haut = 0;
            }
        }
    }
};

class Liste : public modele::Ecouteur {
    static ListeReleves* liste()
    {
        return tk::panel_valide(Info[0].panel) ? liaison<PnlDonnees>(Info[0].panel).liste : nullptr;
    }

    // The newest line is the one shown.
    void releve_stocke(int n, const QString& ligne) override
    {
        if (ListeReleves* l = liste()) {
            l->addItem(ligne, n);
            l->setCurrentRow(l->count() - 1);
        }
    }

    void releves_effaces() override
    {
        if (ListeReleves* l = liste())
            l->clear();
    }

    void enregistrement_charge(const QStringList& lignes) override
    {
        ListeReleves* l = liste();
        if (!l)
            return;
        l->addItems(lignes);
        if (!lignes.isEmpty())
            l->setCurrentRow(int(lignes.size()) - 1);
    }
};

Fenetres fenetres;
Liste liste;

} // namespace

void abonner_graphes()
{
    modele::abonner(fenetres);
    modele::abonner(liste);
}
