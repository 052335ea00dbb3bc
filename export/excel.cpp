#include "export/excel.h"

#include "socle/ecran/dialogue.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "export/panneaux.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "socle/reglages.h"
#include "export/tableur.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <optional>

namespace {

constexpr int MSG_REPERTOIRE = 6;
constexpr int MSG_LANCEMENT = 9;
constexpr int MSG_ECRITURE = 12;
constexpr int MSG_FERMETURE = 17;

// The workbook filled by the transfer, until the export that filled it ends.
std::optional<Classeur>& classeur_tenu()
{
    static std::optional<Classeur> c;
    return c;
}

PnlExcel* panneau(int panel)
{
    if (!tk::panel_valide(panel) || tk::type_panel(panel) != PNL_EXCEL)
        return nullptr;
    return &liaison<PnlExcel>(panel);
}

// Idle: the working directory can be changed and the export readied.
void etat_repos(PnlExcel& x, bool repos)
{
    x.lancer->setEnabled(repos);
    x.repertoire->setEnabled(repos);
    x.parcour->setEnabled(repos);
    x.exporte->setEnabled(!repos);
    (repos ? x.lancer : x.exporte)->setFocus();
}

void lancer(PnlExcel& x)
{
    const QString repertoire = x.repertoire->text();
    const QFileInfo dossier(repertoire);
    if (repertoire.isEmpty() || !dossier.isDir()) {
        Popup_erreur(MSG_REPERTOIRE);
        return;
    }
    if (!dossier_inscriptible(repertoire)) {
        plateforme().popups->message(qtxt(tx::titre_erreur),
                                     qtxt(tx::dossier_protege).arg(QDir::toNativeSeparators(repertoire)));
        return;
    }
    reglages::choisir_repertoire_tableur(repertoire);
    copie_texte(Excel.feuille, x.feuille->text().toLocal8Bit().constData());
    if (!plateforme().tableur) {
        Popup_erreur(MSG_LANCEMENT);
        return;
    }
    plateforme().popups->curseur_attente(false);
    x.zone_message->setPlainText(qtxt(tx::messag_pret));
    Excel.lance = 1;
    etat_repos(x, false);
}

void fermer(int panel, PnlExcel& x)
{
    tk::HidePanel(panel);
    if (Excel.lance == 1)
        Fermeture_Excel();
    etat_repos(x, true);
}

void parcourir(PnlExcel& x)
{
    const std::optional<QString> d = plateforme().popups->dossier(QString(), QString());
    if (!d || d->isEmpty())
        return;
    reglages::choisir_repertoire_tableur(*d);
    x.repertoire->setText(QString::fromLocal8Bit(Excel.repertoire));
}

// The workbook's path chosen by the user; empty when nothing is to be
// written (popup cancelled, or No to replacing an existing file).
QString choisir_classeur()
{
    if (Excel.numero == 0)
        Excel.numero = 1;
    const QString propose = QString::fromLocal8Bit(Excel.repertoire) +
                            nom_propose(QString::fromLocal8Bit(Excel.feuille), Excel.numero);
    Popups& popups = *plateforme().popups;
    const std::optional<QString> choix =
        popups.fichier(qtxt(tx::enregist), propose, QStringLiteral("*.xlsx"), true);
    if (!choix || choix->isEmpty())
        return {};
    const QString chemin = completer_nom(*choix);
    if (QFileInfo::exists(chemin)) {
        const int r = popups.question(qtxt(tx::titre_feuille), qtxt(tx::messag_ecras),
                                      {mnemonique(mot_oui()), mnemonique(mot_non()), QString()}, 1, 2);
        if (r != 1)
            return {};
    }
    return chemin;
}

// The file takes the place of an existing one only once written whole.
// False when it could not be written.
bool enregistrer(const QString& chemin)
{
    Tableur* tableur = plateforme().tableur.get();
    const std::optional<Classeur>& c = classeur_tenu();
    if (!c || !tableur || !tableur->enregistrer(*c, chemin)) {
        Popup_erreur(MSG_ECRITURE);
        return false;
    }
    tableur->ouvrir(chemin);
    return true;
}

// A channel's vertical axis title: the quantity's name and its unit, e.g.
// "Voltage (V)"; the channel's label when its quantity is not known.
QString titre_axe(int voie)
{
    const int code = Donnee[voie].grandeur;
    if (code < 1 || code > NB_GRANDEURS)
        return QString::fromLocal8Bit(Donnee[voie].libelle).trimmed();
    const QString nom = QString::fromUtf8(tx::type_mesure[(code - 1) * 5 + langue]);
    const QString unite = QString::fromUtf8(tx::unite_typ[code]).trimmed();
    return unite.isEmpty() ? nom : nom + QStringLiteral(" (") + unite + QLatin1Char(')');
}

void fermer_progression()
{
    const int p = Fen_princ[PNL_PROGRESS];
    if (!est_panel(p, PNL_PROGRESS))
        return;
    tk::RemovePopup(p);
    tk::DiscardPanel(p);
    Fen_princ[PNL_PROGRESS] = 0;
}

} // namespace

void preparer_excel(int panel)
{
    PnlExcel* x = panneau(panel);
    if (!x)
        return;
    relier_bouton(panel, x->lancer, Lancer_excel, EXCEL_LANCER);
    relier_bouton(panel, x->quitter, Lancer_excel, EXCEL_QUITTER);
    relier_bouton(panel, x->parcour, Lancer_excel, EXCEL_PARCOUR);
    relier_bouton(panel, x->exporte, Exporter_excel, EXCEL_EXPORTE);
}

void Traduc_excel()
{
    PnlExcel* x = panneau(Fen_princ[PNL_EXCEL]);
    if (!x)
        return;
    x->travail->setText(qtxt(tx::travail));
    x->parcour->setText(mnemonique(txt(tx::parcour)));
    x->nom_feuil->setText(qtxt(tx::nom_feuil));
    x->message->setText(qtxt(tx::message));
    x->lancer->setText(mnemonique(txt(tx::lancer)));
    x->exporte->setText(mnemonique(txt(tx::exporte)));
    x->quitter->setText(mnemonique(txt(tx::quitter)));
}

void ouvrir_excel()
{
    const int p = Fen_princ[PNL_EXCEL];
    PnlExcel* x = panneau(p);
    if (!x)
        return;
    Traduc_excel();
    x->repertoire->setText(QString::fromLocal8Bit(Excel.repertoire));
    copie_texte(Excel.feuille, "vtex");
    x->feuille->setText(QString::fromLocal8Bit(Excel.feuille));
    tk::DisplayPanel(p);
}

int Lancer_excel(int panel, int control, int event, void*, int, int)
{
    PnlExcel* x = panneau(panel);
    if (event != EVENT_COMMIT || !x)
        return 0;
    switch (control) {
    case EXCEL_LANCER: lancer(*x); break;
    case EXCEL_QUITTER: fermer(panel, *x); break;
    case EXCEL_PARCOUR: parcourir(*x); break;
    default: break;
    }
    return 0;
}

void Exporter_memory()
{
    fermer_progression();
    const int p = tk::LoadPanel(0, PNL_PROGRESS);
    PnlProgression* g = nullptr;
    if (p >= 1) {
        Fen_princ[PNL_PROGRESS] = p;
        g = &liaison<PnlProgression>(p);
        g->jauge->setRange(0, 100);
        g->jauge->setValue(0);
        g->pourcentage->setText(QStringLiteral("0 %"));
    }

    QString etiquette;
    if (tk::panel_valide(Info[0].panel))
        etiquette = liaison<PnlDonnees>(Info[0].panel).entete->text();
    // Only readings stored: a count ahead of them adds no empty rows.
    const int n = std::clamp(Acq.nb_points, 0, nb_releves_ranges());

    plateforme().popups->curseur_attente(true);
    if (g)
        tk::InstallPopup(p);
    int dernier = 0;
    const auto avance = [&](int k) {
        const int pc = pourcentage(k, n);
        if (!g || pc <= dernier)
            return;
        dernier = pc;
        g->jauge->setValue(pc);
        g->pourcentage->setText(QStringLiteral("%1 %").arg(pc));
        // The transfer does not return to the event loop until it ends.
        g->racine->repaint();
    };
    TextesFeuille textes;
    textes.nom_feuille = qtxt(tx::donnee);
    textes.date = qtxt(tx::date);
    textes.heure = qtxt(tx::heure);
    textes.mois_premier = langue == 1;
    textes.relatif = Acq.temps_relatif == 1;
    textes.titre_y[0] = titre_axe(1);
    textes.titre_y[1] = titre_axe(2);
    classeur_tenu() = classeur_releves(etiquette, n, Mesure.nb_voies, releve, textes, avance);
    // The statistics of what the graph windows show, on a sheet of their own.
    if (n > 0 && Mesure.nb_voies > 0)
        classeur_tenu()->feuilles.push_back(feuille_statistiques(qtxt(tx::statistiques), tableau_statistiques()));
}

int Exporter_excel(int panel, int, int event, void*, int, int)
{
    PnlExcel* x = panneau(panel);
    if (event != EVENT_COMMIT || !x || Excel.lance != 1)
        return 0;
    Popups& popups = *plateforme().popups;
    x->exporte->setEnabled(false);
    x->quitter->setEnabled(false);
    popups.curseur_attente(true);

    Exporter_memory();

    copie_texte(Excel.feuille, compres(x->feuille->text()).toLocal8Bit().constData());
    // A folder's name is the system's to choose: every character of it is
    // kept, or the proposed workbook would lie in a folder that is not there.
    QString repertoire = x->repertoire->text().trimmed();
    if (!repertoire.endsWith('/'))
        repertoire += '/';
    reglages::choisir_repertoire_tableur(repertoire);

    const QString chemin = choisir_classeur();
    // The message says where the workbook went, when it was written.
    QString message = qtxt(tx::messag_fin);
    if (!chemin.isEmpty() && enregistrer(chemin))
        message += QDir::toNativeSeparators(chemin) + QLatin1Char('\n');
    x->zone_message->setPlainText(message);
    popups.curseur_attente(false);
    fermer_progression();
    x->exporte->setEnabled(true);
    x->quitter->setEnabled(true);
    x->quitter->setFocus();
    ++Excel.numero;
    x->feuille->setText(QString::fromLocal8Bit(Excel.feuille));
    classeur_tenu().reset();
    return 0;
}

void Fermeture_Excel()
{
    if (classeur_tenu()) {
        classeur_tenu().reset();
        Popup_erreur(MSG_FERMETURE);
    }
    Excel.lance = 0;
}
