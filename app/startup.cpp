#include "app/startup.h"
#include "acquisition/ecran/avis.h"

#include "app/config.h"
#include "socle/globals.h"
#include "socle/commandes.h"
#include "socle/ecran/menus.h"
#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "socle/minuterie.h"
#include "app/parametres.h"
#include "app/quitter.h"
#include "app/reglages.h"
#include "graph/fiches_fenetres.h"
#include "graph/fenetres_voies.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "files/journal.h"
#include "graph/courbes.h"
#include "app/panneaux.h"
#include "export/classeur.h"
#include "files/ecran/impression_qt.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "socle/ecran/ctrl_menu.h"
#include "export/csv.h"
#include "export/excel.h"
#include "graph/ecoute.h"
#include "graph/fenetres.h"
#include "graph/affichage.h"
#include "graph/edition.h"
#include "graph/couleurs.h"
#include "graph/curseurs.h"
#include "graph/valeurs_curseurs.h"
#include "link/jbus.h"
#include "link/serial.h"
#include "lang/ecran/langue.h"
#include "lang/textes.h"
#include "lang/traductions_qt.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include "socle/ecran/liste_releves.h"
#include <QMenuBar>
#include <QScreen>

const char* const MESSAGE_UIR_INTROUVABLE = "FATAL RUNTIME ERROR\n\nFile voltexa.UIR not found !\n";

namespace {

// Each menu reaches its own handler.
void relier_menus()
{
    struct Plage {
        int premier, dernier;
        MenuCallback cb;
    };
    const Plage plages[] = {
        {BARRE_FICHIER + 1, BARRE_PARAMETRE - 1, Gestion_fichier},
        {BARRE_PARAMETRE + 1, BARRE_EDITION - 1, Gestion_parametre},
        {BARRE_EDITION + 1, BARRE_OPTIONS - 1, Gestion_edition},
        {BARRE_AFFICHAGE + 1, BARRE_FENETRE - 1, Gestion_affichage},
        {BARRE_FENETRE + 1, BARRE_AIDE - 1, Gestion_fenetre},
        {BARRE_OPTIONS + 1, BARRE_AFFICHAGE - 1, Gestion_options},
        {BARRE_AIDE + 1, ITEM_PREMIER_DYNAMIQUE - 1, Gestion_aide},
    };
    for (const Plage& p : plages)
        for (int id = p.premier; id <= p.dernier; ++id)
            if (tk::action(id))
                tk::SetMenuItemCallback(id, p.cb);
    // File > Exit is the quit command.
    tk::SetMenuItemCallback(ITEM_QUITTER, [](int, int, void*, int panel) {
        sortir(panel, 0, EVENT_COMMIT, nullptr, 0, 0);
    });
}

// The commands lower layers ask for: each does what its menu item does.
void remplir_commandes()
{
    const auto item = [](int id) {
        return [id] {
            tk::declencher(id);
            return true;
        };
    };
    fixer_commande(Commande::lancer, item(ITEM_LANCER));
    fixer_commande(Commande::arreter, item(ITEM_STOP));
    fixer_commande(Commande::choisir_mesure, item(ITEM_TYPEMES));
    fixer_commande(Commande::connecter, item(ITEM_CONNECTER));
    fixer_commande(Commande::quitter, item(ITEM_QUITTER));
    // New as File > New does it, with the user's answer: a language switch
    // goes on only when the readings were saved or given up.
    fixer_commande(Commande::nouveau, [] {
        ResetTimer();
        return commande_nouveau();
    });
    fixer_commande(Commande::exporter_classeur, [] {
        ouvrir_excel();
        return true;
    });
    fixer_commande(Commande::exporter_csv, [] {
        exporter_csv();
        return true;
    });
    fixer_commande(Commande::reprendre_journal, [] { return ouvrir_reprise(chemin_journal()) == 0; });
}

void preparer_donnees(int panel)
{
    PnlDonnees& d = liaison<PnlDonnees>(panel);
    // Reading lines are columns of fixed width: they must stand under the heading.
    QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    d.liste->setFont(fixe);
    d.entete->setFont(fixe);
    relier_liste_releves(panel);
}

// The port named at start-up that cannot be had is told at once when the
// user can act on it: another program holds it, or COM n has no entry at all
// (a device whose link went with it). A link to a device not plugged in yet
// is the user's own set-up and is left to the first reading.
void signaler_port_au_demarrage()
{
    const EchecOuverture& e = dernier_echec_ouverture();
    if (e.cause == SERIE_ERREUR_OCCUPE
        || (e.cause == SERIE_ERREUR_ABSENT && !QFileInfo(e.peripherique).isSymLink()))
        Popup_port_indisponible();
}

// The folder where COM n is looked up, made at every start so that a link
// of the user's own (ln -s /dev/ttyUSB0 .../ports/COM5) has a place on a
// fresh account. Left empty it changes nothing: COM n stays /dev/ttyS<n-1>.
void preparer_dossier_ports()
{
#ifndef Q_OS_WIN
    QDir().mkpath(QFileInfo(chemin_programme(FichierProgramme::port, QStringLiteral("COM1"))).path());
#endif
}

} // namespace

int demarrage()
{
    installer_reglages();
    enregistrer_panneaux();
    // The services the ground leaves to the folders that own them; a test
    // that installed its own keeps them.
    if (!plateforme().imprimante)
        plateforme().imprimante = imprimante_qt();
    if (!plateforme().tableur)
        plateforme().tableur = tableur_qt();
    Popups& popups = *plateforme().popups;
    popups.curseur_attente(true);
    // The views hear the reading model: the graph windows first, then the
    // readings list, then the journal, then the cycle's notices.
    abonner_graphes();
    abonner_journal();
    abonner_avis();

    int splash = -1;
    if (tk::ouvrir_ressources(chemin_programme(FichierProgramme::panneaux)))
        splash = tk::LoadPanel(0, PNL_SPLASH);
    if (splash < 1) {
        popups.curseur_attente(false);
        popups.message(QString(), QString::fromLatin1(MESSAGE_UIR_INTROUVABLE));
        return -1;
    }
    Fen_princ[PNL_SPLASH] = splash;
    QWidget* fenetre_splash = tk::fenetre(splash);
    fenetre_splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        QRect r = fenetre_splash->geometry();
        r.moveCenter(ecran->availableGeometry().center());
        fenetre_splash->setGeometry(r);
    }
    tk::DisplayPanel(splash);
    plateforme().horloge->attendre(1.0);

    modele::aucune_grandeur_comptee();
    Excel.lance = 0;
    Excel.numero = 0;
    modele::charger_nombre(0);
    modele::regler_periode(Acq.periode, NB_RELEVES_MAX);

    int principal = tk::LoadPanel(0, PNL_PRINC);
    Fen_princ[PNL_PRINC] = principal;
    menu = tk::GetPanelMenuBar(principal);
    relier_menus();
    remplir_commandes();
    liaison<PnlPrincipal>(principal).barre_menu->setNativeMenuBar(false);

    Fen_princ[PNL_EXCEL] = tk::LoadPanel(0, PNL_EXCEL);
    preparer_excel(Fen_princ[PNL_EXCEL]);
    Fen_princ[PNL_GRAPHE] = tk::LoadPanel(principal, PNL_GRAPHE);
    const int donnees = tk::LoadPanel(principal, PNL_DONNEES);
    preparer_donnees(donnees);
    tk::SetPanelCallback(donnees, Repere_fenetre);
    inscrire_fenetre_donnees(donnees,
                             tk::NewMenuItem(menu, BARRE_FENETRE, -1, mnemonique(txt(tx::donnee)), Gestion_fenetre));

    const QString ini = chemin_programme(FichierProgramme::reglages);
    copie_texte(rep_ini, ini.toLocal8Bit().constData());
    charge_config();

    tk::SetPanelTitle(principal, "VOLTEXA");

    comport = Mesure.port;
    modele::oublier_avis();
    flag_demande_lancer = 0;
    flag_type_mesure = 0;
    flag_optique = 0;
    ModeEnCours_actuel = AFFICHAGE_INCONNU;

    modele::oublier_extremes();

    fixer_intervalle_minuterie(intervalle_periode(Acq.periode));
    fixer_callback_minuterie([] { cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0); });

    Changement_langue(menu);

    tk::DiscardPanel(splash);
    Fen_princ[PNL_SPLASH] = 0;
    tk::DisplayPanel(principal);
    // Resizes of the main window re-tile from now on.
    tk::SetPanelCallback(principal, Fenetre);

    Fen_princ[PNL_COULEUR] = tk::LoadPanel(principal, PNL_COULEUR);

    if (Mesure.nb_voies != 0)
        Maj_connexion();

    for (int i = 0; i < NB_COULEURS; ++i)
        colo[i] = color[i];
    Maj_couleurs(11);

    popups.curseur_attente(false);
    for (int w = 1; w <= Mesure.nb_voies && w < nb_panel; ++w)
        couleur_curseur(Info[w].panel, 1, color[9]);

    Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, principal);
    Repere_fenetre(Info[0].panel, EVENT_LOST_FOCUS, nullptr, 0, 0);

    Fen_princ[PNL_INDEFINI] = tk::LoadPanel(principal, PNL_INDEFINI);

    preparer_dossier_ports();
    if (ouvrir_port_instrument() != 0)
        signaler_port_au_demarrage();
    // An acquisition the last run did not end cleanly is offered back.
    proposer_reprise();
    return 0;
}

void arreter_voltexa()
{
    activer_minuterie(false);
    journal_fermer();
    if (Acq.port_ouvert)
        fermeture_com(Mesure.port);
    decocher_cases = nullptr;
    Annuler_choix_grandeur();
    tk::reinitialiser();
    tk::fermer_ressources();
    traduire_boite_a_outils(1); // English: the toolkit's own texts
    remise_a_zero_globales();
}

void preparer_application()
{
    QApplication::setApplicationName("VOLTEXA");
    // The installed desktop entry and icon (none in a build folder).
    QGuiApplication::setDesktopFileName("voltexa");
    QApplication::setWindowIcon(QIcon::fromTheme("voltexa"));
    QApplication::setStyle("Fusion");
}

int demarrer_voltexa(int argc, char* argv[])
{
    QApplication app(argc, argv);
    preparer_application();
    if (demarrage() < 0)
        return 1;
    return QApplication::exec();
}
