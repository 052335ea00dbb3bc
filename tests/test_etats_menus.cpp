// Which menus, File-menu items (the recent files included) and toolbar
// buttons are dimmed after Run, Pause, Pause again and Stop; the menus'
// keyboard shortcuts, which a dimmed item or menu does not answer.
#include "acquisition/selection.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "socle/ecran/toolkit.h"
#include "lang/ecran/langue.h"
#include "lang/langue.h"
#include "support/inspection.h"
#include "support/banc.h"

#include <QAction>
#include <QtTest>

namespace {

struct Element {
    const char* nom;
    int item;     // menu or menu item; 0 for a toolbar button
    int position; // toolbar position, separators counted
};

// Every menu, every item of the File menu and every toolbar button. The
// recent files are found by their place in the list.
const Element elements[] = {
    {"File", BARRE_FICHIER, 0},
    {"New", ITEM_NOUVEAU, 0},
    {"Open", ITEM_OUVRIR, 0},
    {"Save", ITEM_ENREGIST, 0},
    {"Run", ITEM_LANCER, 0},
    {"Pause", ITEM_PAUSE, 0},
    {"Stop", ITEM_STOP, 0},
    {"Print", ITEM_IMPRIMER, 0},
    {"recent 1", -1, 0},
    {"recent 2", -2, 0},
    {"Exit", ITEM_QUITTER, 0},
    {"Setup", BARRE_PARAMETRE, 0},
    {"Edit", BARRE_EDITION, 0},
    {"Options", BARRE_OPTIONS, 0},
    {"Display", BARRE_AFFICHAGE, 0},
    {"Window", BARRE_FENETRE, 0},
    {"Help", BARRE_AIDE, 0},
    {"button Open", 0, 1},
    {"button Save", 0, 2},
    {"button Run", 0, 3},
    {"button Pause", 0, 4},
    {"button Stop", 0, 5},
    {"button Print", 0, 6},
    {"button Scales", 0, 8},
    {"button Export", 0, 10},
    {"button Graticule", 0, 12},
    {"button Variation cursors", 0, 13},
    {"button Legend", 0, 14},
    {"button Zoom out", 0, 16},
    {"button Zoom in", 0, 17},
    {"button Cascade", 0, 19},
    {"button Tile", 0, 20},
    {"button Full screen", 0, 21},
    {"button Help", 0, 23},
};

// The names of the dimmed elements, in the order above.
QStringList grises()
{
    QStringList g;
    for (const Element& e : elements) {
        bool d = false;
        if (e.item < 0)
            d = tk::ItemDimmed(fichier_menu[-e.item - 1]);
        else if (e.item > 0)
            d = tk::ItemDimmed(e.item);
        else
            d = Toolbar_ItemDimmed(gToolbar, e.position);
        if (d)
            g << e.nom;
    }
    return g;
}

// What an acquisition dims while it runs: the commands that would change the
// recording or leave the program, the other menus, and the buttons of the
// commands those menus hold.
const QStringList pendant_acquisition{
    "New", "Open", "Save", "Print", "recent 1", "recent 2", "Exit", "Setup", "Edit", "Options", "Display",
    "Window", "Help", "button Open", "button Save", "button Print", "button Scales", "button Export",
    "button Graticule", "button Variation cursors", "button Legend", "button Zoom out", "button Zoom in"};

const QStringList en_pause{
    "New", "Open", "Save", "Run", "Print", "recent 1", "recent 2", "Exit", "Setup", "Edit", "Options",
    "Display", "Window", "Help", "button Open", "button Save", "button Run", "button Print", "button Scales",
    "button Export", "button Graticule", "button Variation cursors", "button Legend", "button Zoom out",
    "button Zoom in"};

// What the user sees of a command: popups as "genre: title", the help
// viewer's page, the acquisition starting or stopping. From `depuis` on.
struct Vu {
    int popups = 0, aides = 0, en_cours = 0;
};

Vu instant(const BancSimulateur& b)
{
    return {int(b.plateforme.popups->vus.size()), int(b.plateforme.aide->ouverts.size()), Acq.en_cours};
}

QStringList vu_depuis(const BancSimulateur& b, const Vu& depuis)
{
    QStringList v;
    for (qsizetype i = depuis.popups; i < b.plateforme.popups->vus.size(); ++i)
        v << b.plateforme.popups->vus[i].genre + ": " + b.plateforme.popups->vus[i].titre;
    for (qsizetype i = depuis.aides; i < b.plateforme.aide->ouverts.size(); ++i)
        v << "help: " + b.plateforme.aide->ouverts[i].section(':', 0, 0);
    if (Acq.en_cours != depuis.en_cours)
        v << (Acq.en_cours ? "acquisition running" : "acquisition stopped");
    return v;
}

} // namespace

class TestEtatsMenus : public QObject {
    Q_OBJECT

private slots:
    void apres_chaque_commande_data()
    {
        QTest::addColumn<int>("periode");
        QTest::addColumn<QList<int>>("commandes");
        QTest::addColumn<QStringList>("attendus");
        const QList<int> run{ITEM_LANCER}, pause{ITEM_LANCER, ITEM_PAUSE},
            reprise{ITEM_LANCER, ITEM_PAUSE, ITEM_PAUSE}, stop{ITEM_LANCER, ITEM_PAUSE, ITEM_PAUSE, ITEM_STOP};
        QTest::newRow("Run") << 1 << run << pendant_acquisition;
        QTest::newRow("Run, Pause") << 1 << pause << en_pause;
        QTest::newRow("Run, Pause, Pause") << 1 << reprise << en_pause;
        QTest::newRow("Run, Pause, Stop") << 1 << QList<int>{ITEM_LANCER, ITEM_PAUSE, ITEM_STOP}
                                          << QStringList{"Pause", "Stop"};
        QTest::newRow("Run, Pause, Pause, Stop") << 1 << stop << QStringList{"Pause", "Stop"};
        QTest::newRow("Run, Stop") << 1 << QList<int>{ITEM_LANCER, ITEM_STOP} << QStringList{"Pause", "Stop"};
        // On request Pause does nothing, and each Run takes one reading.
        QTest::newRow("on request: Run, Pause") << -1 << pause << pendant_acquisition;
        QTest::newRow("on request: Run, Run") << -1 << QList<int>{ITEM_LANCER, ITEM_LANCER}
                                              << pendant_acquisition;
    }
    void apres_chaque_commande()
    {
        QFETCH(int, periode);
        QFETCH(QList<int>, commandes);
        QFETCH(QStringList, attendus);
        BancSimulateur b;
        QVERIFY(b.pret);
        Memo_fichier(b.programme.dir() + "/a.dat");
        Memo_fichier(b.programme.dir() + "/b.dat");
        QVERIFY(fichier_menu[0] != 0 && fichier_menu[1] != 0);
        // Run leaves its item and button as they were: enabled.
        QVERIFY(!grises().contains("Run"));
        QVERIFY(!grises().contains("button Run"));

        Acq.periode = periode;
        selectionner_case(CODE_TENSION, 1);
        ModeEnCours_actuel = AFFICHAGE_INSTANTANE;
        flag_type_mesure = 1;
        b.plateforme.popups->reponse_suivante = 2; // no saving at Stop
        for (int c : commandes)
            Gestion_fichier(menu, c, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);
        QCOMPARE(grises(), attendus);
    }

    // Each standard key reaches the command of its menu item, in any
    // language, and the item shows it; a dimmed item, or an item of a dimmed
    // menu, ignores it.
    void raccourcis_data()
    {
        QTest::addColumn<int>("langue_item");
        QTest::addColumn<int>("periode");
        QTest::addColumn<QList<int>>("avant"); // File commands given first
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("touches");
        QTest::addColumn<QStringList>("attendus");
        const QList<int> rien, run{ITEM_LANCER}, pause{ITEM_LANCER, ITEM_PAUSE},
            un_releve{ITEM_LANCER, ITEM_STOP};
        auto ligne = [](const char* nom, int langue_item, int periode, const QList<int>& avant, int item,
                        const char* touches, const QStringList& attendus) {
            QTest::newRow(nom) << langue_item << periode << avant << item << QString(touches) << attendus;
        };
        ligne("Ctrl+O: Open", ITEM_ANGLAIS, 1, rien, ITEM_OUVRIR, "Ctrl+O", {"fichier: Open"});
        ligne("Ctrl+S: Save the readings", ITEM_ANGLAIS, -1, un_releve, ITEM_ENREGIST, "Ctrl+S", {"fichier: Save"});
        ligne("Ctrl+P: Print, no window chosen", ITEM_ANGLAIS, 1, rien, ITEM_IMPRIMER, "Ctrl+P",
              {QString::fromUtf8("message: Error n° -104")});
        ligne("Ctrl+Q: Exit asks", ITEM_ANGLAIS, 1, rien, ITEM_QUITTER, "Ctrl+Q", {"question: Quit"});
        ligne("F1: Help contents", ITEM_ANGLAIS, 1, rien, ITEM_CONTENU, "F1", {"help: sommaire"});
        ligne("F5: Run", ITEM_ANGLAIS, 1, rien, ITEM_LANCER, "F5", {"acquisition running"});
        ligne("F6: Stop", ITEM_ANGLAIS, 1, run, ITEM_STOP, "F6", {"acquisition stopped"});
        ligne("German: Ctrl+O", ITEM_ALLEMAND, 1, rien, ITEM_OUVRIR, "Ctrl+O", {QString::fromUtf8("fichier: Öffnen")});
        ligne("Italian: F1", ITEM_ITALIEN, 1, rien, ITEM_CONTENU, "F1", {"help: sommaire"});
        // Dimmed while an acquisition runs: the item itself, or its whole menu.
        ligne("running: Ctrl+O dimmed", ITEM_ANGLAIS, 1, run, ITEM_OUVRIR, "Ctrl+O", {});
        ligne("running: Ctrl+S dimmed", ITEM_ANGLAIS, 1, run, ITEM_ENREGIST, "Ctrl+S", {});
        ligne("running: Ctrl+P dimmed", ITEM_ANGLAIS, 1, run, ITEM_IMPRIMER, "Ctrl+P", {});
        ligne("running: Ctrl+Q dimmed", ITEM_ANGLAIS, 1, run, ITEM_QUITTER, "Ctrl+Q", {});
        ligne("running: F1, Help menu dimmed", ITEM_ANGLAIS, 1, run, ITEM_CONTENU, "F1", {});
        ligne("paused: F5 dimmed", ITEM_ANGLAIS, 1, pause, ITEM_LANCER, "F5", {});
        ligne("paused: F6 stops", ITEM_ANGLAIS, 1, pause, ITEM_STOP, "F6", {"acquisition stopped"});
    }
    void raccourcis()
    {
        QFETCH(int, langue_item);
        QFETCH(int, periode);
        QFETCH(QList<int>, avant);
        QFETCH(int, item);
        QFETCH(QString, touches);
        QFETCH(QStringList, attendus);
        BancSimulateur b;
        QVERIFY(b.pret);
        Gestion_options(menu, langue_item, nullptr, 0);
        QCOMPARE(tk::action(item)->shortcut(), QKeySequence(touches));

        Acq.periode = periode;
        selectionner_case(CODE_TENSION, 1);
        ModeEnCours_actuel = AFFICHAGE_INSTANTANE;
        flag_type_mesure = 1;
        b.plateforme.popups->reponse_suivante = 2; // no saving at Stop, No to quitting
        for (int c : avant)
            Gestion_fichier(menu, c, nullptr, Fen_princ[PNL_PRINC]);
        activer_minuterie(false);

        QWidget* fenetre = tk::fenetre(Fen_princ[PNL_PRINC]);
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre));
        const Vu avant_touches = instant(b);
        QTest::keySequence(fenetre, QKeySequence(touches));
        activer_minuterie(false);
        QCOMPARE(vu_depuis(b, avant_touches), attendus);
    }
};

QTEST_MAIN(TestEtatsMenus)
#include "test_etats_menus.moc"
