// What assistive technology sees: the main window and the child windows as
// windows named by the titles they show, and quantity boxes that react to a
// tick however it was given.
#include "acquisition/selection.h"
#include "acquisition/ecran/type_mesure.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "acquisition/ecran/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/fichier.h"
#include "lang/ecran/langue.h"
#include "support/banc.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

namespace {

QAccessibleInterface* interface_de(int panel)
{
    return QAccessible::queryAccessibleInterface(tk::fenetre(panel));
}

PnlTypeMesure& dialogue() { return liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]); }

} // namespace

class TestAccessibilite : public QObject {
    Q_OBJECT

private slots:
    void init() { Annuler_choix_grandeur(); }

    void fenetres_nommees_par_leur_titre()
    {
        BancSimulateur b;
        QVERIFY(b.pret);

        QAccessibleInterface* principal = interface_de(Fen_princ[PNL_PRINC]);
        QVERIFY(principal);
        QCOMPARE(principal->role(), QAccessible::Window);
        QCOMPARE(principal->text(QAccessible::Name), QString("VOLTEXA"));
        tk::SetPanelTitle(Fen_princ[PNL_PRINC], "VOLTEXA - MESURE1.DAT");
        QCOMPARE(principal->text(QAccessible::Name), QString("VOLTEXA - MESURE1.DAT"));

        selectionner_case(1, 1);
        selectionner_case(5, 1);
        ModeEnCours_actuel = 1;
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
        QCOMPARE(nb_panel, 3);

        const QStringList anglais{"Data", "Channel 1 : V(V)", "Channel 2 : P(W)"};
        for (int w = 0; w < nb_panel; ++w) {
            QAccessibleInterface* i = interface_de(Info[w].panel);
            QVERIFY2(i, qPrintable(anglais[w]));
            QCOMPARE(i->role(), QAccessible::Window);
            QCOMPARE(i->text(QAccessible::Name), anglais[w]);
            // The window is found where a screen reader walks: under the main window.
            QVERIFY(principal->indexOfChild(i) >= 0 || i->parent());
        }

        // The language switch retitles the windows; their names follow.
        langue = 2;
        Changement_langue(menu);
        QCOMPARE(interface_de(Info[0].panel)->text(QAccessible::Name), QString("Daten"));
        for (int w = 1; w < nb_panel; ++w) {
            const QString nom = interface_de(Info[w].panel)->text(QAccessible::Name);
            QCOMPARE(nom, tk::titre(Info[w].panel));
            QVERIFY2(nom.startsWith(QString("Kanal %1").arg(w)), qPrintable(nom));
        }
    }

    // setChecked and toggle (what the accessible Toggle action calls) emit
    // no click: the choice must still be taken, once per change.
    void case_cochee_sans_clic()
    {
        BancSimulateur b;
        QVERIFY(b.pret);
        Acq.periode = 1;
        for (int maniere = 0; maniere < 3; ++maniere) {
            Annuler_choix_grandeur();
            ouvrir_type_mesure();
            QVERIFY(tk::panel_valide(Fen_princ[PNL_TYPEMES]));
            QCheckBox* tension = dialogue().cases[0];
            if (maniere == 0) {
                tension->setChecked(true);
            } else if (maniere == 1) {
                tension->toggle();
            } else {
                QAccessibleInterface* i = QAccessible::queryAccessibleInterface(tension);
                QVERIFY(i);
                QVERIFY(i->actionInterface());
                i->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            }
            QVERIFY(tension->isChecked());
            QCOMPARE(compteur_grandeur, 1);
            QCOMPARE(int(grandeur_mesure[1]), 1);

            // Unticked and ticked again: counted once, not twice.
            tension->setChecked(false);
            QCOMPARE(compteur_grandeur, 0);
            tension->setChecked(true);
            QCOMPARE(compteur_grandeur, 1);

            dialogue().bouton_ok->click();
            QCOMPARE(flag_type_mesure, 1);
            QCOMPARE(Acq.en_cours, 1);
            QCOMPARE(QString(Donnee[1].libelle), QString("V(V)"));
            Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
            QCOMPARE(Acq.en_cours, 0);
        }
    }
};

QTEST_MAIN(TestAccessibilite)
#include "test_accessibilite.moc"
