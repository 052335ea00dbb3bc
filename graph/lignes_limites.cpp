#include "graph/lignes_limites.h"

#include "acquisition/limites.h"
#include "graph/fenetres.h"
#include "socle/globals.h"
#include "socle/ecran/panels.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/dialogue.h"
#include "graph/traces.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>

namespace {

constexpr double LIMITE_X_FIN = 30000.0;
constexpr int NOIR = 0;

int ligne(int w, double niveau)
{
    return PlotLine(Info[w].panel, 0.0, niveau, LIMITE_X_FIN, niveau, NOIR);
}

} // namespace

void Traduc_alarme()
{
    const int p = Fen_princ[PNL_ALARME];
    if (!tk::panel_valide(p))
        return;
    tk::SetPanelTitle(p, qtxt(tx::alarme));
    liaison<PnlAlarme>(p).quitter->setText(mnemonique(txt(tx::quitter)));
}

void ouvrir_alarme()
{
    if (grafic == -1) {
        Popup_erreur(MSG_AUCUN_GRAPHE);
        return;
    }
    if (grafic == 0 || Acq.en_cours || !fenetre_graphe(grafic))
        return;
    const int p = charger_dialogue(PNL_ALARME, Traduc_alarme);
    if (p < 1)
        return;

    PnlAlarme& a = liaison<PnlAlarme>(p);
    const InfoRecord& f = Info[grafic];
    if (f.limite != LIMITE_AUCUNE) {
        a.case_alarme->setChecked(f.alarme != 0);
        if (limite_basse_active(f.limite)) {
            a.case_bas->setChecked(true);
            a.seuil_bas->setEnabled(true);
            a.seuil_bas->setValue(f.seuil_bas);
        }
        if (limite_haute_active(f.limite)) {
            a.case_haut->setChecked(true);
            a.seuil_haut->setEnabled(true);
            a.seuil_haut->setValue(f.seuil_haut);
        }
    }

    relier_signal(p, a.case_bas, &QCheckBox::toggled, Alarmes, ALARME_CASE_BAS);
    relier_signal(p, a.case_haut, &QCheckBox::toggled, Alarmes, ALARME_CASE_HAUT);
    relier_bouton(p, a.bouton_ok, Alarmes, ALARME_OK);
    relier_bouton(p, a.quitter, Alarmes, ALARME_ANNULER);
    montrer_dialogue(p);
}

int Alarmes(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_panel(panel, PNL_ALARME))
        return 0;
    PnlAlarme& a = liaison<PnlAlarme>(panel);
    switch (control) {
    case ALARME_CASE_BAS: a.seuil_bas->setEnabled(a.case_bas->isChecked()); break;
    case ALARME_CASE_HAUT: a.seuil_haut->setEnabled(a.case_haut->isChecked()); break;
    case ALARME_OK: {
        const int w = grafic;
        if (fenetre_graphe(w)) {
            InfoRecord& f = Info[w];
            effacer_limites(w);
            if (a.case_bas->isChecked()) {
                f.seuil_bas = a.seuil_bas->value();
                f.limite = LIMITE_BASSE;
                f.trace_bas = ligne(w, f.seuil_bas);
            }
            if (a.case_haut->isChecked()) {
                f.seuil_haut = a.seuil_haut->value();
                f.limite = f.limite == LIMITE_BASSE ? LIMITE_DEUX : LIMITE_HAUTE;
                f.trace_haut = ligne(w, f.seuil_haut);
            }
            ordonner_limites(f);
            f.alarme = a.case_alarme->isChecked() ? 1 : 0;
        }
        fermer_dialogue(panel);
        break;
    }
    case ALARME_ANNULER: fermer_dialogue(panel); break;
    default: break;
    }
    return 0;
}

void tracer_limites(int w)
{
    if (!fenetre_graphe(w))
        return;
    InfoRecord& f = Info[w];
    const int panel = f.panel;
    DeleteGraphPlot(panel, f.trace_bas);
    DeleteGraphPlot(panel, f.trace_haut);
    f.trace_bas = limite_basse_active(f.limite) ? ligne(w, f.seuil_bas) : 0;
    f.trace_haut = limite_haute_active(f.limite) ? ligne(w, f.seuil_haut) : 0;
}

void effacer_limites(int w)
{
    if (w < 1 || w >= NB_FENETRES)
        return;
    InfoRecord& f = Info[w];
    DeleteGraphPlot(f.panel, f.trace_bas);
    DeleteGraphPlot(f.panel, f.trace_haut);
    f.trace_bas = 0;
    f.trace_haut = 0;
    f.limite = LIMITE_AUCUNE;
}

void limites_tick(int w, double v)
{
    if (w < 1 || w >= NB_FENETRES || Info[w].limite == LIMITE_AUCUNE)
        return;
    tracer_limites(w);
    Beep* bip = plateforme().beep.get();
    for (int n = bips_limites(Info[w], v); n > 0 && bip; --n)
        bip->beep();
}
