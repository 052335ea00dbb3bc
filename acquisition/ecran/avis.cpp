#include "acquisition/ecran/avis.h"

#include "acquisition/ecran/alarmes.h"
#include "acquisition/ecran/panneaux.h"
#include "acquisition/modele.h"
#include "socle/ecran/toolkit.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "lang/port_texte.h"
#include "lang/textes.h"
#include "link/jbus.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

void retirer_avis_optique()
{
    if (tk::panel_valide(Fen_princ[PNL_OPTIQUE]))
        tk::DiscardPanel(Fen_princ[PNL_OPTIQUE]);
    Fen_princ[PNL_OPTIQUE] = 0;
}

// The question box comes up in the middle of the main window: the notice
// stands at its top, where the box leaves it readable.
void placer_avis_optique(int p)
{
    QWidget* f = tk::fenetre(p);
    f->adjustSize();
    const tk::Geometrie g = tk::geometrie(Fen_princ[PNL_PRINC]);
    tk::deplacer(p, g.top + 8, g.left + std::max(0, (g.width - f->width()) / 2));
}

void lever_avis_optique()
{
    int p = tk::LoadPanel(Fen_princ[PNL_PRINC], PNL_OPTIQUE);
    if (p < 1)
        return;
    Fen_princ[PNL_OPTIQUE] = p;
    PnlOptique& o = liaison<PnlOptique>(p);
    o.attention->setText(qtxt(tx::attention));
    o.tete_optique->setText(qtxt(tx::tete_optique));
    o.tete_optique1->setText(qtxt(tx::tete_optique1));
    // The question is asked by its own popup; the notice only informs.
    o.continuer->hide();
    o.bouton_oui->hide();
    o.bouton_non->hide();
    tk::DisplayPanel(p);
    placer_avis_optique(p);
}

// Under the notice's texts: the device tried and why the last read failed
// (its lines take the place of the question, which has a popup of its own).
void maj_avis_port()
{
    if (!tk::panel_valide(Fen_princ[PNL_OPTIQUE]))
        return;
    PnlOptique& o = liaison<PnlOptique>(Fen_princ[PNL_OPTIQUE]);
    const QString pourquoi = texte_diagnostic_port(diagnostic_liaison());
    if (o.continuer->text() == pourquoi && o.continuer->isHidden() == pourquoi.isEmpty())
        return;
    o.continuer->setText(pourquoi);
    o.continuer->setVisible(!pourquoi.isEmpty());
    // The line may widen the notice: centred again.
    placer_avis_optique(Fen_princ[PNL_OPTIQUE]);
}

// A notice panel (PNL_INDEFINI or PNL_OVERLOAD) with the warning title and
// its message, not modal.
void lever_avis(PanelKind kind)
{
    // A notice already loaded (start-up loads the undefined-values one ahead)
    // is used again rather than a second one loaded beside it.
    int p = Fen_princ[kind];
    if (!tk::panel_valide(p) || tk::type_panel(p) != kind) {
        p = tk::LoadPanel(Fen_princ[PNL_PRINC], kind);
        if (p < 1)
            return;
        Fen_princ[kind] = p;
    }
    PnlAvis& a = liaison<PnlAvis>(p);
    // Handles are never reused: a panel whose OK is wired is known by its handle.
    static int relie[PNL_DERNIER + 1] = {};
    if (relie[kind] != p) {
        relie[kind] = p;
        auto ok = kind == PNL_INDEFINI ? Annuler_Avis_ind : Annuler_Avis_Ov;
        QObject::connect(a.bouton_ok, &QPushButton::clicked, a.bouton_ok,
                         [p, ok] { ok(p, 0, EVENT_COMMIT, nullptr, 0, 0); });
    }
    a.titre->setText(qtxt(tx::Maj_titre_erreur));
    a.message->setText(qtxt(kind == PNL_INDEFINI ? tx::valeurs : tx::outlimite));
    tk::DisplayPanel(p);
}

void informer(const QString& message, const QString& detail)
{
    const int p = tk::LoadPanel(Fen_princ[PNL_PRINC], PNL_INFO);
    if (p < 1)
        return;
    Fen_princ[PNL_INFO] = p;
    PnlInformation& i = liaison<PnlInformation>(p);
    i.titre->setText(qtxt(tx::Maj_titre_erreur));
    i.message->setText(message.isNull() ? qtxt(tx::mode_instrument) : message);
    i.detail->setText(detail);
    tk::DisplayPanel(p);
    plateforme().horloge->attendre(1.0);
    tk::DiscardPanel(p);
    if (Fen_princ[PNL_INFO] == p)
        Fen_princ[PNL_INFO] = 0;
}

class Avis final : public modele::Ecouteur {
public:
    void avis(modele::Avis a) override
    {
        switch (a) {
        case modele::Avis::liaison_perdue: lever_avis_optique(); break;
        case modele::Avis::liaison_detail: maj_avis_port(); break;
        case modele::Avis::liaison_retablie: retirer_avis_optique(); break;
        case modele::Avis::valeurs_indefinies: lever_avis(PNL_INDEFINI); break;
        case modele::Avis::hors_limites: lever_avis(PNL_OVERLOAD); break;
        }
    }
    void information(const QString& message, const QString& detail) override { informer(message, detail); }
};

Avis ecoute;

} // namespace

void abonner_avis()
{
    modele::abonner(ecoute);
}
