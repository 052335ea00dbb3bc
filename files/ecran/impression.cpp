#include "files/ecran/impression.h"

#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/dialogue.h"
#include "graph/fenetres.h"
#include "graph/vue_statistiques.h"
#include "acquisition/ligne.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QLabel>
#include <QPushButton>
#include <qcustomplot.h>

#include <algorithm>

namespace {

bool fenetre_ouverte(int w)
{
    return w >= 0 && w < nb_panel && w < NB_FENETRES && tk::panel_valide(Info[w].panel);
}

// A job that could not start is reported; one the user gave up is not.
void signaler(Printer::Resultat r)
{
    if (r == Printer::echec_fichier)
        Popup_erreur(MSG_ECRITURE);
    else if (r == Printer::echec_imprimante)
        Popup_erreur(MSG_COMMANDE_IMPOSSIBLE);
}

Printer::Resultat imprimer_widget(QWidget* w, const QString& titre, const QString& pied)
{
    Printer* imprimante = plateforme().imprimante.get();
    return imprimante ? imprimante->imprimer_widget(w, titre, pied) : Printer::echec_imprimante;
}

Printer::Resultat imprimer_texte(const QString& texte, const QString& titre)
{
    Printer* imprimante = plateforme().imprimante.get();
    return imprimante ? imprimante->imprimer_texte(texte, titre) : Printer::echec_imprimante;
}

// Graph window w printed full screen, whole and scaled to the page, then put
// back where it was and the windows re-tiled.
void imprimer_graphe(int w)
{
    const int p = Info[w].panel;
    const tk::Geometrie avant = tk::geometrie(p);
    const tk::Geometrie principale = tk::geometrie(Fen_princ[PNL_PRINC]);
    // The toggle would take a window that is full screen already back to
    // its smaller size.
    if (avant != geometrie_plein_ecran(principale.height, principale.width))
        Repere_fenetre(p, EVENT_RIGHT_DOUBLE_CLICK, nullptr, 0, 0);
    // The page gets the plot as it stands at the new size.
    liaison<PnlGraphe>(p).graphe->replot(QCustomPlot::rpImmediateRefresh);

    // The statistics of the window's channel under the graph.
    const int k = w < NB_VOIES_TABLE && Donnee[w].num_fenetre == w ? w : 0;
    const QString pied = k >= 1 && k <= Mesure.nb_voies ? texte_imprime(tableau_statistiques(k)) : QString();
    const Printer::Resultat r = imprimer_widget(tk::contenu(p), tk::titre(p), pied);

    tk::deplacer(p, avant.top, avant.left);
    tk::SetPanelHeight(p, avant.height);
    tk::SetPanelWidth(p, avant.width);
    Repere_fenetre(p, EVENT_PANEL_SIZE, nullptr, 0, 0);
    Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, Fen_princ[PNL_PRINC]);
    signaler(r);
}

// The print dialog for the Data window, modal with the menus locked.
void ouvrir_impression()
{
    if (Acq.nb_points <= 0)
        return;
    const int p = charger_dialogue(PNL_PRINT, Traduc_print);
    if (p < 1)
        return;
    PnlImpression& d = liaison<PnlImpression>(p);
    relier_bouton(p, d.bouton_imprimer, Print, IMPRESSION_IMPRIMER);
    relier_bouton(p, d.quitter, Print, IMPRESSION_ANNULER);
    montrer_dialogue(p);
}

// The heading, two line ends, then every line of the readings list, each
// with its line end. Refreshes each channel's title from its label.
QString texte_releves()
{
    QString t = entete_releves(Entete::imprimee) + "\n\n";

    // Only readings stored: a count ahead of them prints no blank lines.
    const int n = std::min(Acq.nb_points, nb_releves_ranges());
    if (n > 0)
        t.reserve(t.size() + n * (ligne_releve(0).size() + 1));
    for (int j = 0; j < n; ++j) {
        t += ligne_releve(j);
        t += '\n';
    }
    return t;
}

} // namespace

void commande_imprimer()
{
    if (grafic == -1) {
        Popup_erreur(MSG_AUCUN_GRAPHE);
        return;
    }
    if (!fenetre_ouverte(grafic))
        return;
    if (grafic == 0)
        ouvrir_impression();
    else if (tk::type_panel(Info[grafic].panel) == PNL_GRAPHE)
        imprimer_graphe(grafic);
}

int Print(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !tk::panel_valide(panel) || tk::type_panel(panel) != PNL_PRINT)
        return 0;
    if (control == IMPRESSION_IMPRIMER) {
        // Without a port there are no channels to head the columns: the
        // dialog stays for the user to close.
        if (Mesure.port == 0)
            return 0;
        const QString texte = texte_releves();
        const QString titre = tk::panel_valide(Info[0].panel) ? tk::titre(Info[0].panel) : qtxt(tx::donnee);
        // Closed first, so that a print dialog the system may need comes up
        // alone and the menus are free again when the job is done.
        fermer_dialogue(panel);
        signaler(imprimer_texte(texte, titre));
    } else if (control == IMPRESSION_ANNULER) {
        fermer_dialogue(panel);
    }
    return 0;
}

void Traduc_print()
{
    const int p = Fen_princ[PNL_PRINT];
    if (!tk::panel_valide(p))
        return;
    tk::SetPanelTitle(p, qtxt(tx::imprimer));
    PnlImpression& d = liaison<PnlImpression>(p);
    d.printdef->setText(qtxt(tx::printdef));
    d.bouton_imprimer->setText(mnemonique(txt(tx::imprimer)));
    d.quitter->setText(mnemonique(txt(tx::quitter)));
}
