// Cursors and their read-outs, the time zoom, the Display menu's legend,
// graticule and delta cursors, and the colour dialog, on recordings opened
// from files.
#include "app/config.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "files/format.h"
#include "files/ecran/impression.h"
#include "graph/affichage.h"
#include "graph/couleurs.h"
#include "graph/curseurs.h"
#include "graph/defilement.h"
#include "graph/fenetres.h"
#include "graph/format_mesure.h"
#include "graph/legende.h"
#include "graph/traces.h"
#include "graph/valeurs_curseurs.h"
#include "lang/ecran/langue.h"
#include "graph/vue_statistiques.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "support/inspection.h"
#include "support/enregistrement_ecrit.h"
#include "support/fake_platform.h"

#include <QBuffer>
#include <QColorDialog>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QPushButton>
#include <QtTest>
#include <qcustomplot.h>

namespace {

// Channel 1 reads 230 + j/1000, channel 2 1000 + j.
void ecrire_enregistrement(const QString& dat, int n)
{
    ecrire_deux_voies(
        dat, n, [](int j) { return colonne(230.0 + j / 1000.0); }, [](int j) { return colonne(1000.0 + j); });
}

ListeReleves* liste()
{
    return liaison<PnlDonnees>(Info[0].panel).liste;
}

QCustomPlot* graphe(int w)
{
    return liaison<PnlGraphe>(Info[w].panel).graphe;
}

int index_curseur(int w)
{
    int t = 0, i = -1;
    return point_curseur1(Info[w].panel, t, i) ? i : -1;
}

void activer(int w)
{
    tk::activer(Info[w].panel);
    QCOMPARE(grafic, w);
}

// An opened recording of n readings, with graph window 1 active.
struct Session : SessionTest {
    QTemporaryDir dossier;
    explicit Session(int n = 400)
    {
        const QString dat = dossier.filePath("essai.dat");
        ecrire_enregistrement(dat, n);
        if (Ouverture_fichier(dat) != 0)
            qFatal("recording not opened");
        Acq.periode = 1;  // a recording does not carry its period
        activer(1);
    }
};

// Seven readings one a second from 10:00:00 on 25 March 2026 (clock time): V 230 V, P 100, 200, 300,
// undefined, 300, 200, 100 W; reading j at x position 2j.
struct SessionStatistiques : SessionTest {
    QTemporaryDir dossier;
    SessionStatistiques()
    {
        const QString dat = dossier.filePath("charge.dat");
        const char* p[] = {"100.000", "200.000", "300.000", "----", "300.000", "200.000", "100.000"};
        QByteArray cfg = "1 1 1 2 7 V(V)     \r\n2 1 5 2 8 P(W)     \r\n0.000000\r\n0\r\n7\r\n";
        QByteArray d;
        for (int j = 0; j < 7; ++j) {
            cfg += QByteArray::number(2 * j) + "\r\n";
            d += QByteArray::number(j + 1).rightJustified(5) + " 25-03-2026 10:00:0" + QByteArray::number(j) +
                 "  " + QByteArray("230.000").rightJustified(9) + "      " + QByteArray(p[j]).rightJustified(9) +
                 "         \r\n";
        }
        ecrire_fichier(chemin_configuration(dat), cfg);
        ecrire_fichier(dat, d);
        if (Ouverture_fichier(dat) != 0)
            qFatal("recording not opened");
        Acq.periode = 1;
    }
};

QStringList textes_bloc(int w)
{
    QStringList l;
    const QWidget* contenu = tk::contenu(Info[w].panel);
    QList<QLabel*> etiquettes = contenu->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    std::sort(etiquettes.begin(), etiquettes.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    bool dedans = false;
    for (QLabel* e : etiquettes) {
        dedans = dedans || e->text() == QStringLiteral("Statistics");
        if (dedans && e->x() == 5)  // the read-outs' left
            l << e->text();
    }
    return l;
}

} // namespace

class TestCurseurs : public QObject {
    Q_OBJECT

private slots:
    void temps_et_valeurs_formates()
    {
        QCOMPARE(Format_Seconde("X = ", 90), QString("X = 0:01:30"));
        QCOMPARE(Format_Seconde("", 3), QString("0:00:03"));
        QCOMPARE(Format_Seconde("", 3600.0 * 99999 + 61), QString("99999:01:01"));
        QCOMPARE(Format_Seconde("", 3600.0 * 100000 + 61), QString("100000:01"));

        QCOMPARE(Format_Mesure(CODE_COURANT, "", 0.0034, 0), QString("  3.400 mA"));
        QCOMPARE(Format_Mesure(CODE_TENSION, "Y = ", 230.46, 0), QString("Y =  230.5  V"));
        QCOMPARE(Format_Mesure(CODE_P, "", 1234.5, 0), QString(" 1.23 kW"));
        QCOMPARE(Format_Mesure(CODE_FP, "", 0.87, 0), QString("  0.870   "));
        QCOMPARE(Format_Mesure(CODE_Q, "", 0.0, 0), QString("    0.0  Var"));
        QCOMPARE(Format_Mesure(CODE_TENSION, "Y1 = ", 230.46, 1), QString("Y1 =   230.5 V"));
        // Negative values take the prefix of their magnitude.
        QCOMPARE(Format_Mesure(CODE_P, "", -1234.5, 0), QString("-1.23 kW"));
        QCOMPARE(Format_Mesure(CODE_COURANT_MOY, "", -12.0, 0), QString(" -12.00  A"));
        // The micro sign is the one character U+00B5, in UTF-8.
        QCOMPARE(Format_Mesure(CODE_COURANT, "", 2e-6, 0), QString("  2.000 \u00b5A"));

        // Each boundary of the prefix table: just below it, then at it.
        struct Cas { double x; const char* avant; const char* a; };
        const Cas bornes[] = {
            {5e-10, "p", "n"}, {5e-7, "n", "\u00b5"}, {0.0005, "\u00b5", "m"}, {0.5, "m", " "},
            {700.0, " ", "k"}, {900000.0, "k", "M"}, {5e8, "M", "G"},
        };
        for (const Cas& c : bornes) {
            const QString dessous = Format_Mesure(CODE_S, "", c.x * (1 - 1e-9), 0);
            const QString dessus = Format_Mesure(CODE_S, "", c.x, 0);
            QCOMPARE(dessous.right(3), QString::fromUtf8(c.avant) + "VA");
            QCOMPARE(dessus.right(3), QString::fromUtf8(c.a) + "VA");
        }
        // Scaled value below 5, 5 to 50, 50 and above: width and decimals by code.
        QCOMPARE(Format_Mesure(CODE_TENSION, "", 4.99, 0), QString("    5.0  V"));
        QCOMPARE(Format_Mesure(CODE_TENSION, "", 49.9, 0), QString("   49.9  V"));
        QCOMPARE(Format_Mesure(CODE_TENSION, "", 50.0, 0), QString("  50.0  V"));
        QCOMPARE(Format_Mesure(CODE_COURANT, "", 4.5, 0), QString("  4.500  A"));
        QCOMPARE(Format_Mesure(CODE_COURANT_MOY, "", 60.0, 0), QString("  60.00  A"));
        QCOMPARE(Format_Mesure(CODE_FP_MOY, "", -0.5, 0), QString(" -0.500   "));
        QCOMPARE(Format_Mesure(CODE_FP, "", 12.0, 0), QString("  12.00   "));

        // Reading number to seconds for each kind of period.
        QCOMPARE(secondes_position(45.7, -1), 45.0);
        QCOMPARE(secondes_position(7, 0), 3.0);
        QCOMPARE(secondes_position(7.6, 1), 8.0);
        QCOMPARE(secondes_position(45, 2), 90.0);
    }

    void curseur_1_et_lectures()
    {
        Session s;
        const int p = Info[1].panel;
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QVERIFY(Info[1].legende == largeur_legende());
        QVERIFY(controle_existe(Info[1].lect_x));

        // Snaps to the nearest stored reading: x 90.4 is reading 45.
        glisser_curseur1(p, 90.4);
        QCOMPARE(index_curseur(1), 45);
        QCOMPARE(texte_controle(Info[1].lect_x), QString("X = 0:01:30"));
        QCOMPARE(texte_controle(Info[1].lect_y), QString("Y =  230.0  V"));
        QCOMPARE(liste()->currentRow(), 45);
        QCOMPARE(couleur_de_curseur(p, 1), color[4]);

        // Keys on the focused plot.
        QTest::keyClick(graphe(1), Qt::Key_Right);
        QCOMPARE(index_curseur(1), 46);
        QTest::keyClick(graphe(1), Qt::Key_End);
        QCOMPARE(index_curseur(1), 399);
        QCOMPARE(liste()->currentRow(), 399);
        QTest::keyClick(graphe(1), Qt::Key_Left);
        QCOMPARE(index_curseur(1), 398);
        QTest::keyClick(graphe(1), Qt::Key_Home);
        QCOMPARE(index_curseur(1), 0);
        QCOMPARE(texte_controle(Info[1].lect_x), QString("X = 0:00:00"));

        // Nothing moves while an acquisition runs.
        Acq.en_cours = 1;
        glisser_curseur1(p, 200);
        QTest::keyClick(graphe(1), Qt::Key_End);
        QCOMPARE(index_curseur(1), 0);
        Acq.en_cours = 0;

        // With the Data window active the callback leaves the list alone.
        glisser_curseur1(p, 20);
        tk::activer(Info[0].panel);
        QCOMPARE(grafic, 0);
        liste()->setCurrentRow(3);
        ValCurseur(p, 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(liste()->currentRow(), 3);

        // Only the commit event counts.
        activer(1);
        ValCurseur(p, 0, EVENT_VAL_CHANGED, nullptr, 0, 0);
        QCOMPARE(liste()->currentRow(), 3);

        // A window without legend shows nothing; the texts stay as they were.
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(Info[1].lect_x, 0);
        glisser_curseur1(p, 300);
        QCOMPARE(index_curseur(1), 150);
    }

    void glisse_a_la_souris()
    {
        Session s;
        const int p = Info[1].panel;
        QCustomPlot* g = graphe(1);
        g->replot();
        const auto ecran = [g](double x, double y) {
            return QPoint(qRound(g->xAxis->coordToPixel(x)), qRound(g->yAxis->coordToPixel(y)));
        };
        // The reading nearest the pixel's position (reading j is at x 2j).
        const auto proche = [g](QPoint q) { return qRound(g->xAxis->pixelToCoord(q.x()) / 2.0); };
        const double y = g->yAxis->range().center();
        QTest::mousePress(g, Qt::LeftButton, {}, ecran(42.3, y));
        QCOMPARE(index_curseur(1), proche(ecran(42.3, y)));
        QTest::mouseMove(g, ecran(300.6, y));
        QTest::mouseRelease(g, Qt::LeftButton, {}, ecran(300.6, y));
        const int fin = proche(ecran(300.6, y));
        QVERIFY(qAbs(fin - 150) <= 1);
        QCOMPARE(index_curseur(1), fin);
        QCOMPARE(liste()->currentRow(), fin);

        // A press on a delta cursor drags it, not cursor 1.
        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        double x2, y2;
        position_curseur(p, 2, x2, y2);
        QTest::mousePress(g, Qt::LeftButton, {}, ecran(x2, y2));
        QTest::mouseMove(g, ecran(60, y2));
        QTest::mouseRelease(g, Qt::LeftButton, {}, ecran(60, y2));
        double nx, ny;
        position_curseur(p, 2, nx, ny);
        QVERIFY(qAbs(nx - 60) < 2.0);
        QCOMPARE(index_curseur(1), fin);
    }

    void curseurs_lies_a_la_liste()
    {
        Session s;
        glisser_curseur1(Info[1].panel, 20);
        glisser_curseur1(Info[2].panel, 20);
        QCOMPARE(lien, 0);
        // Not linked: the list moves no cursor.
        liste()->setCurrentRow(100);
        QCOMPARE(index_curseur(1), 10);
        QCOMPARE(index_curseur(2), 10);

        Gestion_lien(menu, ITEM_LIER, nullptr, 0);
        QCOMPARE(lien, 1);
        QVERIFY(tk::ItemChecked(ITEM_LIER));
        liste()->setCurrentRow(200);
        QCOMPARE(index_curseur(1), 200);
        QCOMPARE(index_curseur(2), 200);
        // Linked: moving cursor 1 of one window moves the other's too.
        activer(2);
        glisser_curseur1(Info[2].panel, 61);
        QCOMPARE(index_curseur(1), 30);
        QCOMPARE(liste()->currentRow(), 30);
        // Not while an acquisition runs.
        Acq.en_cours = 1;
        liste()->setCurrentRow(50);
        QCOMPARE(index_curseur(1), 30);
        Acq.en_cours = 0;

        Gestion_lien(menu, ITEM_LIER, nullptr, 0);
        QCOMPARE(lien, 0);
        QVERIFY(!tk::ItemChecked(ITEM_LIER));
        glisser_curseur1(Info[2].panel, 0);
        QCOMPARE(index_curseur(2), 0);
        QCOMPARE(index_curseur(1), 30);
    }

    void zoom_du_temps()
    {
        Session s(10);
        const int p = Info[1].panel;
        QLabel* label = liaison<PnlGraphe>(p).label_zoom;
        QCOMPARE(label->text(), QString("X 1"));
        QStringList vus;
        for (int i = 0; i < 4; ++i) {
            Gestion_affichage(menu, ITEM_ZOOMPLUS, nullptr, 0);
            vus << label->text();
        }
        QCOMPARE(vus, (QStringList{"X 2", "X 5", "X 10", "X 10"}));
        QCOMPARE(ScrollBar_GetAttribute(p, SB_TAILLE_VUE), 15);
        QCOMPARE(graphe(1)->xAxis->range().upper, 15.0);

        vus.clear();
        for (int i = 0; i < 11; ++i) {
            Gestion_affichage(menu, ITEM_ZOOMMOINS, nullptr, 0);
            vus << label->text();
        }
        QCOMPARE(vus, (QStringList{"X 5", "X 2", "X 1", "/ 2", "/ 5", "/ 10", "/ 20", "/ 50", "/ 100",
                                   "/ 200", "/ 200"}));
        QCOMPARE(Info[1].zoom, 0.005);
        QCOMPARE(Info[1].zoom_index, 0);
        // The widest zoom shows the whole capacity, the last reading included.
        QCOMPARE(graphe(1)->xAxis->range().upper, 30000.0);

        // No zoom without a graph window, and no message.
        tk::activer(Info[0].panel);
        Gestion_affichage(menu, ITEM_ZOOMPLUS, nullptr, 0);
        grafic = -1;
        Gestion_affichage(menu, ITEM_ZOOMPLUS, nullptr, 0);
        QCOMPARE(Info[1].zoom_index, 0);
        QVERIFY(s.plateforme.popups->messages().isEmpty());
    }

    void derniere_lecture_atteinte()
    {
        // At factor 1 with the thumb at its end the view reaches reading 29999.
        Session s(10);
        const int p = Info[1].panel;
        ScrollBar_SetAttribute(p, SB_VALEUR, ScrollBar_GetAttribute(p, SB_MAXIMUM));
        ScrollBarCallback(p, 0, 6, nullptr, 0, 0);
        QVERIFY(graphe(1)->xAxis->range().upper >= 29999.0);
        // At factor 0.01 the thumb takes the view past 15000.
        for (int i = 0; i < 6; ++i)
            Gestion_affichage(menu, ITEM_ZOOMMOINS, nullptr, 0);
        QCOMPARE(Info[1].zoom, 0.01);
        ScrollBar_SetAttribute(p, SB_VALEUR, ScrollBar_GetAttribute(p, SB_MAXIMUM));
        ScrollBarCallback(p, 0, 6, nullptr, 0, 0);
        QCOMPARE(graphe(1)->xAxis->range().upper, 30000.0);
    }

    void legende_et_curseurs_delta()
    {
        Session s;
        const int p = Info[1].panel;
        QCustomPlot* g = graphe(1);
        const int largeur = g->width();
        glisser_curseur1(p, 20);  // the read-outs follow a cursor 1 on a reading

        Gestion_affichage(menu, ITEM_RETICULE, nullptr, 0);
        QVERIFY(!g->xAxis->grid()->visible());
        QVERIFY(!g->yAxis->grid()->visible());
        Gestion_affichage(menu, ITEM_RETICULE, nullptr, 0);
        QVERIFY(g->xAxis->grid()->visible());
        QVERIFY(g->yAxis->grid()->visible());

        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(g->x(), largeur_legende());
        QVERIFY(largeur_legende() >= 90);
        QCOMPARE(g->width(), largeur - largeur_legende());
        QCOMPARE(liaison<PnlGraphe>(p).label_zoom->x(), largeur_legende() + 2);
        QVERIFY(controle_existe(Info[1].cadre_legende));

        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        QCOMPARE(nb_curseurs(p), 3);
        QVERIFY(controle_existe(Info[1].cadre_ecart[0]));
        QVERIFY(controle_existe(Info[1].cadre_ecart[1]));
        QCOMPARE(couleur_de_curseur(p, 2), color[6]);
        QCOMPARE(couleur_de_curseur(p, 3), color[7]);
        // At the fifths of the X range and the quarters of the Y range.
        const QCPRange rx = g->xAxis->range(), ry = g->yAxis->range();
        double x2, y2, x3, y3;
        position_curseur(p, 2, x2, y2);
        position_curseur(p, 3, x3, y3);
        QCOMPARE(x2, rx.lower + rx.size() / 5);
        QCOMPARE(y2, ry.upper - ry.size() / 4);
        QCOMPARE(x3, rx.upper - rx.size() / 5);
        QCOMPARE(y3, ry.lower + ry.size() / 4);
        fixer_position_curseur(p, 2, 90, 231.04);
        fixer_position_curseur(p, 3, 210, 229.0);
        ValCurseur(p, 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(texte_controle(Info[1].lect_x1), QString("X1 = 0:01:30"));
        QCOMPARE(texte_controle(Info[1].lect_y1), QString("Y1 =   231.0 V"));
        QCOMPARE(texte_controle(Info[1].lect_x2), QString("X2 = 0:03:30"));
        QCOMPARE(texte_controle(Info[1].lect_y2), QString("Y2 =  229.0  V"));
        QCOMPARE(texte_controle(Info[1].lect_dx), QString("dX = 0:02:00"));
        QCOMPARE(texte_controle(Info[1].lect_dy), QString("dY =     2.0  V"));

        // Legend off: frames and read-outs go, the delta cursors stay put.
        const int cadre = Info[1].cadre_ecart[0];
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(Info[1].legende, 0);
        QCOMPARE(g->x(), 0);
        QCOMPARE(g->width(), largeur);
        QVERIFY(!controle_existe(cadre));
        QCOMPARE(Info[1].lect_x, 0);
        QCOMPARE(Info[1].lect_dy, 0);
        QCOMPARE(nb_curseurs(p), 3);
        position_curseur(p, 2, x2, y2);
        QCOMPARE(x2, 90.0);
        QCOMPARE(y2, 231.04);
        // Legend on again brings the delta read-outs back with the cursors.
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(texte_controle(Info[1].lect_dx), QString("dX = 0:02:00"));
        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        QCOMPARE(nb_curseurs(p), 1);
        QCOMPARE(Info[1].lect_x1, 0);
        QVERIFY(controle_existe(Info[1].lect_x));

        // A narrow plot moves without narrowing, and widens by the legend's width after.
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        g->resize(80, g->height());
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(g->x(), largeur_legende());
        QCOMPARE(g->width(), 80);
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(g->width(), 80 + largeur_legende());

        // Error 4 without an active window; the Data window: nothing.
        grafic = -1;
        Gestion_affichage(menu, ITEM_RETICULE, nullptr, 0);
        QCOMPARE(s.plateforme.popups->messages().size(), 1);
        tk::activer(Info[0].panel);
        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        QCOMPARE(s.plateforme.popups->messages().size(), 1);
        QCOMPARE(nb_curseurs(p), 1);
    }

    // File > New hides the legend and the delta read-outs of the recording
    // it clears, and gives the plot its width back.
    void nouveau_retire_la_legende()
    {
        Session s;
        const int p = Info[1].panel;
        QCustomPlot* g = graphe(1);
        const int largeur = g->width();
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        const int cadre = Info[1].cadre_legende, ecart = Info[1].cadre_ecart[0];
        QVERIFY(controle_existe(ecart));
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(Info[1].legende, 0);
        QCOMPARE(g->x(), 0);
        QCOMPARE(g->width(), largeur);
        QCOMPARE(liaison<PnlGraphe>(p).label_zoom->x(), 2);
        QVERIFY(!controle_existe(cadre));
        QVERIFY(!controle_existe(ecart));
        QCOMPARE(Info[1].lect_x, 0);
        QCOMPARE(Info[1].lect_dy, 0);
        QVERIFY(s.plateforme.popups->messages().isEmpty());
    }

    // New takes away what the cleared recording's windows showed: the delta
    // cursors and their read-outs, the zoom, and cursor 1's reading.
    void nouveau_remet_curseurs_et_zoom_data()
    {
        QTest::addColumn<bool>("langue");
        QTest::newRow("File > New") << false;
        QTest::newRow("language switch") << true;
    }
    void nouveau_remet_curseurs_et_zoom()
    {
        QFETCH(bool, langue);
        Session s(100);
        const int p = Info[1].panel;
        glisser_curseur1(p, 20);
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        Gestion_affichage(menu, ITEM_ZOOMMOINS, nullptr, 0);
        Gestion_affichage(menu, ITEM_ZOOMMOINS, nullptr, 0);
        QCOMPARE(liaison<PnlGraphe>(p).label_zoom->text(), QString("/ 5"));
        if (langue) {
            ::langue = 2;
            Changement_langue(menu);
        } else {
            Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        }
        QCOMPARE(nb_curseurs(p), 1);
        QCOMPARE(Info[1].lect_x1, 0);
        QCOMPARE(Info[1].cadre_ecart[0], 0);
        QCOMPARE(liaison<PnlGraphe>(p).label_zoom->text(), QString("X 1"));
        QCOMPARE(Info[1].zoom, 1.0);
        QCOMPARE(Info[1].zoom_index, 7);
        QCOMPARE(graphe(1)->xAxis->range().upper, 150.0);
        QCOMPARE(index_curseur(1), -1);
        // A zoom step after New starts from factor 1 again.
        Gestion_affichage(menu, ITEM_ZOOMMOINS, nullptr, 0);
        QCOMPARE(liaison<PnlGraphe>(p).label_zoom->text(), QString("/ 2"));
        QCOMPARE(graphe(1)->xAxis->range().upper, 300.0);
    }

    // Every read-out whole in its control, in a font no smaller than the
    // readings list's, and the X labels clear of one another, in each
    // language, with the windows tiled at the main window's first size and
    // at full screen.
    void lectures_et_etiquettes_lisibles_data()
    {
        QTest::addColumn<int>("langue");
        QTest::addColumn<bool>("plein_ecran");
        const char* noms[] = {"French", "English", "German", "Spanish", "Italian"};
        for (int l = 0; l < 5; ++l) {
            QTest::addRow("%s, tiled", noms[l]) << l << false;
            QTest::addRow("%s, full screen", noms[l]) << l << true;
        }
    }
    void lectures_et_etiquettes_lisibles()
    {
        QFETCH(int, langue);
        QFETCH(bool, plein_ecran);
        Session s;
        ::langue = langue;
        Changement_langue(menu);
        QCOMPARE(Ouverture_fichier(s.dossier.filePath("essai.dat")), 0);
        tk::SetPanelHeight(Fen_princ[PNL_PRINC], 460);
        tk::SetPanelWidth(Fen_princ[PNL_PRINC], 647);
        Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, 0);
        const int taille_liste = QFontInfo(liste()->font()).pixelSize();

        // Window 1 reads volts, window 2 watts: values chosen for the longest texts.
        const double y2[] = {0, 629.95, -6299.95}, y3[] = {0, 0.0123, -0.0456};
        for (int w = 1; w <= 2; ++w) {
            const int p = Info[w].panel;
            activer(w);
            if (plein_ecran)
                Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
            Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
            Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
            glisser_curseur1(p, 250);
            fixer_position_curseur(p, 2, 3.0, y2[w]);
            fixer_position_curseur(p, 3, 29999.0, y3[w]);
            ValCurseur(p, 0, EVENT_COMMIT, nullptr, 0, 0);

            QCustomPlot* g = graphe(w);
            const InfoRecord& f = Info[w];
            QList<QLabel*> lectures;
            for (int h : {f.lect_x, f.lect_y, f.lect_x1, f.lect_x2, f.lect_dx, f.lect_y1, f.lect_y2, f.lect_dy})
                lectures << qobject_cast<QLabel*>(widget_controle(h));
            for (QLabel* l : lectures) {
                QVERIFY(l);
                const QFontMetrics m(l->font());
                QVERIFY2(!l->text().isEmpty(), qPrintable(QString::number(w)));
                QVERIFY2(m.horizontalAdvance(l->text()) <= l->width(), qPrintable(l->text()));
                QVERIFY2(m.height() <= l->height(), qPrintable(l->text()));
                QVERIFY2(l->geometry().right() < g->x(), qPrintable(l->text()));
                QVERIFY(QFontInfo(l->font()).pixelSize() >= taille_liste);
            }
            for (int i = 1; i < lectures.size(); ++i)
                QVERIFY2(!lectures[i]->geometry().intersects(lectures[i - 1]->geometry()),
                         qPrintable(lectures[i]->text()));
            QCOMPARE(texte_controle(f.lect_dy), w == 1 ? QString("dY =  629.9  V") : QString("dY =     6.3 kW"));

            g->replot(QCustomPlot::rpImmediateRefresh);
            g->replot(QCustomPlot::rpImmediateRefresh);
            const QVector<double> ticks = g->xAxis->tickVector();
            const QVector<QString> etiquettes = g->xAxis->tickVectorLabels();
            QVERIFY(ticks.size() >= 2);
            if (plein_ecran)
                QCOMPARE(ticks.size(), 5);
            const QFontMetrics m(g->xAxis->tickLabelFont());
            for (int i = 1; i < ticks.size(); ++i) {
                const double fin = g->xAxis->coordToPixel(ticks[i - 1]) + m.horizontalAdvance(etiquettes[i - 1]) / 2.0;
                const double debut = g->xAxis->coordToPixel(ticks[i]) - m.horizontalAdvance(etiquettes[i]) / 2.0;
                QVERIFY2(fin < debut, qPrintable(etiquettes[i - 1] + " / " + etiquettes[i]));
            }
        }
    }

    // The delta cursors of window 2 (P) around readings 1 to 4: the
    // statistics block under the delta read-outs, the dialog, its Copy, and
    // the print of the graph; the undefined reading is counted apart and
    // bridged (2 s at a 1 s period), none of the others is left out.
    void statistiques_entre_les_curseurs()
    {
        SessionStatistiques s;
        activer(2);
        const int p = Info[2].panel;
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        Gestion_affichage(menu, ITEM_CURSEUR, nullptr, 0);
        fixer_position_curseur(p, 3, 1.5, 0.0);  // cursor 3 left of cursor 2
        fixer_position_curseur(p, 2, 9.0, 0.0);
        ValCurseur(p, 0, EVENT_COMMIT, nullptr, 0, 0);
        // (200 + 300) / 2 + 2 x 300 = 850 W.s = 236.1 mWh; (200 + 300 + 300) / 3 = 266.7 W.
        const QStringList bloc{"Statistics",       "n = 4",           "Und = 1",         "Mean =  266.7  W",
                               "Min =  200.0  W",  "Max =  300.0  W", "E =  236.1 mWh"};
        QCOMPARE(textes_bloc(2), bloc);
        // Every line whole in the strip.
        for (QLabel* e : tk::contenu(p)->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (e->x() == 5)
                QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) <= largeur_legende() - e->x(),
                     qPrintable(e->text()));

        // Window 1 (V, delta cursors off): the whole recording; no energy.
        Gestion_affichage(menu, ITEM_STATISTIQUES, nullptr, 0);
        PnlStatistiques& d = liaison<PnlStatistiques>(Fen_princ[PNL_STATISTIQUES]);
        QTableWidget* t = d.tableau;
        QCOMPARE(t->columnCount(), 2);
        QCOMPARE(t->horizontalHeaderItem(0)->text(), QString("V(V)"));
        QCOMPARE(t->horizontalHeaderItem(1)->text(), QString("P(W)"));
        const QStringList lignes{"Start", "End", "Duration", "Readings", "Undefined", "Mean", "Minimum",
                                 "Maximum", "Energy"};
        const QStringList v{"25-03-2026 10:00:00", "25-03-2026 10:00:06", "0:00:06", "7", "0", "230.0  V",
                            "230.0  V", "230.0  V", ""};
        const QStringList w{"25-03-2026 10:00:01", "25-03-2026 10:00:04", "0:00:03", "4", "1", "266.7  W",
                            "200.0  W", "300.0  W", "236.1 mWh"};
        QCOMPARE(t->rowCount(), int(lignes.size()));
        for (int r = 0; r < t->rowCount(); ++r) {
            QCOMPARE(t->verticalHeaderItem(r)->text(), lignes[r]);
            QCOMPARE(t->item(r, 0)->text(), v[r]);
            QCOMPARE(t->item(r, 1)->text(), w[r]);
        }
        d.copier->click();
        QCOMPARE(s.plateforme.presse_papiers->dernier_texte,
                 QString("\tV(V)\t\tP(W)\t\n"
                         "Start\t2026-03-25 10:00:00\t\t2026-03-25 10:00:01\t\n"
                         "End\t2026-03-25 10:00:06\t\t2026-03-25 10:00:04\t\n"
                         "Duration\t6\ts\t3\ts\n"
                         "Readings\t7\t\t4\t\n"
                         "Undefined\t0\t\t1\t\n"
                         "Mean\t230\tV\t266.666666667\tW\n"
                         "Minimum\t230\tV\t200\tW\n"
                         "Maximum\t230\tV\t300\tW\n"
                         "Energy\t\t\t0.236111111111\tWh\n"));
        d.quitter->click();
        QCOMPARE(Fen_princ[PNL_STATISTIQUES], 0);

        // Printed under the graph: the figures of the window's channel.
        commande_imprimer();
        const QString pied = s.plateforme.imprimante->vues.last().texte;
        QVERIFY2(pied.contains("Energy     236.1 mWh"), qPrintable(pied));
        QVERIFY2(pied.contains("Readings   4"), qPrintable(pied));

        // Cursors on no reading: none counted, nothing made up.
        fixer_position_curseur(p, 3, 2.5, 0.0);
        fixer_position_curseur(p, 2, 3.5, 0.0);
        ValCurseur(p, 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(textes_bloc(2).mid(1, 4),
                 QStringList({"n = 0", "Und = 0", "Mean =    ----", "Min =    ----"}));
    }

    // The block's and the dialog's texts in each language.
    void statistiques_en_cinq_langues_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("moyenne");
        QTest::addColumn<QString>("energie");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("fermer");
        QTest::newRow("French") << 0 << "Statistiques" << "Moy = " << "Énergie" << "Statistiques ..." << "Fermer";
        QTest::newRow("English") << 1 << "Statistics" << "Mean = " << "Energy" << "Statistics ..." << "Close";
        QTest::newRow("German") << 2 << "Statistik" << "Mittel = " << "Energie" << "Statistik ..." << "Schließen";
        QTest::newRow("Spanish") << 3 << "Estadísticas" << "Media = " << "Energía" << "Estadísticas ..." << "Cerrar";
        QTest::newRow("Italian") << 4 << "Statistiche" << "Media = " << "Energia" << "Statistiche ..." << "Chiudi";
    }
    void statistiques_en_cinq_langues()
    {
        QFETCH(int, l);
        QFETCH(QString, titre);
        QFETCH(QString, moyenne);
        QFETCH(QString, energie);
        QFETCH(QString, menu);
        QFETCH(QString, fermer);
        const int avant = langue, code = Donnee[1].grandeur;
        langue = l;
        stats::Statistiques x;
        x.nb_releves = 1;
        x.moyenne = x.mini = x.maxi = 300.0;
        x.integrale = 300.0;
        Donnee[1].grandeur = CODE_P;
        const QStringList bloc = lignes_bloc(1, x);
        QCOMPARE(bloc.first(), titre);
        QCOMPARE(bloc[3], moyenne + " 300.0  W");
        QCOMPARE(bloc.last(), "E =  300.0  Wh");
        QCOMPARE(qtxt(tx::stat_lignes, tx::STAT_ENERGIE), energie);
        QCOMPARE(mnemonique(txt(tx::item_statistiques)).remove('&'), menu);
        QCOMPARE(mnemonique(txt(tx::fermer)).remove('&'), fermer);
        // Every line of the block within the characters the strip is sized for.
        for (const QString& t : bloc)
            QVERIFY2(t.size() <= caracteres_bloc_statistiques(), qPrintable(t));
        langue = avant;
        Donnee[1].grandeur = code;
    }

    void legende_sans_lecture()
    {
        Session s(3);
        Acq.nb_points = 0;
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        QCOMPARE(Info[1].legende, 0);
        QCOMPARE(graphe(1)->x(), 0);
    }

    void dialogue_des_couleurs()
    {
        Session s;
        QCPGraph* courbe = graphe_trace(Info[1].panel, Donnee[1].trace);
        QVERIFY(courbe);
        const int avant[NB_COULEURS] = {color[0], color[1], color[2], color[3], color[4], color[5],
                                        color[6], color[7], color[8], color[9], color[10]};
        const QColor vert = tk::couleur(color[1]);

        Gestion_affichage(menu, ITEM_COULEUR, nullptr, 0);
        const int d = Fen_princ[PNL_COULEUR];
        PnlCouleur& c = liaison<PnlCouleur>(d);
        QCOMPARE(c.liste_roles->count(), 9);
        QCOMPARE(c.liste_roles->item(1)->text(), QString("Measurement 1 Curve"));
        QCOMPARE(c.liste_roles->item(8)->data(Qt::UserRole).toInt(), 8);
        // Each change shows at once.
        c.liste_roles->setCurrentRow(1);
        selecteur_couleur(d)->setCurrentColor(QColor(0x12, 0x34, 0x56));
        QCOMPARE(colo[1], 0x123456);
        QCOMPARE(courbe->pen().color(), QColor(0x12, 0x34, 0x56));
        c.liste_roles->setCurrentRow(3);
        selecteur_couleur(d)->setCurrentColor(QColor(0x20, 0x20, 0x20));
        QCOMPARE(graphe(2)->axisRect()->backgroundBrush().color(), QColor(0x20, 0x20, 0x20));
        QCOMPARE(color[1], avant[1]);
        // Cancel puts every colour back on screen.
        c.annuler->click();
        QVERIFY(!tk::panel_valide(d));
        QCOMPARE(courbe->pen().color(), vert);
        QCOMPARE(graphe(2)->axisRect()->backgroundBrush().color(), tk::couleur(avant[3]));
        QCOMPARE(colo[1], avant[1]);

        // Default then OK: the defaults become the colours in force and go to the settings.
        for (int& k : color)
            k = 0x010101;
        Gestion_affichage(menu, ITEM_COULEUR, nullptr, 0);
        PnlCouleur& c2 = liaison<PnlCouleur>(Fen_princ[PNL_COULEUR]);
        c2.defaut->click();
        QCOMPARE(color[1], 0x010101);
        QCOMPARE(courbe->pen().color(), tk::couleur(couleurs_par_defaut[1]));
        c2.bouton_ok->click();
        for (int i = 0; i < NB_COULEURS; ++i)
            QCOMPARE(color[i], couleurs_par_defaut[i]);
        QBuffer ini;
        ini.open(QIODevice::ReadWrite);
        Sauvegarde_Ini(ini);
        QVERIFY(ini.data().contains("\n65280\n16776960\n12632256\n128\n12632256\n16711680\n32768\n0\n255\n0\n"));
    }
};

QTEST_MAIN(TestCurseurs)
#include "test_curseurs.moc"
