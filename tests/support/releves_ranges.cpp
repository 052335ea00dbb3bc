#include "support/releves_ranges.h"

#include "acquisition/ligne.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"

#include <cmath>

void ranger_essai(int i, const QDate& jour, const QTime& heure, bool relatif, int langue_lignes, int nb_voies,
                  double v1, double v2)
{
    const int langue_avant = langue, relatif_avant = Acq.temps_relatif, compteur_avant = compteur_grandeur;
    const unsigned char indefini_avant[2] = {Donnee[1].indefini, Donnee[2].indefini};
    langue = langue_lignes;
    Acq.temps_relatif = relatif ? 1 : 0;
    compteur_grandeur = nb_voies;
    const double v[2] = {v1, v2};
    for (int k = 1; k <= 2; ++k) {
        Donnee[k].indefini = std::isnan(v[k - 1]) ? 1 : 0;
        point[k][i] = std::isnan(v[k - 1]) ? 0.0 : v[k - 1];
    }
    const QString ligne = ranger_releve(i, QDateTime(jour, relatif ? QTime(0, 0) : heure),
                                        relatif ? heure.msecsSinceStartOfDay() / 1000 : 0);
    langue = langue_avant;
    Acq.temps_relatif = relatif_avant;
    compteur_grandeur = compteur_avant;
    Donnee[1].indefini = indefini_avant[0];
    Donnee[2].indefini = indefini_avant[1];
    if (tk::panel_valide(Info[0].panel))
        liaison<PnlDonnees>(Info[0].panel).liste->addItem(ligne, i);
}
