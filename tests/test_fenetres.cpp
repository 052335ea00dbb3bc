// Window arrangement: tile, cascade and full-screen geometry, the active
// window's marks, and resizing.
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/fenetres.h"
#include "graph/emplacements.h"
#include "support/inspection.h"
#include "support/fake_platform.h"

#include <QListWidget>
#include <QScrollBar>
#include <QtTest>
#include <qcustomplot.h>

class TestFenetres : public QObject {
    Q_OBJECT

    // A graph window in the next slot, as an acquisition makes them.
    int ajouter_graphe()
    {
        int n = nb_panel;
        int p = tk::DuplicatePanel(Fen_princ[PNL_PRINC], Fen_princ[PNL_GRAPHE], QString(), 70 + 20 * n, 5 + 20 * n);
        Info[n].panel = p;
        Info[n].item = tk::NewMenuItem(menu, BARRE_FENETRE, -1, QString("G%1").arg(n), Gestion_fenetre);
        tk::SetPanelCallback(p, Repere_fenetre);
        ++nb_panel;
        return p;
    }

    void taille_principale(int H, int W)
    {
        tk::SetPanelHeight(Fen_princ[PNL_PRINC], H);
        tk::SetPanelWidth(Fen_princ[PNL_PRINC], W);
        QCoreApplication::processEvents();
    }

private slots:
    void tuiles_pures()
    {
        nb_panel = 1;
        Calcul_coordonnees_fenetre(647, 410);
        QCOMPARE((tk::Geometrie{top[0], left[0], haut[0], larg[0]}), (tk::Geometrie{0, 0, 136, 647}));
        QCOMPARE(larg[1], 647);

        nb_panel = 3;
        Calcul_coordonnees_fenetre(647, 410);
        QCOMPARE((tk::Geometrie{top[1], left[1], haut[1], larg[1]}), (tk::Geometrie{136, 0, 273, 323}));
        QCOMPARE((tk::Geometrie{top[2], left[2], haut[2], larg[2]}), (tk::Geometrie{136, 323, 273, 323}));

        // A tile of 25 pixels or less keeps the former height; 9 or less the former width.
        nb_panel = 1;
        Calcul_coordonnees_fenetre(9, 75);
        tk::Geometrie g = geometrie_mosaique(0, {1, 2, 33, 44});
        QCOMPARE(g, (tk::Geometrie{70, 5, 33, 44}));
        Calcul_coordonnees_fenetre(10, 78);
        QCOMPARE(geometrie_mosaique(0, {1, 2, 33, 44}), (tk::Geometrie{70, 5, 1, 1}));

        QCOMPARE(geometrie_cascade(2, 460, 647), (tk::Geometrie{110, 45, 230, 323}));
        QCOMPARE(geometrie_plein_ecran(460, 647), (tk::Geometrie{70, 5, 385, 638}));
    }

    void mosaique_cascade_et_plein_ecran()
    {
        SessionTest s;
        fermer_graphes(); // start from the Data window alone
        QCOMPARE(s.resultat, 0);
        taille_principale(460, 647);
        int data = Info[0].panel;

        Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, 0);
        QCOMPARE(tk::geometrie(data), (tk::Geometrie{70, 5, 410 / 3 - 25, 647 - 9}));
        // The readings list follows the Data window's size.
        ListeReleves* liste = liaison<PnlDonnees>(data).liste;
        QCOMPARE(liste->height(), 410 / 3 - 25 - 18);
        QCOMPARE(liste->width(), 638);

        int g1 = ajouter_graphe();
        int g2 = ajouter_graphe();
        QCOMPARE(tk::geometrie(g1).top, 90);
        QCOMPARE(tk::geometrie(g2).left, 45);
        Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, 0);
        QCOMPARE(tk::geometrie(g1), (tk::Geometrie{70 + 136, 5, 273 - 25, 647 / 2 - 9}));
        QCOMPARE(tk::geometrie(g2), (tk::Geometrie{70 + 136, 5 + 647 / 2, 273 - 25, 647 / 2 - 9}));
        // The graph fills its window above the scroll bar.
        PnlGraphe& pg = liaison<PnlGraphe>(g1);
        QCOMPARE(pg.graphe->height(), 248 - 15);
        QCOMPARE(pg.graphe->width(), 647 / 2 - 9);
        QCOMPARE(pg.defilement->y(), 248 - 16);
        QCOMPARE(pg.label_zoom->y(), 248 - 29);

        Gestion_fenetre(menu, ITEM_CASCADE, nullptr, 0);
        QCOMPARE(tk::geometrie(data), (tk::Geometrie{70, 5, 230, 323}));
        QCOMPARE(tk::geometrie(g1), (tk::Geometrie{90, 25, 230, 323}));
        QCOMPARE(tk::geometrie(g2), (tk::Geometrie{110, 45, 230, 323}));

        // Full screen on the active window, twice, restores it.
        Gestion_fenetre(menu, Info[1].item, nullptr, 0);
        QCOMPARE(grafic, 1);
        Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
        QCOMPARE(tk::geometrie(g1), (tk::Geometrie{70, 5, 385, 638}));
        Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
        QCOMPARE(tk::geometrie(g1), (tk::Geometrie{90, 25, 230, 323}));

        // After the main window changed size, a full-screen window no longer
        // counts as one: the toggle maximises again.
        Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
        tk::SetPanelHeight(Fen_princ[PNL_PRINC], 500);
        Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
        QCOMPARE(tk::geometrie(g1), (tk::Geometrie{70, 5, 425, 638}));
    }

    void fenetre_active()
    {
        SessionTest s;
        int data = Info[0].panel;
        // Start-up leaves the Data window inactive.
        QCOMPARE(tk::couleur_barre_titre(data), 0xC0C0C0);
        QCOMPARE(tk::couleur_texte_titre(data), 0);

        fermer_graphes(); // from the Data window alone
        int g1 = ajouter_graphe();
        int g2 = ajouter_graphe();
        color[4] = 0x123456;

        tk::activer(g2);
        QCOMPARE(grafic, 2);
        QVERIFY(tk::ItemChecked(Info[2].item));
        QVERIFY(!tk::ItemChecked(Info[0].item));
        QCOMPARE(tk::couleur_barre_titre(g2), 0x123456);
        QCOMPARE(tk::couleur_texte_titre(g2), 0xFFFFFF);

        // A click on another window moves the marks; the one left turns grey.
        QWidget* w = liaison<PnlGraphe>(g1).graphe;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(grafic, 1);
        QVERIFY(tk::ItemChecked(Info[1].item));
        QVERIFY(!tk::ItemChecked(Info[2].item));
        QCOMPARE(tk::couleur_barre_titre(g2), 0xC0C0C0);
        QCOMPARE(tk::couleur_texte_titre(g2), 0);

        // The Data window's item selects it.
        Gestion_fenetre(menu, Info[0].item, nullptr, 0);
        QCOMPARE(grafic, 0);
        QVERIFY(tk::ItemChecked(Info[0].item));
        QCOMPARE(tk::couleur_barre_titre(g1), 0xC0C0C0);

        // Closing is not a user's choice: the close event changes nothing.
        QCOMPARE(Repere_fenetre(g1, EVENT_CLOSE, nullptr, 0, 0), 0);
        QVERIFY(tk::panel_valide(g1));
    }

    void redimensionnement_principal_retuile()
    {
        SessionTest s;
        fermer_graphes(); // start from the Data window alone
        int g1 = ajouter_graphe();
        tk::DisplayPanel(Fen_princ[PNL_PRINC]);
        taille_principale(600, 800);
        QCOMPARE(tk::geometrie(Info[0].panel), (tk::Geometrie{70, 5, 550 / 3 - 25, 800 - 9}));
        QCOMPARE(tk::geometrie(g1), (tk::Geometrie{70 + 183, 5, 366 - 25, 800 - 9}));
    }
};

QTEST_MAIN(TestFenetres)
#include "test_fenetres.moc"
