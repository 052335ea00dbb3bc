// The reading model. The records of an acquisition and its readings (`Acq`,
// `Mesure`, `Donnee`, the plotted copies `point`, `ptx` and `pas_x`, declared
// in socle/globals.h) are read by everyone and written here, through the
// operations below; what changes what the views show is announced to the
// listeners, on the one user-interface thread, in the order they subscribed.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace modele {

// What the cycle tells the user while it reads the instrument.
enum class Avis {
    liaison_perdue,     // a read failed: the link-failure notice comes up
    liaison_detail,     // the device tried and why the last read failed (diagnostic_liaison())
    liaison_retablie,   // the link-failure notice goes
    valeurs_indefinies, // a reading held undefined values
    hors_limites,       // a reading was out of the instrument's range
};

// What a view hears. Every method does nothing unless overridden.
class Ecouteur {
public:
    virtual ~Ecouteur() = default;
    // Reading `index` is in the channels and in the plotted copies
    // (point[v][index], ptx[index]); `ligne` is its line in the readings list.
    // It is counted once every listener has run: Acq.nb_points is still
    // `index` meanwhile. Runs on every tick: it must be quick.
    virtual void releve_stocke(int index, const QString& ligne) { (void)index; (void)ligne; }
    virtual void acquisition_lancee() {}
    // Pause or resume (the same command toggles).
    virtual void acquisition_suspendue() {}
    virtual void acquisition_arretee() {}
    // The readings in hand are gone (New, Run); Acq.nb_points is 0.
    virtual void releves_effaces() {}
    // A recording was read: `lignes` are its readings list, one per reading
    // stored (Acq.nb_points of them).
    virtual void enregistrement_charge(const QStringList& lignes) { (void)lignes; }
    // The instrument changed mode during an acquisition: it was reset.
    virtual void mode_change() {}
    // A quantity was ticked or unticked in the measurement-type dialog: the
    // channel windows' limits belonged to the quantities being replaced.
    virtual void choix_modifie() {}
    // A notice of the cycle (Avis). The two of a reading are raised once per
    // episode: the cycle says it when the episode starts.
    virtual void avis(Avis a) { (void)a; }
    // The information notice for one second: the warning title, then
    // `message` (a null text: the form's own, the instrument's mode) and
    // `detail`. The listener that shows it holds the cycle for that second.
    virtual void information(const QString& message, const QString& detail) { (void)message; (void)detail; }
};

// A listener subscribed twice hears each event once.
void abonner(Ecouteur& e);
void desabonner(Ecouteur& e);

// The cycle's notices, told to the listeners.
void annoncer_avis(Avis a);
void annoncer_information(const QString& message, const QString& detail);

// ---- a run --------------------------------------------------------------------
// A run starts on cleared readings: running, no reading, the time axis at its
// start, the channels' extremes forgotten.
void lancer();
// The latest values of the tick, already in Donnee[v].releves[Acq.nb_points]
// (acquisition/stockage), become reading Acq.nb_points, taken at `instant`,
// `ecart` seconds after the first reading: an undefined value stores 0 once
// its notice was given, the plotted copies take the values, the reading's
// instant is kept and its line made (acquisition/ligne), the listeners hear
// it, then it is counted and the readings are unsaved.
// False, and nothing stored, when the channels are full.
bool stocker_releve(const QDateTime& instant, double ecart);
// The run has reached its limit of readings (its own, or the capacity).
bool limite_atteinte();
void suspendre();
// The run ends; the time reference goes back to the one set.
void arreter();
// The instrument changed mode: the run is reset, its readings dropped
// (the user was asked about them).
void remise_mode();

// The channels' highest readings forgotten (the Y scale starts again from them).
void oublier_extremes();
// The undefined-values and out-of-limits notices may be raised again.
void oublier_avis();
// A Setup command works on no acquisition.
void sans_acquisition();
// Start-up: no quantity counted yet (the settings file gives the channels).
void aucune_grandeur_comptee();

// ---- the readings in hand ----------------------------------------------------------
// New (and Run) clears: no reading, nothing to save, the axes back on the set period.
void effacer();
void marquer_enregistre();
void marquer_non_enregistre();
// Setup > Type of measurement > Cancel: Run waits for the next choice. The
// readings in hand keep their state (saved readings stay saved). True when
// an acquisition runs, which the caller then stops.
bool annuler_choix();
// A box of the measurement-type dialog changed.
void choix_modifie();

// ---- set-up and recordings ------------------------------------------------------------
// The shared fields of the channel lines (settings file or recording).
void regler_mesure(int port, int type_reseau, int nb_voies);
// Channel k's quantity, window and label.
void regler_voie(int k, int grandeur, int num_fenetre, const char* libelle);
// Channel k shown in window w (-1: in none); its curve handle forgotten.
void voie_en_fenetre(int k, int w);
void oublier_trace(int k);
// Channel k's curve is plot `handle` of its window.
void trace_voie(int k, int handle);
// The highest and lowest readings channel k's Y scale has seen.
void extremes_voie(int k, double maxi, double mini);
void couleur_voie(int k, int couleur);
void regler_horodatage(double heure_rel, int temps_relatif);
// Time stamps relative to the first reading (1) or times of day (0).
void regler_temps_relatif(int temps_relatif);
void regler_periode(int periode, int nb_max);
void port_ouvert(bool ouvert);
// The instrument's COM number, once its port opened.
void port_instrument(int port);
// A recording read from a file: its count of readings, their x positions
// (when the file had them), then each channel's values (NaN: undefined,
// plotted at 0), then the announcement with its list lines.
void charger_nombre(int nb_points);
void charger_abscisses(const std::vector<int>& x);
void charger_valeurs(int k, const std::vector<double>& valeurs);
void charger_periode(int periode);
void enregistrement_charge(const QStringList& lignes);

} // namespace modele
