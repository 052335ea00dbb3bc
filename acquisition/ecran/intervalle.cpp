#include "acquisition/ecran/intervalle.h"
#include "acquisition/intervalle.h"
#include "acquisition/modele.h"
#include "acquisition/periodes.h"

#include "socle/commandes.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "acquisition/ecran/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/dialogue.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "link/jbus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// Capacity before the dialog opened: Cancel puts it back, so that a period
// tried and abandoned does not become the time limit of the next acquisition.
double val_a_l_ouverture = 0.0;


bool est_intervalle(int p)
{
    return p > 0 && tk::panel_valide(p) && tk::type_panel(p) == PNL_INTERVAL;
}

int periode_anneau(const PnlIntervalle& d)
{
    const QVariant v = d.anneau_intervalle->currentData();
    return v.isValid() ? v.toInt() : -1;
}

// The ring is empty in the form: the on-request entry (-1), then the offered
// periods, each item's data its period.
void remplir_anneau(PnlIntervalle& d)
{
    QComboBox* r = d.anneau_intervalle;
    r->clear();
    r->addItem(qtxt(tx::monocoup), -1);
    for (const PeriodeOfferte& o : periodes_offertes())
        r->addItem(QString::fromLatin1(o.texte), o.periode);
}

// Shows `periode` in the ring. A period the ring does not offer (from a
// settings or configuration file) is added in its place among the others
// rather than shown as another one that OK would then apply.
void choisir_periode(PnlIntervalle& d, int periode)
{
    QComboBox* r = d.anneau_intervalle;
    int i = r->findData(periode);
    if (i < 0 && periode > 0) {
        i = 0;
        while (i < r->count() && r->itemData(i).toInt() < periode)
            ++i;
        r->insertItem(i, QStringLiteral("%1 s").arg(periode), periode);
    }
    r->setCurrentIndex(std::max(i, 0));
}

// The duration box and its label are dimmed together.
void activer_case_duree(PnlIntervalle& d, bool actif)
{
    d.case_duree->setEnabled(actif);
    d.duree->setEnabled(actif);
}

// The period ring was committed: capacity for the new period, or nothing to
// limit in the on-request mode.
void etape_anneau(PnlIntervalle& d)
{
    const int p = periode_anneau(d);
    activer_case_duree(d, true);
    if (p == -1) {
        d.texte_capacite->clear();
        d.case_duree->setChecked(false);
        activer_case_duree(d, false);
        d.champ_duree->setEnabled(false);
        return;
    }
    val = capacite_periode(p);
    d.texte_capacite->setText(texte_capacite(val));
}

// OK: nothing is applied unless everything is; a refused duration leaves the
// dialog open and the settings as they were.
void appliquer_intervalle(int panel, PnlIntervalle& d)
{
    const int p = periode_anneau(d);
    // The on-request mode takes one reading per Run: a duration means nothing there.
    const bool limite = p != -1 && d.case_duree->isChecked();
    int nb_max = NB_RELEVES_MAX;
    if (limite) {
        const QString texte = d.champ_duree->text();
        const ControleDuree c = controler_duree(texte, p, capacite_periode(p));
        if (c.erreur != 0) {
            Popup_erreur(c.erreur);
            return;
        }
        nb_max = c.nb_max;
        copie_texte(s1, texte.toLatin1().constData());
    }
    modele::regler_periode(p, nb_max);
    if (p != -1)
        fixer_intervalle_minuterie(p == 0 ? 0.5 : double(p));
    check = limite ? 1 : 0;
    // The cycle's time limit follows the period applied, whatever the ring
    // showed on the way; none in the on-request mode.
    val = capacite_periode(p);
    ResetTimer();
    fermer_dialogue(panel);
    commander(Commande::nouveau);
}

} // namespace


void traduc_intervalle()
{
    const int p = Fen_princ[PNL_INTERVAL];
    if (!est_intervalle(p))
        return;
    PnlIntervalle& d = liaison<PnlIntervalle>(p);
    tk::SetPanelTitle(p, qtxt(tx::interval));
    d.quitter->setText(mnemonique(txt(tx::quitter)));
    d.interval->setText(qtxt(tx::interval));
    d.duree->setText(qtxt(tx::duree));
    d.capacite->setText(qtxt(tx::capacite));
    if (d.anneau_intervalle->count() == 0)
        remplir_anneau(d);
    d.anneau_intervalle->setItemText(0, qtxt(tx::monocoup));
    d.anneau_intervalle->setItemData(0, -1);
}

void ouvrir_intervalle()
{
    const int p = charger_dialogue(PNL_INTERVAL, traduc_intervalle);
    if (p < 1)
        return;
    val_a_l_ouverture = val;

    PnlIntervalle& d = liaison<PnlIntervalle>(p);
    if (check == 1) {
        d.case_duree->setChecked(true);
        d.champ_duree->setEnabled(true);
        d.champ_duree->setText(QString::fromLatin1(s1));
    }
    choisir_periode(d, Acq.periode);
    // Opened in the on-request mode, the duration is out of use as if the
    // ring had just been set to it; the capacity stays empty either way.
    if (Acq.periode == -1)
        etape_anneau(d);

    relier_signal(p, d.anneau_intervalle, &QComboBox::activated, intervalle, INTERVALLE_ANNEAU);
    relier_signal(p, d.case_duree, &QCheckBox::toggled, intervalle, INTERVALLE_CASE_DUREE);
    relier_bouton(p, d.bouton_ok, intervalle, INTERVALLE_OK);
    relier_bouton(p, d.quitter, intervalle, INTERVALLE_ANNULER);
    montrer_dialogue(p);
}

int intervalle(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_intervalle(panel))
        return 0;
    PnlIntervalle& d = liaison<PnlIntervalle>(panel);
    switch (control) {
    case INTERVALLE_ANNEAU:
        etape_anneau(d);
        break;
    case INTERVALLE_CASE_DUREE:
        if (val == 0.0)
            intervalle(panel, INTERVALLE_ANNEAU, EVENT_COMMIT, nullptr, 0, 0);
        d.champ_duree->setEnabled(d.case_duree->isChecked());
        break;
    case INTERVALLE_OK:
        appliquer_intervalle(panel, d);
        break;
    case INTERVALLE_ANNULER:
        val = val_a_l_ouverture;
        fermer_dialogue(panel);
        break;
    default:
        break;
    }
    return 0;
}

