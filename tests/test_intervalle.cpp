// The interval dialog (period, capacity, recording duration) and the
// connection dialog (COM port), through the Setup menu as a person uses them.
#include "acquisition/intervalle.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "acquisition/ecran/panneaux.h"
#include "app/parametres.h"
#include "app/startup.h"
#include "files/ecran/fichier.h"
#include "files/format.h"
#include "link/jbus.h"
#include "link/serial.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

void commande(int item) { Gestion_parametre(menu, item, nullptr, Fen_princ[PNL_PRINC]); }
bool menus_bloques() { return tk::ItemDimmed(BARRE_PARAMETRE); }

// ---- interval dialog ----

PnlIntervalle& iv() { return liaison<PnlIntervalle>(Fen_princ[PNL_INTERVAL]); }
bool intervalle_ouvert() { return Fen_princ[PNL_INTERVAL] > 0 && tk::panel_valide(Fen_princ[PNL_INTERVAL]); }

// Chooses a period in the ring as a person does (the ring's commit).
void periode(int p)
{
    QComboBox* r = iv().anneau_intervalle;
    const int i = r->findData(p);
    QVERIFY2(i >= 0, qPrintable(QString("period %1 not offered").arg(p)));
    r->setCurrentIndex(i);
    emit r->activated(i);
}
void duree(const QString& texte)
{
    if (!iv().case_duree->isChecked())
        iv().case_duree->click();
    iv().champ_duree->setText(texte);
}
QString capacite() { return iv().texte_capacite->text(); }

// ---- connection dialog ----

PnlConnexion& cx() { return liaison<PnlConnexion>(Fen_princ[PNL_CONNEXION]); }
bool connexion_ouverte() { return Fen_princ[PNL_CONNEXION] > 0 && tk::panel_valide(Fen_princ[PNL_CONNEXION]); }
void choisir_port(int n) { cx().liste_ports->setCurrentRow(n - 1); }

// Gives COM n of the program directory a link leading to `cible`.
void lier_port(const QString& dir, int n, const QString& cible)
{
    const QString lien = dir + QString("/ports/COM%1").arg(n);
    QFile::remove(lien);
    QVERIFY(QFile::link(cible, lien));
}

} // namespace

class TestIntervalle : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        check = 0;
        s1[0] = '\0';
    }

    void capacite_en_trois_formes()
    {
        remise_a_zero_globales();
        langue = 1;
        QCOMPARE(texte_capacite(capacite_periode(1)), QString("08:20:00"));
        QCOMPARE(texte_capacite(capacite_periode(0)), QString("04:10:00"));
        QCOMPARE(texte_capacite(capacite_periode(10)), QString("83:20:00"));  // just under four days
        QCOMPARE(texte_capacite(capacite_periode(12)), QString("4d 04:00"));
        QCOMPARE(texte_capacite(capacite_periode(30)), QString("10d 10:00"));
        QCOMPARE(texte_capacite(capacite_periode(60)), QString("20d"));
        langue = 0;
        QCOMPARE(texte_capacite(capacite_periode(12)), QString("4j 04:00"));
    }

    void controle_de_la_duree_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("periode");
        QTest::addColumn<int>("erreur");
        QTest::addColumn<int>("nb_max");
        QTest::newRow("1 h at 0.5 s") << "000 01:00:00" << 0 << 0 << 7200;
        QTest::newRow("1 h at 10 s") << "000 01:00:00" << 10 << 0 << 360;
        QTest::newRow("whole capacity") << "000 08:20:00" << 1 << 0 << 30000;
        QTest::newRow("one second over") << "000 08:20:01" << 1 << 27 << 0;
        QTest::newRow("999 days at 1 s") << "999 00:00:00" << 1 << 27 << 0;
        QTest::newRow("60 minutes") << "000 01:60:00" << 1 << 25 << 0;
        QTest::newRow("shifted") << "0001 00:00:0" << 1 << 25 << 0;
        QTest::newRow("letter") << "000 0a:00:00" << 1 << 25 << 0;
        QTest::newRow("zero") << "000 00:00:00" << 1 << 25 << 0;
        QTest::newRow("shorter than a period") << "000 00:00:09" << 10 << 27 << 0;
    }
    void controle_de_la_duree()
    {
        QFETCH(QString, texte);
        QFETCH(int, periode);
        QFETCH(int, erreur);
        QFETCH(int, nb_max);
        const ControleDuree c = controler_duree(texte, periode, capacite_periode(periode));
        QCOMPARE(c.erreur, erreur);
        if (erreur == 0)
            QCOMPARE(c.nb_max, nb_max);
    }

    void periode_et_capacite()
    {
        SessionTest s;
        Acq.periode = 10;
        commande(ITEM_INTERVAL);
        QVERIFY(menus_bloques());
        QCOMPARE(iv().anneau_intervalle->currentData().toInt(), 10);
        QVERIFY(capacite().isEmpty());  // until the ring or the box is used
        iv().case_duree->click();
        QCOMPARE(capacite(), QString("83:20:00"));
        periode(12);
        QCOMPARE(capacite(), QString("4d 04:00"));

        // On request: nothing to limit; the capacity is kept for later.
        periode(-1);
        QVERIFY(capacite().isEmpty());
        QVERIFY(!iv().case_duree->isChecked());
        QVERIFY(!iv().case_duree->isEnabled());
        QVERIFY(!iv().champ_duree->isEnabled());
        QCOMPARE(val, 360000.0);
        iv().bouton_ok->click();
        QCOMPARE(Acq.periode, -1);
        QCOMPARE(Acq.nb_max, 30000);
        QCOMPARE(val, 0.0);  // no time limit when readings come one per Run

        // A period the ring does not offer is shown and kept, not replaced.
        Acq.periode = 7;
        commande(ITEM_INTERVAL);
        QCOMPARE(iv().anneau_intervalle->currentText(), QString("7 s"));
        iv().bouton_ok->click();
        QCOMPARE(intervalle_minuterie(), 7.0);
    }

    // The ring offers, after Manual, exactly these periods, and a recording
    // taken at each one is read back at that period (its .cfg lost).
    void anneau_offre_les_periodes_relues_data()
    {
        QTest::addColumn<int>("rang");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("periode");
        const QList<std::pair<QString, int>> offertes = {
            {"0.5 s", 0},   {"1 s", 1},      {"2 s", 2},      {"5 s", 5},       {"10 s", 10},
            {"12 s", 12},   {"15 s", 15},    {"30 s", 30},    {"1 min", 60},    {"2 min", 120},
            {"5 min", 300}, {"10 min", 600}, {"15 min", 900}, {"30 min", 1800}, {"1 h", 3600},
        };
        for (int i = 0; i < offertes.size(); ++i)
            QTest::newRow(qPrintable(offertes[i].first)) << i + 1 << offertes[i].first << offertes[i].second;
    }
    void anneau_offre_les_periodes_relues()
    {
        QFETCH(int, rang);
        QFETCH(QString, texte);
        QFETCH(int, periode);
        SessionTest s;
        langue = 1;
        commande(ITEM_INTERVAL);
        QComboBox* r = iv().anneau_intervalle;
        QCOMPARE(r->count(), 16);
        QCOMPARE(r->itemText(0), QString("Manual"));
        QCOMPARE(r->itemData(0).toInt(), -1);
        QCOMPARE(r->itemText(rang), texte);
        QCOMPARE(r->itemData(rang).toInt(), periode);

        QStringList lignes;
        for (int j = 0; j < 40; ++j) {
            const int t = 6 * 3600 + (periode == 0 ? j / 2 : j * periode);
            lignes << QString::number(j + 1).rightJustified(5) + " 07-03-2026 "
                          + QString::asprintf("%02d:%02d:%02d", t / 3600 % 24, t / 60 % 60, t % 60) + "   230.000     ";
        }
        QCOMPARE(periode_des_releves(lignes), periode);
        iv().quitter->click();
    }

    void ok_avec_une_duree()
    {
        SessionTest s;
        Acq.nb_points = 4;
        commande(ITEM_INTERVAL);
        periode(0);
        duree("000 01:00:00");
        iv().bouton_ok->click();
        QVERIFY(!intervalle_ouvert());
        QVERIFY(!menus_bloques());
        QCOMPARE(Acq.nb_max, 7200);
        QCOMPARE(intervalle_minuterie(), 0.5);
        QCOMPARE(Acq.nb_points, 0);  // OK clears the recording

        // Reopened: the box ticked, the duration typed last time.
        commande(ITEM_INTERVAL);
        QVERIFY(iv().case_duree->isChecked());
        QCOMPARE(iv().champ_duree->text(), QString("000 01:00:00"));
        periode(10);
        iv().bouton_ok->click();
        QCOMPARE(Acq.nb_max, 360);

        // Unticked, whatever the field holds: the full 30000 readings.
        commande(ITEM_INTERVAL);
        iv().champ_duree->setText("rubbish");
        iv().case_duree->click();
        iv().bouton_ok->click();
        QCOMPARE(Acq.nb_max, 30000);
        commande(ITEM_INTERVAL);
        QVERIFY(!iv().case_duree->isChecked());
    }

    void durees_refusees()
    {
        SessionTest s;
        Acq.periode = 1;
        commande(ITEM_INTERVAL);
        periode(1);
        for (const char* texte : {"000 01:60:00", "0001 00:00:0", "000 00:00:00", "999 00:00:00"}) {
            duree(texte);
            s.plateforme.popups->vus.clear();
            iv().bouton_ok->click();
            QCOMPARE(s.plateforme.popups->messages(),
                     QStringList{texte[0] == '9' ? "Impossible to do this command\n" : "Error interpreting response\n"});
            QVERIFY(intervalle_ouvert());
            QCOMPARE(iv().champ_duree->text(), QString(texte));
            QCOMPARE(Acq.nb_max, 30000);
        }
        // A refused OK applies nothing, so Cancel leaves all as it was.
        periode(30);
        iv().bouton_ok->click();
        iv().quitter->click();
        QCOMPARE(Acq.periode, 1);
        commande(ITEM_INTERVAL);
        QVERIFY(!iv().case_duree->isChecked());
    }

    void annuler_garde_la_capacite()
    {
        SessionTest s;
        Acq.periode = 60;
        commande(ITEM_INTERVAL);
        iv().bouton_ok->click();
        QCOMPARE(val, 1800000.0);
        // Half a second tried and abandoned must not become the cycle's time
        // limit for readings every minute.
        commande(ITEM_INTERVAL);
        periode(0);
        QTest::keyClick(tk::fenetre(Fen_princ[PNL_INTERVAL]), Qt::Key_Escape);
        QVERIFY(!intervalle_ouvert());
        QVERIFY(!menus_bloques());
        QCOMPARE(val, 1800000.0);
        QCOMPARE(Acq.periode, 60);
    }

    void port_introuvable()
    {
        SessionTest s;
        s.plateforme.popups->vus.clear();
        comport = Mesure.port = 1;  // COM1 of the test program leads nowhere
        commande(ITEM_CONNECTER);
        QVERIFY(connexion_ouverte());
        // The entry and where it leads are named.
        QCOMPARE(s.plateforme.popups->messages(),
                 QStringList{QString("Invalid message or Time Out\nDevice tried: COM1 → %1/ports/COM1 → %1/ports/absent\n"
                                     "COM1: no device at %1/ports/absent\n")
                                 .arg(s.programme.dir())});
        QCOMPARE(Acq.port_ouvert, 0);
        QCOMPARE(cx().liste_ports->currentRow(), 0);
        // The entry says where it leads, greyed as nothing is there.
        QListWidgetItem* com1 = cx().liste_ports->item(0);
        QVERIFY(com1->toolTip().contains(QDir(s.programme.dir()).filePath("ports/absent")));
        QCOMPARE(com1->foreground().color(), cx().liste_ports->palette().color(QPalette::Disabled, QPalette::Text));
        cx().quitter->click();
        QVERIFY(!connexion_ouverte());
        QVERIFY(!menus_bloques());

        // A port number beyond any system's lists no more than COM256: one
        // entry per number up to 200000 took half a minute and 900 MB.
        comport = 200000;
        commande(ITEM_CONNECTER);
        QVERIFY(connexion_ouverte());
        QCOMPARE(cx().liste_ports->count(), PORT_COM_MAX);
        cx().quitter->click();
    }

    void changer_de_port()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer());
        SessionTest s;
        const QString dir = s.programme.dir();
        lier_port(dir, 1, sim.terminal());
        lier_port(dir, 2, sim.terminal());
        lier_port(dir, 5, dir + "/ports/nowhere");
        comport = Mesure.port = 1;
        s.plateforme.popups->vus.clear();

        commande(ITEM_CONNECTER);
        QCOMPARE(Acq.port_ouvert, 1);
        QCOMPARE(cx().liste_ports->item(0)->toolTip(), QString("COM1  -> ") + sim.terminal());

        // A port that cannot be opened: message 20, the instrument's port
        // kept, and Run refuses until a port opens.
        choisir_port(5);
        cx().bouton_ok->click();
        QVERIFY(!connexion_ouverte());
        QCOMPARE(s.plateforme.popups->messages(),
                 QStringList{QString("Invalid message or Time Out\nDevice tried: COM5 → %1/ports/COM5 → %1/ports/nowhere\n"
                                     "COM5: no device at %1/ports/nowhere\n")
                                 .arg(dir)});
        QCOMPARE(comport, 5);
        QCOMPARE(Mesure.port, 1);
        QCOMPARE(Acq.port_ouvert, 0);
        flag_type_mesure = 1;
        Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
        QVERIFY(!Acq.en_cours);
        QVERIFY(connexion_ouverte());

        // Another port that works becomes the instrument's port.
        choisir_port(2);
        cx().bouton_ok->click();
        QCOMPARE(Mesure.port, 2);
        QCOMPARE(Acq.port_ouvert, 1);
        std::uint16_t mots[18] = {};
        QCOMPARE(jbus_fonction_03(comport, JBUS_BAUD, 1, 0, 18, mots), 0);
    }
};

QTEST_MAIN(TestIntervalle)
#include "test_intervalle.moc"
