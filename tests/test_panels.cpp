// Every form of the panel resource file binds to its typed structure, and the
// dialog forms keep the conventions their callbacks rely on.
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QUiLoader>

#include <algorithm>
#include <memory>

#include "acquisition/ecran/panneaux.h"
#include "export/panneaux.h"
#include "app/panneaux.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "lang/textes.h"
#include "support/fake_platform.h"

namespace {

using Formulaire = std::unique_ptr<QWidget>;

Formulaire charger(PanelKind kind)
{
    return Formulaire(tk::charger_formulaire(tk::nom_formulaire(kind), nullptr));
}

// The message of the binding's failure, empty when it binds.
QString echec_liaison(PanelKind kind, QWidget* racine)
{
    try {
        verifier_liaison(kind, racine);
    } catch (const ErreurLiaison& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

const PanelKind dialogues[] = {
    PNL_INDEFINI, PNL_INFO,     PNL_OPTIQUE,  PNL_OVERLOAD, PNL_CONNEXION,
    PNL_EXCEL,    PNL_ALARME,   PNL_COULEUR,  PNL_ECHELLE,  PNL_INTERVAL,
    PNL_TYPEMES,  PNL_TEXTE,    PNL_PRINT,    PNL_PROGRESS,
};

} // namespace

class TestPanels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(tk::ouvrir_ressources(QString(VOLTEXA_BIN_DIR) + "/VOLTEXA.uir"));
        enregistrer_panneaux();
    }

    void chaque_formulaire_se_lie_data()
    {
        QTest::addColumn<int>("kind");
        for (int k = PNL_INDEFINI; k <= PNL_DERNIER; ++k)
            if (k != PNL_LIBRE)
                QTest::newRow(qPrintable(tk::nom_formulaire(PanelKind(k)))) << k;
    }

    void chaque_formulaire_se_lie()
    {
        QFETCH(int, kind);
        Formulaire w = charger(PanelKind(kind));
        QVERIFY(w);
        QCOMPARE(echec_liaison(PanelKind(kind), w.get()), QString());
    }

    // A kind left out of the registrations would fall back to the binding
    // that checks nothing.
    void chaque_dialogue_a_sa_structure()
    {
        for (int k = PNL_INDEFINI; k <= PNL_DERNIER; ++k) {
            const auto kind = PanelKind(k);
            const bool dialogue = std::find(std::begin(dialogues), std::end(dialogues), kind) !=
                                  std::end(dialogues);
            Formulaire w = charger(kind);
            if (!w)
                continue;
            QVERIFY2(!dialogue || liaison_enregistree(kind), qPrintable(tk::nom_formulaire(kind)));
            QVERIFY2(liaison_enregistree(kind) == (kind != PNL_LIBRE), qPrintable(tk::nom_formulaire(kind)));
        }
    }

    void controle_manquant_ou_mal_type()
    {
        {
            Formulaire w = charger(PNL_INTERVAL);
            delete w->findChild<QWidget*>("champ_duree");
            QVERIFY(echec_liaison(PNL_INTERVAL, w.get()).contains("champ_duree"));
        }
        {
            // the last of the twelve boxes, so a loop stopping short shows
            Formulaire w = charger(PNL_TYPEMES);
            delete w->findChild<QWidget*>("case_fp_moy");
            QVERIFY(echec_liaison(PNL_TYPEMES, w.get()).contains("case_fp_moy"));
        }
        {
            Formulaire w = charger(PNL_COULEUR);
            delete w->findChild<QWidget*>("annuler");
            QVERIFY(echec_liaison(PNL_COULEUR, w.get()).contains("annuler"));
        }
        {
            QByteArray ui = R"(<ui version="4.0"><widget class="QWidget" name="progression">
                <widget class="QSlider" name="jauge"/><widget class="QLabel" name="pourcentage"/>
                </widget></ui>)";
            QBuffer b(&ui);
            QUiLoader chargeur;
            Formulaire w(chargeur.load(&b));
            QVERIFY(w);
            const QString e = echec_liaison(PNL_PROGRESS, w.get());
            QVERIFY2(e.contains("jauge"), qPrintable(e));
            QVERIFY2(e.contains("QProgressBar"), qPrintable(e));
        }
    }

    // As panels are loaded, a broken form is reported and refused instead
    // of throwing later from inside a callback.
    void controle_manquant_signale_au_chargement()
    {
        PlateformeTest plateforme;
        Formulaire w = charger(PNL_ALARME);
        QVERIFY(lier_ou_signaler(PNL_ALARME, w.get()));
        QVERIFY(plateforme.popups->vus.isEmpty());
        delete w->findChild<QWidget*>("seuil_haut");
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("seuil_haut"));
        QVERIFY(!lier_ou_signaler(PNL_ALARME, w.get()));
        QCOMPARE(plateforme.popups->vus.size(), 1);
        QVERIFY(plateforme.popups->vus[0].texte.contains("seuil_haut"));
    }

    // Rings are read and set by value: the scale ring is automatic (1),
    // manual (0); a ring whose values and items disagree fails loudly. (The
    // interval ring is filled from the table of periods: test_intervalle.)
    void anneaux_portent_leurs_valeurs()
    {
        Formulaire e = charger(PNL_ECHELLE);
        auto pe = PnlEchelle::lier(e.get());
        QCOMPARE(pe.mode_echelle->itemData(0).toInt(), 1);
        QCOMPARE(pe.mode_echelle->itemData(1).toInt(), 0);

        pe.mode_echelle->removeItem(1);
        QVERIFY(echec_liaison(PNL_ECHELLE, e.get()).contains("mode_echelle"));
        Formulaire f = charger(PNL_ECHELLE);
        auto pf = PnlEchelle::lier(f.get());
        pf.mode_echelle->setProperty("valeurs", "1 x");
        QVERIFY(echec_liaison(PNL_ECHELLE, f.get()).contains("mode_echelle"));
    }

    // Box k - 1 is quantity code k, and the name beside it is that quantity's.
    void grandeurs_dans_l_ordre_des_codes()
    {
        Formulaire w = charger(PNL_TYPEMES);
        auto p = PnlTypeMesure::lier(w.get());
        for (int k = 0; k < NB_GRANDEURS; ++k) {
            QCOMPARE(p.noms[k]->text(), QString::fromUtf8(tx::type_mesure[k * tx::NB_LANGUES + 1]));
            QCOMPARE(p.noms[k]->buddy(), p.cases[k]);
            QCOMPARE(p.code(p.cases[k]), k + 1);
        }
        QCOMPARE(p.code(p.bouton_ok), 0);
        QCOMPARE(p.code(nullptr), 0);
    }

    // Escape (and the close box, which rejects the same way) goes through
    // the button that dismisses the dialog, so its callback always runs.
    void echappement_par_le_bouton_de_sortie_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("bouton");
        QTest::newRow("indefini") << int(PNL_INDEFINI) << "bouton_ok";
        QTest::newRow("overload") << int(PNL_OVERLOAD) << "bouton_ok";
        QTest::newRow("optique") << int(PNL_OPTIQUE) << "bouton_non";
        QTest::newRow("connexion") << int(PNL_CONNEXION) << "quitter";
        QTest::newRow("excel") << int(PNL_EXCEL) << "quitter";
        QTest::newRow("alarme") << int(PNL_ALARME) << "quitter";
        QTest::newRow("couleur") << int(PNL_COULEUR) << "annuler";
        QTest::newRow("echelle") << int(PNL_ECHELLE) << "quitter";
        QTest::newRow("intervalle") << int(PNL_INTERVAL) << "quitter";
        QTest::newRow("typemesure") << int(PNL_TYPEMES) << "quitter";
        QTest::newRow("texte") << int(PNL_TEXTE) << "quitter";
        QTest::newRow("impression") << int(PNL_PRINT) << "quitter";
    }

    void echappement_par_le_bouton_de_sortie()
    {
        QFETCH(int, kind);
        QFETCH(QString, bouton);
        Formulaire w = charger(PanelKind(kind));
        auto* d = qobject_cast<QDialog*>(w.get());
        QVERIFY(d);
        auto* b = d->findChild<QPushButton*>(bouton);
        QVERIFY(b);
        int clics = 0;
        connect(b, &QPushButton::clicked, this, [&] { ++clics; });
        QTest::keyClick(d, Qt::Key_Escape);
        QCOMPARE(clics, 1);

        // Enter takes one default button, never the dismissing one unless it
        // is the only answer (the notices' OK).
        const auto boutons = d->findChildren<QPushButton*>();
        const auto n = std::count_if(boutons.begin(), boutons.end(),
                                     [](QPushButton* x) { return x->isDefault(); });
        QCOMPARE(n, 1);
        QVERIFY(!b->isDefault() || bouton == "bouton_ok");
    }

    // States the dialogs open in before any callback has run.
    void etats_initiaux()
    {
        Formulaire i = charger(PNL_INTERVAL);
        auto pi = PnlIntervalle::lier(i.get());
        QVERIFY(!pi.case_duree->isChecked());
        QVERIFY(!pi.champ_duree->isEnabled());

        Formulaire a = charger(PNL_ALARME);
        auto pa = PnlAlarme::lier(a.get());
        QVERIFY(!pa.seuil_bas->isEnabled());
        QVERIFY(!pa.seuil_haut->isEnabled());
        QVERIFY(!pa.case_bas->isChecked());
        QVERIFY(!pa.case_haut->isChecked());
        QVERIFY(!pa.case_alarme->isChecked());
        // limits of every quantity's full scale fit
        QVERIFY(pa.seuil_bas->minimum() <= -6300);
        QVERIFY(pa.seuil_haut->maximum() >= 6300);

        Formulaire x = charger(PNL_EXCEL);
        auto px = PnlExcel::lier(x.get());
        QVERIFY(px.lancer->isEnabled());
        QVERIFY(px.repertoire->isEnabled());
        QVERIFY(px.parcour->isEnabled());
        QVERIFY(!px.exporte->isEnabled());

        Formulaire c = charger(PNL_CONNEXION);
        auto pc = PnlConnexion::lier(c.get());
        QVERIFY(pc.liste_ports->count() >= 4);
        for (int r = 0; r < pc.liste_ports->count(); ++r)
            QCOMPARE(pc.liste_ports->item(r)->text(), QString("COM%1").arg(r + 1));

        Formulaire k = charger(PNL_COULEUR);
        auto pk = PnlCouleur::lier(k.get());
        QCOMPARE(pk.liste_roles->count(), 9);
        QCOMPARE(pk.liste_roles->item(0)->text(), QString());

        Formulaire g = charger(PNL_PROGRESS);
        auto pg = PnlProgression::lier(g.get());
        QCOMPARE(pg.jauge->minimum(), 0);
        QCOMPARE(pg.jauge->maximum(), 100);
    }
};

QTEST_MAIN(TestPanels)
#include "test_panels.moc"
