// File > Print: the Data window's readings through the print dialog panel,
// a graph window printed full screen and put back, and the drawing on a PDF
// printer.
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "graph/fenetres_voies.h"
#include "files/ecran/fichier.h"
#include "files/ecran/impression.h"
#include "files/ecran/impression_qt.h"
#include "graph/affichage.h"
#include "graph/fenetres.h"
#include "lang/textes.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/releves_ranges.h"
#include "acquisition/ligne.h"

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <qcustomplot.h>

namespace {

bool menus_verrouilles()
{
    return tk::ItemDimmed(BARRE_FICHIER) && tk::ItemDimmed(BARRE_AIDE);
}

QString erreur(int code)
{
    return QString::fromUtf8(tx::erreur[code * 5 + 1]) + "\n";
}

QString ligne(int j)
{
    return QString("%1 03-07-2026 10:00:%2    231.400          0.512         ").arg(j + 1, 5).arg(j % 60, 2, 10, QChar('0'));
}

// The program with two channels V(V) and Qm(Var), their windows tiled.
struct Poste {
    SessionTest session;
    FakePrinter& imprimante = *session.plateforme.imprimante;
    FakePopups& popups = *session.plateforme.popups;

    Poste()
    {
        langue = 1;
        Mesure.port = 1;
        Mesure.nb_voies = 2;
        copie_texte(Donnee[1].libelle, "V(V)");
        copie_texte(Donnee[2].libelle, "Qm(Var)");
        Maj_connexion();
        tk::SetPanelHeight(Fen_princ[PNL_PRINC], 600);
        tk::SetPanelWidth(Fen_princ[PNL_PRINC], 800);
        Gestion_fenetre(menu, ITEM_MOSAIQUE, nullptr, 0);
        popups.vus.clear(); // start-up's own notices
    }

    void imprimer(int fenetre)
    {
        Gestion_fenetre(menu, Info[fenetre].item, nullptr, 0);
        Gestion_fichier(menu, ITEM_IMPRIMER, nullptr, Fen_princ[PNL_PRINC]);
    }
    // The Data window with n readings, printed: the dialog comes up.
    PnlImpression* dialogue(int n)
    {
        liaison<PnlDonnees>(Info[0].panel).liste->clear();
        vider_releves();
        for (int j = 0; j < n; ++j)
            ranger_essai(j, QDate(2026, 3, 7), QTime(10, 0, j % 60), false, 1, 2, 231.4, 0.512);
        Acq.nb_points = n;
        imprimer(0);
        return Fen_princ[PNL_PRINT] ? &liaison<PnlImpression>(Fen_princ[PNL_PRINT]) : nullptr;
    }
    tk::Geometrie plein_ecran()
    {
        const tk::Geometrie p = tk::geometrie(Fen_princ[PNL_PRINC]);
        return geometrie_plein_ecran(p.height, p.width);
    }
};

// The second piece is cut at 15 characters, the first padded to them.
const QString entete = "   N°    Date     Time      CH1: V(V)      CH2: Qm(Var)  ";

} // namespace

class TestImpression : public QObject {
    Q_OBJECT

private slots:
    void sans_fenetre_ni_releves_rien()
    {
        Poste p;
        grafic = -1;
        Gestion_fichier(menu, ITEM_IMPRIMER, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(p.popups.messages(), QStringList{erreur(4)});
        QVERIFY(!p.dialogue(0));
        QVERIFY(!menus_verrouilles());
        QVERIFY(p.imprimante.vues.isEmpty());
    }

    void donnees_entete_deux_fins_de_ligne_et_chaque_ligne()
    {
        Poste p;
        PnlImpression* d = p.dialogue(3);
        QVERIFY(d);
        QVERIFY(menus_verrouilles());
        QCOMPARE(tk::fenetre(Fen_princ[PNL_PRINT])->windowModality(), Qt::ApplicationModal);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINT]), QString("Print"));
        QCOMPARE(d->printdef->text(), QString("Datas sending to the default printer ?"));
        copie_texte(Donnee[1].titre, "xx"); // refreshed from the label
        d->bouton_imprimer->click();
        QCOMPARE(p.imprimante.vues.size(), 1);
        QCOMPARE(p.imprimante.vues[0].genre, QString("texte"));
        QCOMPARE(p.imprimante.vues[0].texte, entete + "\n\n" + ligne(0) + "\n" + ligne(1) + "\n" + ligne(2) + "\n");
        QCOMPARE(Fen_princ[PNL_PRINT], 0);
        QVERIFY(!menus_verrouilles());

        // No readings left: the heading alone. A count ahead of the list adds no blank lines.
        d = p.dialogue(2);
        Acq.nb_points = 0;
        d->bouton_imprimer->click();
        QCOMPARE(p.imprimante.vues[1].texte, entete + "\n\n");
        d = p.dialogue(1);
        Acq.nb_points = 4;
        d->bouton_imprimer->click();
        QCOMPARE(p.imprimante.vues[2].texte, entete + "\n\n" + ligne(0) + "\n");

        langue = 0;
        d = p.dialogue(1);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINT]), QString("Imprimer"));
        QCOMPARE(d->bouton_imprimer->text(), QString("Imprimer"));
        QCOMPARE(d->quitter->text(), QString("Quitter"));
    }

    void port_zero_annuler_et_echap()
    {
        Poste p;
        Mesure.port = 0;
        PnlImpression* d = p.dialogue(3);
        d->bouton_imprimer->click();
        QVERIFY(p.imprimante.vues.isEmpty());
        QVERIFY(tk::panel_valide(Fen_princ[PNL_PRINT]));
        QVERIFY(menus_verrouilles());
        d->quitter->click();
        QCOMPARE(Fen_princ[PNL_PRINT], 0);
        QVERIFY(!menus_verrouilles());

        p.dialogue(3);
        const int panel = Fen_princ[PNL_PRINT];
        QTest::keyClick(tk::fenetre(panel), Qt::Key_Escape);
        QVERIFY(!tk::panel_valide(panel));
        QCOMPARE(Fen_princ[PNL_PRINT], 0);
        QVERIFY(!menus_verrouilles());
        QVERIFY(p.imprimante.vues.isEmpty());
    }

    void graphe_plein_ecran_puis_remis_en_mosaique()
    {
        Poste p;
        const int g = Info[2].panel;
        const tk::Geometrie tuile = tk::geometrie(g);
        tk::Geometrie pendant;
        p.imprimante.pendant = [&](const ImpressionVue&) { pendant = tk::geometrie(g); };
        p.imprimer(2);
        QCOMPARE(pendant, p.plein_ecran());
        const ImpressionVue& v = p.imprimante.vues[0];
        QCOMPARE(v.widget, tk::contenu(g));
        QCOMPARE(v.taille, QSize(pendant.width, pendant.height));
        QCOMPARE(v.titre, QString("Channel 2 : Qm(Var)"));
        QCOMPARE(tk::geometrie(g), tuile);
        QCOMPARE(liaison<PnlGraphe>(g).graphe->height(), tuile.height - 15);

        // From a cascade, the print given up: full screen all the same, then tiled.
        Gestion_fenetre(menu, ITEM_CASCADE, nullptr, 0);
        p.imprimante.reponse = Printer::annule;
        p.imprimer(2);
        QCOMPARE(pendant, p.plein_ecran());
        QCOMPARE(tk::geometrie(g), tuile);
        QVERIFY(p.popups.vus.isEmpty());

        // A window already full screen is printed so, not toggled back.
        Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
        pendant = {};
        p.imprimer(2);
        QCOMPARE(pendant, p.plein_ecran());
        QCOMPARE(tk::geometrie(g), tuile);
    }

    // The printed window's scroll bar comes back as long as it was, with the
    // legend shown or not; so after full screen and back.
    void barre_de_defilement_rendue_data()
    {
        QTest::addColumn<bool>("legende");
        QTest::addColumn<bool>("imprimer");
        QTest::newRow("print") << false << true;
        QTest::newRow("print, legend shown") << true << true;
        QTest::newRow("full screen and back, legend shown") << true << false;
    }
    void barre_de_defilement_rendue()
    {
        QFETCH(bool, legende);
        QFETCH(bool, imprimer);
        Poste p;
        const int g = Info[1].panel;
        QScrollBar* barre = liaison<PnlGraphe>(g).defilement;
        Gestion_fenetre(menu, Info[1].item, nullptr, 0);
        if (legende) {
            Acq.nb_points = 1;
            Gestion_affichage(menu, ITEM_LEGENDE, nullptr, 0);
            QVERIFY(Info[1].legende > 0);
        }
        const QRect avant = barre->geometry();
        QCOMPARE(avant.width(), tk::geometrie(g).width);
        if (imprimer) {
            p.imprimer(1);
        } else {
            Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
            QCOMPARE(barre->width(), p.plein_ecran().width);
            Gestion_fenetre(menu, ITEM_ECRAN, nullptr, 0);
        }
        QCOMPARE(barre->geometry(), avant);
    }

    void echec_signale()
    {
        Poste p;
        p.imprimante.reponse = Printer::echec_fichier;
        p.imprimer(1);
        p.imprimante.reponse = Printer::echec_imprimante;
        p.dialogue(1)->bouton_imprimer->click();
        QCOMPARE(p.popups.messages(), (QStringList{erreur(24), erreur(27)}));
    }

    void dessin_sur_pdf()
    {
        Poste p;
        QTemporaryDir dir;
        auto pages = [&](const QString& nom, auto&& dessin) {
            QPrinter imp(QPrinter::HighResolution);
            imp.setOutputFormat(QPrinter::PdfFormat);
            imp.setPageSize(QPageSize(QPageSize::A4));
            imp.setOutputFileName(dir.filePath(nom));
            if (!dessin(imp))
                return -1;
            QFile f(dir.filePath(nom));
            f.open(QIODevice::ReadOnly);
            // Qt never compresses page objects.
            return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page(?!s)")));
        };
        QString mille;
        for (int j = 0; j < 1000; ++j)
            mille += ligne(j) + "\n";
        QCOMPARE(pages("court.pdf", [&](QPrinter& i) { return dessiner_texte(i, entete + "\n\n" + ligne(0) + "\n"); }), 1);
        // 10 pt lines, some sixty to an A4 page; a line far too wide shrinks onto one.
        const int n = pages("long.pdf", [&](QPrinter& i) { return dessiner_texte(i, mille); });
        QVERIFY2(n >= 12 && n <= 25, qPrintable(QString::number(n)));
        QCOMPARE(pages("large.pdf", [](QPrinter& i) { return dessiner_texte(i, QString(400, 'x') + "\n"); }), 1);

        QWidget* g = tk::contenu(Info[1].panel);
        QCOMPARE(pages("graphe.pdf", [&](QPrinter& i) { return dessiner_widget(i, g, "Channel 1 : V(V)"); }), 1);
        QVERIFY(liaison<PnlGraphe>(Info[1].panel).graphe->isVisibleTo(g));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QCOMPARE(pages("absent/x.pdf", [](QPrinter& i) { return dessiner_texte(i, "a\n"); }), -1);
    }
};

QTEST_MAIN(TestImpression)
#include "test_impression.moc"
