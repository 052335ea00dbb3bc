#include "acquisition/modele.h"

#include "acquisition/ligne.h"

#include "socle/globals.h"

#include <algorithm>
#include <cmath>

namespace modele {

namespace {

std::vector<Ecouteur*>& ecouteurs()
{
    static std::vector<Ecouteur*> liste;
    return liste;
}

// A listener may unsubscribe while it hears: the round goes over a copy.
template <typename F>
void annoncer(F&& f)
{
    const std::vector<Ecouteur*> tous = ecouteurs();
    for (Ecouteur* e : tous)
        f(*e);
}

bool voie_valide(int k)
{
    return k >= 1 && k < NB_VOIES_TABLE;
}

} // namespace

void oublier_extremes()
{
    Donnee[1].maxi = 0.0;
    Donnee[2].maxi = 0.0;
}

void oublier_avis()
{
    Mesure.avis_indefini = 0;
    Mesure.avis_limite = 0;
}

void aucune_grandeur_comptee()
{
    compteur_grandeur = 0;
}

void sans_acquisition()
{
    Acq.en_cours = 0;
}

void abonner(Ecouteur& e)
{
    auto& l = ecouteurs();
    if (std::find(l.begin(), l.end(), &e) == l.end())
        l.push_back(&e);
}

void desabonner(Ecouteur& e)
{
    auto& l = ecouteurs();
    l.erase(std::remove(l.begin(), l.end(), &e), l.end());
}

void annoncer_avis(Avis a)
{
    annoncer([a](Ecouteur& e) { e.avis(a); });
}

void annoncer_information(const QString& message, const QString& detail)
{
    annoncer([&](Ecouteur& e) { e.information(message, detail); });
}

void lancer()
{
    Acq.en_cours = 1;
    Acq.nb_points = 0;
    pas_x = 0;
    oublier_extremes();
    annoncer([](Ecouteur& e) { e.acquisition_lancee(); });
}

bool stocker_releve(const QDateTime& instant, double ecart)
{
    const int n = Acq.nb_points;
    if (n < 0 || n >= NB_RELEVES_MAX)
        return false;
    ptx[n] = pas_x;
    for (int v = 1; v <= Mesure.nb_voies && v <= 2; ++v) {
        if (Mesure.avis_indefini == 1 && Donnee[v].indefini == 1)
            Donnee[v].releves[n] = 0.0;
        point[v][n] = Donnee[v].releves[n];
    }
    // The line is made from what was just stored, as Save and the exports make it.
    const QString ligne = ranger_releve(n, instant, ecart);
    annoncer([&](Ecouteur& e) { e.releve_stocke(n, ligne); });
    ++Acq.nb_points;
    // Unsaved from the first reading on, until Save or the readings are cleared.
    Acq.non_enregistre = 1;
    ++pas_x;
    return true;
}

bool limite_atteinte()
{
    return (Acq.nb_max != 0 && Acq.nb_points > Acq.nb_max) || Acq.nb_points >= NB_RELEVES_MAX;
}

void suspendre()
{
    annoncer([](Ecouteur& e) { e.acquisition_suspendue(); });
}

void arreter()
{
    Acq.en_cours = 0;
    flag_demande_lancer = 0;
    oublier_extremes();
    Acq.heure_rel = mem_hrel;
    annoncer([](Ecouteur& e) { e.acquisition_arretee(); });
}

void remise_mode()
{
    Acq.en_cours = 0;
    Acq.nb_points = 0;
    pas_x = 0;
    annoncer([](Ecouteur& e) { e.mode_change(); });
}

void effacer()
{
    Acq.periode_ouverte = PERIODE_DE_REGLAGE;
    Acq.nb_points = 0;
    Acq.non_enregistre = 0;
    vider_releves();
    annoncer([](Ecouteur& e) { e.releves_effaces(); });
}

void marquer_enregistre()
{
    Acq.non_enregistre = 0;
}

void marquer_non_enregistre()
{
    Acq.non_enregistre = 1;
}

bool annuler_choix()
{
    if (Acq.en_cours)
        return true;
    flag_demande_lancer = 0;
    return false;
}

void choix_modifie()
{
    annoncer([](Ecouteur& e) { e.choix_modifie(); });
}

void regler_mesure(int port, int type_reseau, int nb_voies)
{
    Mesure.port = port;
    Mesure.type_reseau = type_reseau;
    Mesure.nb_voies = nb_voies;
}

void regler_voie(int k, int grandeur, int num_fenetre, const char* libelle)
{
    if (!voie_valide(k))
        return;
    Donnee[k].grandeur = grandeur;
    Donnee[k].num_fenetre = num_fenetre;
    if (libelle)
        copie_texte(Donnee[k].libelle, libelle);
}

void voie_en_fenetre(int k, int w)
{
    if (!voie_valide(k))
        return;
    Donnee[k].num_fenetre = w;
}

void oublier_trace(int k)
{
    if (voie_valide(k))
        Donnee[k].trace = -1;
}

void trace_voie(int k, int handle)
{
    if (voie_valide(k))
        Donnee[k].trace = handle;
}

void extremes_voie(int k, double maxi, double mini)
{
    if (!voie_valide(k))
        return;
    Donnee[k].maxi = maxi;
    Donnee[k].mini = mini;
}

void couleur_voie(int k, int couleur)
{
    if (voie_valide(k))
        Donnee[k].coul = couleur;
}

void regler_horodatage(double heure_rel, int temps_relatif)
{
    Acq.heure_rel = heure_rel;
    mem_hrel = heure_rel;
    Acq.temps_relatif = temps_relatif;
}

void regler_temps_relatif(int temps_relatif)
{
    Acq.temps_relatif = temps_relatif;
}

void regler_periode(int periode, int nb_max)
{
    Acq.periode = periode;
    Acq.nb_max = nb_max;
}

void port_ouvert(bool ouvert)
{
    Acq.port_ouvert = ouvert ? 1 : 0;
}

void port_instrument(int port)
{
    Mesure.port = port;
}

void charger_nombre(int nb_points)
{
    Acq.nb_points = std::clamp(nb_points, 0, NB_RELEVES_MAX);
}

void charger_abscisses(const std::vector<int>& x)
{
    std::copy_n(x.begin(), std::min<std::size_t>(x.size(), NB_RELEVES_MAX), ptx);
}

void charger_valeurs(int k, const std::vector<double>& v)
{
    if (!voie_valide(k))
        return;
    // An undefined reading ("----") plots at 0, as an acquisition plots it,
    // not at a value of the recording shown before.
    const int n = Acq.nb_points;
    std::fill(point[k], point[k] + n, 0.0);
    for (int j = 0; j < n && j < int(v.size()); ++j)
        if (!std::isnan(v[std::size_t(j)]))
            point[k][j] = v[std::size_t(j)];
}

void charger_periode(int periode)
{
    Acq.periode_ouverte = periode;
}

void enregistrement_charge(const QStringList& lignes)
{
    annoncer([&](Ecouteur& e) { e.enregistrement_charge(lignes); });
}

} // namespace modele
