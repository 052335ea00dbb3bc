// The Edit menu on recordings opened from files: Min and Max labels, the
// free texts at cursor 1 and their insert-text dialog, copying a window to
// the clipboard and renaming a window.
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "graph/affichage.h"
#include "graph/curseurs.h"
#include "graph/edition.h"
#include "graph/emplacements.h"
#include "graph/fenetres.h"
#include "graph/traces.h"
#include "lang/langue.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "support/inspection.h"
#include "support/enregistrement_ecrit.h"
#include "support/fake_platform.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace {

// Channel 1 falls from 240 to its minimum 200 at readings 10 and 30, and
// peaks at 260 at reading 20; channel 2 is undefined at `indefini`.
QByteArray tension(int j)
{
    if (j == 10 || j == 30)
        return colonne(200.0);
    if (j == 20)
        return colonne(260.0);
    return colonne(240.0 - (j % 7));
}

struct Session : SessionTest {
    QTemporaryDir dossier;
    explicit Session(int n = 60, int indefini = -1)
    {
        const QString dat = dossier.filePath("essai.dat");
        ecrire_deux_voies(dat, n, tension, [indefini](int j) {
            return j == indefini ? QByteArray("----") : colonne(1000.0 + j);
        });
        if (Ouverture_fichier(dat) != 0)
            qFatal("recording not opened");
        Acq.periode = 1;
        tk::activer(Info[1].panel);
    }
};

void edition(int item)
{
    Gestion_edition(menu, item, nullptr, Fen_princ[PNL_PRINC]);
}

PnlTexte* dialogue()
{
    const int p = Fen_princ[PNL_TEXTE];
    return tk::panel_valide(p) ? &liaison<PnlTexte>(p) : nullptr;
}

// The plot of slot k of window w, nullptr when there is none.
QCPItemText* plot(int w, int k)
{
    return texte_trace(Info[w].panel, Info[w].trace_texte[k]);
}

QPointF position(QCPItemText* t)
{
    return t ? t->position->coords() : QPointF(-1, -1);
}

QCustomPlot* graphe(int w)
{
    return liaison<PnlGraphe>(Info[w].panel).graphe;
}

} // namespace

class TestEdition : public QObject {
    Q_OBJECT

private slots:
    void extremes()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double t[] = {nan, 3, 1, 5, 1, 5, nan};
        double maxi = 0, mini = 0;
        int i_max = 0, i_min = 0;
        MaxMin1D(t, 7, maxi, i_max, mini, i_min);
        QCOMPARE(maxi, 5.0);
        QCOMPARE(i_max, 3);
        QCOMPARE(mini, 1.0);
        QCOMPARE(i_min, 2);
        MaxMin1D(t, 1, maxi, i_max, mini, i_min);
        QCOMPARE(i_max, -1);
        QCOMPARE(i_min, -1);
        const double negatifs[] = {-2, -7, -7, -1};
        MaxMin1D(negatifs, 4, maxi, i_max, mini, i_min);
        QCOMPARE(i_max, 3);
        QCOMPARE(i_min, 1);
    }

    void min_et_max_places()
    {
        // A recording shown before leaves a high value where the one opened
        // has an undefined reading: it must not become the maximum.
        Session s(60, 5);
        point[2][5] = 1e9;
        QCOMPARE(Ouverture_fichier(s.dossier.filePath("essai.dat")), 0);
        QCOMPARE(point[2][5], 0.0);
        tk::activer(Info[1].panel);

        edition(ITEM_MIN);
        QVERIFY(dialogue());
        QCOMPARE(dialogue()->champ_texte->text(), QString("Min"));
        QCOMPARE(mem_text, 0);
        QCOMPARE(position(plot(1, 0)), QPointF(20, 200)); // first of readings 10 and 30
        QCOMPARE(plot(1, 0)->text(), QString("Min"));
        QCOMPARE(plot(1, 0)->color(), QColor(Qt::black));
        QCOMPARE(plot(1, 0)->brush().style(), Qt::NoBrush);
        QVERIFY(tk::ItemDimmed(BARRE_EDITION));
        dialogue()->bouton_ok->click();
        QVERIFY(!dialogue());
        QVERIFY(!tk::ItemDimmed(BARRE_EDITION));
        QCOMPARE(Info[1].texte_place[0], 1);

        tk::activer(Info[2].panel);
        edition(ITEM_MAX);
        QCOMPARE(position(plot(2, 1)), QPointF(118, 1059));
        dialogue()->bouton_ok->click();
        // Window 1 keeps its label.
        QVERIFY(plot(1, 0));

        // Placing Min again replaces its plot.
        tk::activer(Info[1].panel);
        const int avant = nb_traces(Info[1].panel);
        edition(ITEM_MIN);
        QCOMPARE(nb_traces(Info[1].panel), avant);
        dialogue()->bouton_ok->click();
    }

    void silences_et_refus()
    {
        Session s(20);
        // No window active: error 4, for every item that needs one.
        grafic = -1;
        for (int item : {ITEM_MIN, ITEM_TEXT1, ITEM_COPGRA, ITEM_RENGRA})
            edition(item);
        QCOMPARE(s.plateforme.popups->messages(), QStringList(4, QString("No graph selected\n")));
        QCOMPARE(s.plateforme.presse_papiers->copies, 0);

        // The Data window has no curve.
        tk::activer(Info[0].panel);
        edition(ITEM_MAX);
        edition(ITEM_TEXT2);
        QVERIFY(!dialogue());

        // No Window-menu item checked: the dialog goes, the menus stay free.
        tk::activer(Info[1].panel);
        tk::SetItemChecked(Info[1].item, false);
        edition(ITEM_MAX);
        QVERIFY(!dialogue());
        QVERIFY(!tk::ItemDimmed(BARRE_EDITION));
        QCOMPARE(Info[1].texte_place[1], 0);

        // No reading stored.
        tk::activer(Info[1].panel);
        Acq.nb_points = 0;
        edition(ITEM_MIN);
        edition(ITEM_TEXT1);
        QVERIFY(!dialogue());

        // Items outside the Edit menu do nothing.
        Acq.nb_points = 20;
        edition(ITEM_NOUVEAU);
        QCOMPARE(Acq.nb_points, 20);
    }

    void texte_edite_et_pousse()
    {
        Session s(60);
        glisser_curseur1(Info[1].panel, 40);
        // Not while an acquisition runs.
        Acq.en_cours = 1;
        edition(ITEM_TEXT1);
        QVERIFY(!dialogue());
        Acq.en_cours = 0;

        edition(ITEM_TEXT1);
        QVERIFY(dialogue());
        QCOMPARE(dialogue()->champ_texte->text(), QString("text"));
        QCOMPARE(position(plot(1, 2)), QPointF(40, 260));
        // The graph follows the typing.
        QTest::keyClicks(dialogue()->champ_texte, "Peak");
        QCOMPARE(plot(1, 2)->text(), QString("Peak"));
        QCOMPARE(nb_traces(Info[1].panel), 2); // the curve and one text

        const QCPRange y = graphe(1)->yAxis->range(), x = graphe(1)->xAxis->range();
        memy = y.upper - 0.04 * y.size();
        dialogue()->bouton_haut->click();
        QCOMPARE(memy, y.upper - 0.04 * y.size()); // within 5 % of the top: stays
        memy = y.upper - 0.06 * y.size();
        dialogue()->bouton_haut->click();
        QCOMPARE(memy, y.upper + 0.04 * y.size());
        QCOMPARE(position(plot(1, 2)).y(), memy);
        QCOMPARE(plot(1, 2)->text(), QString("Peak"));

        memx = x.upper - 0.02 * x.size();
        dialogue()->bouton_droite->click();
        QCOMPARE(memx, x.upper);
        dialogue()->bouton_droite->click();
        QCOMPARE(memx, x.upper); // within 1 % of the right edge now
        QCOMPARE(position(plot(1, 2)).x(), x.upper);

        dialogue()->bouton_ok->click();
        QCOMPARE(QString(Info[1].texte[2]), QString("Peak"));
        QCOMPARE(Info[1].texte_place[2], 1);

        // Using the slot again shows the edited wording; Close takes it away.
        edition(ITEM_TEXT1);
        QCOMPARE(dialogue()->champ_texte->text(), QString("Peak"));
        QTest::keyClicks(dialogue()->champ_texte, "!");
        dialogue()->quitter->click();
        QVERIFY(!dialogue());
        QVERIFY(!plot(1, 2));
        QCOMPARE(Info[1].texte_place[2], 0);
        QCOMPARE(nb_traces(Info[1].panel), 1);
        QCOMPARE(QString(Info[1].texte[2]), QString("Peak")); // Close keeps the wording stored
        QVERIFY(!tk::ItemDimmed(BARRE_EDITION));

        // Escape is Close; the dialog speaks the current language.
        langue = 2;
        edition(ITEM_TEXT3);
        QCOMPARE(mem_text, 4);
        QCOMPARE(tk::titre(Fen_princ[PNL_TEXTE]), QString("Text einsetzen"));
        QCOMPARE(dialogue()->quitter->text(), QString("Beenden"));
        QCOMPARE(dialogue()->bouton_gauche->toolTip(), QString("Nach links"));
        QTest::keyClick(tk::fenetre(Fen_princ[PNL_TEXTE]), Qt::Key_Escape);
        QVERIFY(!dialogue());
        QVERIFY(!plot(1, 4));
    }

    void marges_des_quatre_bords()
    {
        // Span 0 .. 100: up/down step 10 with a 5 margin, left/right step 2 with a 1 margin.
        QCOMPARE(pousser_texte(94.9, 0, 100, 1, MARGE_TEXTE_Y, PAS_TEXTE_Y), 104.9);
        QCOMPARE(pousser_texte(95.0, 0, 100, 1, MARGE_TEXTE_Y, PAS_TEXTE_Y), 95.0);
        QCOMPARE(pousser_texte(5.0, 0, 100, -1, MARGE_TEXTE_Y, PAS_TEXTE_Y), 5.0);
        QCOMPARE(pousser_texte(5.1, 0, 100, -1, MARGE_TEXTE_Y, PAS_TEXTE_Y), 5.1 - 10);
        QCOMPARE(pousser_texte(99.0, 0, 100, 1, MARGE_TEXTE_X, PAS_TEXTE_X), 99.0);
        QCOMPARE(pousser_texte(98.5, 0, 100, 1, MARGE_TEXTE_X, PAS_TEXTE_X), 100.5);
        QCOMPARE(pousser_texte(1.0, 0, 100, -1, MARGE_TEXTE_X, PAS_TEXTE_X), 1.0);
        QCOMPARE(pousser_texte(1.5, 0, 100, -1, MARGE_TEXTE_X, PAS_TEXTE_X), -0.5);
        // An axis that does not start at 0.
        QCOMPARE(pousser_texte(225, 200, 250, -1, MARGE_TEXTE_Y, PAS_TEXTE_Y), 220.0);
    }

    void les_textes_vivent_avec_leur_fenetre()
    {
        Session s(60);
        edition(ITEM_MAX);
        dialogue()->bouton_ok->click();
        glisser_curseur1(Info[1].panel, 10);
        edition(ITEM_TEXT2);
        dialogue()->bouton_ok->click();
        const QPointF max = position(plot(1, 1)), libre = position(plot(1, 3));

        // Zoom, legend, full screen and a resize leave them where they are.
        Gestion_affichage(menu, ITEM_ZOOMPLUS, nullptr, 0);
        Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
        Repere_fenetre(Info[1].panel, EVENT_RIGHT_DOUBLE_CLICK, nullptr, 0, 0);
        Repere_fenetre(Info[1].panel, EVENT_RIGHT_DOUBLE_CLICK, nullptr, 0, 0);
        tk::SetPanelWidth(Info[1].panel, 300);
        QCOMPARE(position(plot(1, 1)), max);
        QCOMPARE(position(plot(1, 3)), libre);

        // File > New clears them with the recording.
        Gestion_fichier(menu, ITEM_NOUVEAU, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(nb_traces(Info[1].panel), 0);
        QCOMPARE(Info[1].texte_place[1], 0);
        QCOMPARE(Info[1].texte_place[3], 0);
        QCOMPARE(Info[1].trace_texte[3], 0);
    }

    void fermer_la_fenetre_retire_ses_textes()
    {
        Session s(60);
        tk::activer(Info[2].panel);
        edition(ITEM_MIN);
        dialogue()->bouton_ok->click();
        const int h = Info[2].trace_texte[0];
        QVERIFY(trace_existe(h));
        grafic = 2;
        Fermer_graphe();
        QVERIFY(!trace_existe(h));
        QCOMPARE(Info[2].texte_place[0], 0);
    }

    void copier_une_fenetre()
    {
        Session s(20);
        FakePressePapiers& pp = *s.plateforme.presse_papiers;
        edition(ITEM_COPGRA);
        QCOMPARE(pp.copies, 1);
        const tk::Geometrie g = tk::geometrie(Info[1].panel);
        QCOMPARE(pp.derniere.size() / pp.derniere.devicePixelRatio(), QSize(g.width, g.height));
        // The Data window too.
        tk::activer(Info[0].panel);
        edition(ITEM_COPGRA);
        QCOMPARE(pp.copies, 2);
        const tk::Geometrie d = tk::geometrie(Info[0].panel);
        QCOMPARE(pp.derniere.size() / pp.derniere.devicePixelRatio(), QSize(d.width, d.height));
    }

    void renommer_une_fenetre()
    {
        Session s(20);
        FakePopups& popups = *s.plateforme.popups;
        const int p = Info[1].panel, item = Info[1].item;
        const QString titre = tk::titre(p), nom = tk::ItemName(item);

        // Cancel and Escape answer nothing: nothing changes.
        popups.saisies = {std::nullopt};
        edition(ITEM_RENGRA);
        QCOMPARE(popups.vus.last().genre, QString("texte"));
        QCOMPARE(popups.vus.last().titre, QString("Rename Window"));
        QCOMPARE(popups.vus.last().boutons, (QStringList{"&OK", "&Cancel"}));
        QCOMPARE(popups.vus.last().longueur_max, 100);
        QCOMPARE(tk::titre(p), titre);
        QCOMPARE(tk::ItemName(item), nom);

        popups.saisies = {QString("Fridge & freezer")};
        edition(ITEM_RENGRA);
        QCOMPARE(tk::titre(p), QString("Fridge & freezer"));
        QCOMPARE(tk::ItemName(item), QString("Fridge && freezer"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(tk::fenetre(p));
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), QString("Fridge & freezer"));

        popups.saisies = {QString(150, 'x')};
        edition(ITEM_RENGRA);
        QCOMPARE(tk::titre(p), QString(100, 'x'));

        popups.saisies = {QString()};
        edition(ITEM_RENGRA);
        QCOMPARE(tk::titre(p), QString());
        QCOMPARE(tk::ItemName(item), QString());

        // The Data window is renamed as well.
        tk::activer(Info[0].panel);
        popups.saisies = {QString("Readings")};
        edition(ITEM_RENGRA);
        QCOMPARE(tk::titre(Info[0].panel), QString("Readings"));
        QCOMPARE(tk::ItemName(Info[0].item), QString("Readings"));
    }
};

QTEST_MAIN(TestEdition)
#include "test_edition.moc"
