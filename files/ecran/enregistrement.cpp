#include "files/ecran/enregistrement.h"

#include "acquisition/modele.h"

#include "socle/ecran/fenetre_graphe.h"
#include "socle/globals.h"
#include "socle/lecture_fichier.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "socle/reglages.h"
#include "graph/fiches_fenetres.h"
#include "graph/fenetres_voies.h"
#include "files/ecran/fichier.h"
#include "files/format.h"
#include "files/journal.h"
#include "acquisition/ligne.h"
#include "graph/emplacements.h"
#include "graph/courbes.h"
#include "graph/axe_temps.h"
#include "graph/defilement.h"
#include "graph/fenetres.h"
#include "graph/valeurs_curseurs.h"
#include "graph/zoom.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <qcustomplot.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace {

// The recording's data file (chemin_releves).
QString& chemin_en_cours()
{
    static QString c;
    return c;
}

// The progress panel, shown modal while a recording is written or read.
// Percentages only go up; each new one is painted at once, as the work runs
// without returning to the event loop.
class Progression {
public:
    Progression()
    {
        panel_ = tk::LoadPanel(0, PNL_PROGRESS);
        if (panel_ < 1) {
            panel_ = 0;
            return;
        }
        Fen_princ[PNL_PROGRESS] = panel_;
        PnlProgression& p = liaison<PnlProgression>(panel_);
        p.jauge->setRange(0, 100);
        p.jauge->setValue(0);
        p.pourcentage->setText(QStringLiteral("0 %"));
        tk::InstallPopup(panel_);
    }
    ~Progression() { fermer(); }
    Progression(const Progression&) = delete;
    Progression& operator=(const Progression&) = delete;

    void montrer(int pourcent)
    {
        if (pourcent <= dernier_ || !panel_)
            return;
        dernier_ = pourcent;
        PnlProgression& p = liaison<PnlProgression>(panel_);
        p.jauge->setValue(pourcent);
        p.pourcentage->setText(QStringLiteral("%1 %").arg(pourcent));
        p.jauge->repaint();
        p.pourcentage->repaint();
    }

    // Item i of n shown in the half of the gauge starting at `base` (0 or 50).
    Avance moitie(int base)
    {
        if (!panel_)
            return {};
        return [this, base](int i, int n) {
            if (n <= 0)
                return;
            const int p = base + (50 * i + 50) / n;
            if (p > dernier_)
                montrer(p);
        };
    }

    void fermer()
    {
        if (!panel_)
            return;
        tk::RemovePopup(panel_);
        tk::DiscardPanel(panel_);
        if (Fen_princ[PNL_PROGRESS] == panel_)
            Fen_princ[PNL_PROGRESS] = 0;
        panel_ = 0;
    }

private:
    int panel_ = 0;
    int dernier_ = 0;
};

// Wait cursor for the life of the object.
class Attente {
public:
    Attente() { plateforme().popups->curseur_attente(true); }
    ~Attente() { plateforme().popups->curseur_attente(false); }
    Attente(const Attente&) = delete;
    Attente& operator=(const Attente&) = delete;
};

void retuiler()
{
    Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, Fen_princ[PNL_PRINC]);
}

// A folder, device or pipe chosen, or found where a file of the pair goes;
// `titre` names the command.
void dire_pas_un_fichier(const char* const* titre, const QString& chemin)
{
    plateforme().popups->message(qtxt(titre), qtxt(tx::pas_un_fichier).arg(QDir::toNativeSeparators(chemin)));
}

// ---- saving -----------------------------------------------------------------

} // namespace

bool accepter_remplacement()
{
    // No is the default and the Escape answer: replacing takes a Yes.
    return plateforme().popups->question(qtxt(tx::enregist), qtxt(tx::confir2),
                                         {mnemonique(mot_oui()), mnemonique(mot_non()), QString()}, 2, 2) == 1;
}

namespace {

// The data file to save to, after the overwrite question; empty when the
// user cancels.
QString choisir_fichier_enregistrement()
{
    Popups& popups = *plateforme().popups;
    for (;;) {
        const std::optional<QString> choix =
            popups.fichier(qtxt(tx::enregist), QString(), QStringLiteral("*.dat"), true);
        if (!choix || choix->isEmpty())
            return {};
        // The filter promises a data file: a name typed without an extension
        // gets ".dat", so that Open and the recent list take it.
        QString chemin = *choix;
        if (QFileInfo(chemin).suffix().isEmpty() && !autre_qu_un_fichier(chemin))
            chemin += QStringLiteral(".dat");
        // Neither file of the pair can be written over a folder, a device
        // or a pipe: refused before anything is written.
        for (const QString& c : {chemin, chemin_configuration(chemin)})
            if (autre_qu_un_fichier(c)) {
                dire_pas_un_fichier(tx::enregist, c);
                return {};
            }
        if (!QFileInfo::exists(chemin))
            return chemin;
        if (accepter_remplacement())
            return chemin;
    }
}

// ---- opening ----------------------------------------------------------------

// The configuration file of a chosen path: the paired name, else the first
// of the names earlier versions paired it with that exists; empty when none
// does.
QString trouver_configuration(const QString& chemin)
{
    const QString cfg = chemin_configuration(chemin);
    if (QFileInfo::exists(cfg))
        return cfg;
    for (const QString& ancien : chemins_configuration_anciens(chemin))
        if (QFileInfo::exists(ancien))
            return ancien;
    return {};
}

// Puts the configuration read into the records.
void appliquer_configuration(const Configuration& c, bool avec_x)
{
    // On reading, the second channel line's copies of the shared fields win.
    for (const VoieFichier& v : c.voies)
        modele::regler_mesure(v.port, v.type_reseau, v.nb_voies);
    for (int k = 1; k <= 2; ++k) {
        const VoieFichier& v = c.voies[std::size_t(k - 1)];
        // A channel out of use has no window; its stored index would name
        // one of the windows rebuilt for the others.
        modele::regler_voie(k, v.grandeur, k <= Mesure.nb_voies ? v.num_fenetre : -1,
                            libelle_du_canal(v.libelle).constData());
    }
    modele::regler_horodatage(c.heure_rel, c.temps_relatif);
    modele::charger_nombre(c.nb_points);
    if (avec_x)
        modele::charger_abscisses(c.x);
}

// One graph window per channel, in a fresh set of windows.
void refaire_fenetres()
{
    for (int w = 1; w < nb_panel && w < NB_FENETRES; ++w)
        echelle_y_automatique(w);
    fermer_graphes();
    ouvrir_graphes_voies(Mesure.nb_voies);
    tk::SetItemChecked(ITEM_TPSREEL, Acq.temps_relatif == 1);
    tk::SetItemChecked(ITEM_TPSABS, Acq.temps_relatif != 1);
    fixer_intervalle_minuterie(intervalle_periode(Acq.periode));

    // The connection labels clear the recording: the count read comes back after.
    const int n = Acq.nb_points;
    Maj_connexion();
    retuiler();
    modele::charger_nombre(n);
}

// Channel k's curve over the whole recording, its Y axis, then Zoom Out
// until the recording fits the visible time span or the zoom reaches its end.
void tracer_enregistrement(int k)
{
    const int w = Donnee[k].num_fenetre;
    if (!fenetre_graphe(w))
        return;
    const int n = Acq.nb_points;
    if (n > 0)
        tracer_courbe(k, n);
    Zoom_AXE_Y(k, Info[w].panel);
    // Labels on the recording's own period.
    maj_axe_x(Info[w].panel);

    QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
    for (;;) {
        const QCPRange x = g->xAxis->range();
        const int index = Info[w].zoom_index;
        if (index <= 0 || index >= NB_ZOOMS - 1 || n < x.upper - x.lower)
            break;
        rendre_active(w);
        zoomer_fenetre(w, -1);
        if (Info[w].zoom_index == index)
            break;
    }
}

// Puts the readings read into the plot copies, the stored readings and the
// readings list.
void appliquer_releves(const Releves& r, int nb_valeurs)
{
    const int n = std::min<int>(Acq.nb_points, int(r.lignes.size()));
    modele::charger_nombre(n);
    for (int k = 1; k <= nb_valeurs; ++k)
        modele::charger_valeurs(k, r.valeurs[std::size_t(k - 1)]);
    ranger_releves_lus(r.lignes, n, r.valeurs, nb_valeurs, Acq.temps_relatif == 1, langue == 1);
    modele::enregistrement_charge(n == r.lignes.size() ? r.lignes : r.lignes.mid(0, n));
}

} // namespace

void commande_ouvrir()
{
    const std::optional<QString> choix = plateforme().popups->fichier(
        qtxt(tx::ouvrir), QString(), QStringLiteral("*.dat;;*.cfg"), false);
    if (!choix || choix->isEmpty())
        return;
    if (autre_qu_un_fichier(*choix)) {
        dire_pas_un_fichier(tx::ouvrir, *choix);
        return;
    }
    if (!QFileInfo(*choix).isFile())
        return;
    if (genre_fichier(*choix) == GenreFichier::Aucun)
        Popup_erreur(MSG_TYPE_INVALIDE);
    else
        Ouverture_fichier(*choix);
    retuiler();
}

bool proposer_enregistrement()
{
    if (Acq.non_enregistre == 0 || Acq.nb_points <= 0 || Acq.en_cours)
        return true;
    // Yes is the default: Enter keeps the readings. Escape cancels the command.
    const int r = plateforme().popups->question(
        qtxt(tx::enregist), qtxt(tx::sauver_donnee),
        {mnemonique(mot_oui()), mnemonique(mot_non()), mnemonique(txt(tx::annuler))}, 1, 3);
    if (r == 1)
        return commande_enregistrer();
    return r == 2;
}

void commande_recent(int item)
{
    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k) {
        if (item == 0 || fichier_menu[k] != item)
            continue;
        const QString chemin = QString::fromUtf8(nom[k]).mid(4);
        if (genre_fichier(chemin) != GenreFichier::Aucun)
            Ouverture_fichier(chemin);
        retuiler();
        return;
    }
}

bool commande_enregistrer()
{
    if (Acq.nb_points <= 0)
        return false;
    const QString chemin = choisir_fichier_enregistrement();
    if (chemin.isEmpty())
        return false;
    // A configuration file's name for the data would have both files written
    // to the same place, the configuration over the readings.
    if (genre_fichier(chemin) == GenreFichier::Configuration) {
        Popup_erreur(MSG_TYPE_INVALIDE);
        return false;
    }
    const QString cfg = chemin_configuration(chemin);
    const Configuration c = configuration_courante();
    const int n = c.nb_points;

    bool ok = false;
    {
        Attente attente;
        Progression progression;
        ok = enregistrer_paire(chemin, cfg, [&](QIODevice& f, int i) {
            if (i == 0)
                return ecrire_releves(f, n, progression.moitie(0));
            return ecrire_configuration(f, c, progression.moitie(50));
        });
        if (ok) {
            modele::marquer_enregistre();
            chemin_en_cours() = chemin;
            journal_garder(false);
            journal_abandonner();
        }
        if (ok && genre_fichier(chemin) == GenreFichier::Donnees)
            Memo_fichier(chemin);
    }
    if (!ok) {
        // Not saved: New, Open and quitting still ask about these readings,
        // and their journal stays.
        modele::marquer_non_enregistre();
        journal_garder(true);
        Popup_erreur(MSG_ECRITURE);
    }
    return ok;
}

namespace {

int ouvrir_enregistrement(const QString& chemin, bool reprise)
{
    if (autre_qu_un_fichier(chemin)) {
        dire_pas_un_fichier(tx::ouvrir, chemin);
        return -1;
    }
    if (!QFileInfo(chemin).isFile()) {
        Popup_erreur(MSG_INTROUVABLE);
        return -1;
    }
    if (Acq.en_cours)
        return -1;
    const bool donnees = genre_fichier(chemin) != GenreFichier::Configuration;

    // Everything is read and checked before anything changes: a refused file
    // leaves the recording, the windows and the set-up as they were.
    Configuration c;
    Releves r;
    int erreur = 0;
    // Which of the pair is a folder, a device or a pipe: neither is opened
    // (a pipe would hold the program until something writes to it).
    QString pas_un_fichier;
    auto ouvrir = [&erreur, &pas_un_fichier](QFile& f, const QString& p) {
        switch (ouvrir_en_lecture(f, p)) {
        case Ouverture::ouvert:
            return true;
        case Ouverture::absent:
            erreur = MSG_INTROUVABLE;
            break;
        case Ouverture::pas_un_fichier:
            pas_un_fichier = p;
            break;
        case Ouverture::refuse:
            erreur = MSG_OUVERTURE;
            break;
        }
        return false;
    };
    {
        Attente attente;
        const QString chemin_cfg = donnees ? trouver_configuration(chemin) : chemin;
        QFile cfg;
        if (chemin_cfg.isEmpty()) {
            erreur = MSG_INTROUVABLE;
        } else if (ouvrir(cfg, chemin_cfg)) {
            // The gauge comes up for a data file, before the x positions.
            std::optional<Progression> progression;
            if (donnees)
                progression.emplace();
            if (lire_configuration(cfg, donnees, c, donnees ? progression->moitie(0) : Avance{}) !=
                Lecture::Bonne) {
                erreur = MSG_FORMAT_INVALIDE;
            } else if (donnees) {
                QFile dat;
                const int nb_valeurs = c.voies[1].port != 0 ? c.voies[1].nb_voies : 0;
                if (ouvrir(dat, chemin) &&
                    lire_donnees(dat, c.nb_points, nb_valeurs, r, progression->moitie(50)) != Lecture::Bonne)
                    erreur = MSG_FORMAT_INVALIDE;
            }
        }
    }
    if (!pas_un_fichier.isEmpty()) {
        dire_pas_un_fichier(tx::ouvrir, pas_un_fichier);
        return -1;
    }
    if (erreur != 0) {
        Popup_erreur(erreur);
        return -1;
    }
    // Asked once the file is known to open: a refused file asks nothing.
    if (!reprise && !proposer_enregistrement())
        return -1;

    Attente attente;
    // What was in hand has been saved or let go.
    modele::marquer_enregistre();
    appliquer_configuration(c, donnees);
    refaire_fenetres();
    // Clearing the recording on the way turned the wait cursor off.
    plateforme().popups->curseur_attente(true);
    if (donnees) {
        const int annonces = Acq.nb_points;
        appliquer_releves(r, Mesure.port != 0 ? Mesure.nb_voies : 0);
        // The time axis stands on the recording's own period; the
        // reading-interval setting stays the user's.
        modele::charger_periode(periode_des_releves(r.lignes.mid(0, Acq.nb_points)));
        // A data file cut short opens with what it holds, and says so.
        if (Acq.nb_points < annonces)
            plateforme().popups->message(
                qtxt(tx::titre_releves_manquants),
                qtxt(tx::releves_manquants).arg(Acq.nb_points).arg(annonces));
        if (Mesure.port != 0)
            for (int k = 1; k <= Mesure.nb_voies; ++k)
                tracer_enregistrement(k);
        poser_curseurs_releve(0);
    } else {
        // A configuration alone brings the set-up, no readings.
        modele::charger_nombre(0);
    }
    if (reprise) {
        // Still to be saved: New, Open and quitting ask about it.
        if (Acq.nb_points > 0)
            modele::marquer_non_enregistre();
        else
            modele::marquer_enregistre();
        chemin_en_cours().clear();
        return 0;
    }
    chemin_en_cours() = chemin;
    // The recording in hand has given way to this one.
    journal_abandonner();
    Memo_fichier(chemin);
    tk::SetPanelTitle(Fen_princ[PNL_PRINC], titre_fichier(chemin));
    return 0;
}

} // namespace

QString chemin_releves()
{
    return chemin_en_cours();
}

void oublier_chemin_releves()
{
    chemin_en_cours().clear();
}

int Ouverture_fichier(const QString& chemin)
{
    return ouvrir_enregistrement(chemin, false);
}

int ouvrir_reprise(const QString& chemin)
{
    return ouvrir_enregistrement(chemin, true);
}

void Memo_fichier(const QString& chemin)
{
    reglages::ajouter_fichier_recent(chemin);
}
