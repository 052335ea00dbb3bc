// Identification of the instrument by Setup > Type of measurement, against
// the simulated wattmeter: the boxes its mode word leaves enabled, INRUSH,
// the held display, an unknown mode word, a silent instrument, and a
// selection that no longer suits the mode.
#include "acquisition/ecran/identification.h"
#include "acquisition/selection.h"
#include "acquisition/ecran/type_mesure.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "acquisition/ecran/panneaux.h"
#include "app/parametres.h"
#include "app/startup.h"
#include "link/jbus.h"
#include "support/inspection.h"
#include "support/banc.h"
#include "support/fake_platform.h"
#include "support/simulateur.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

// Records what the held-display notice shows while it waits its second.
class HorlogeEspion : public FakeClock {
public:
    QStringList notices;  // "title|second text|third text" per notice shown
    void attendre(double secondes) override
    {
        const int p = Fen_princ[PNL_INFO];
        if (p > 0 && tk::panel_valide(p)) {
            PnlInformation& i = liaison<PnlInformation>(p);
            notices << i.titre->text() + '|' + i.message->text() + '|' + i.detail->text();
        }
        FakeClock::attendre(secondes);
    }
};

// The program on the simulator's terminal as COM1, its clock a spy.
struct Banc : BancSimulateur {
    HorlogeEspion* horloge;

    explicit Banc(const QStringList& evenements = {})
        : BancSimulateur(evenements, [] { ::plateforme().horloge = std::make_unique<HorlogeEspion>(); }),
          horloge(static_cast<HorlogeEspion*>(::plateforme().horloge.get()))
    {
        // What start-up had to say is not the identification's business.
        plateforme.popups->vus.clear();
    }

    FakePopups& popups() { return *plateforme.popups; }
    void type_de_mesure() { Gestion_parametre(menu, ITEM_TYPEMES, nullptr, Fen_princ[PNL_PRINC]); }
};

bool dialogue_montre()
{
    const int p = Fen_princ[PNL_TYPEMES];
    return p > 0 && tk::panel_valide(p) && tk::fenetre(p)->isVisible();
}
PnlTypeMesure& dialogue() { return liaison<PnlTypeMesure>(Fen_princ[PNL_TYPEMES]); }

QList<int> actives()
{
    QList<int> l;
    for (int c = 1; c <= NB_GRANDEURS; ++c)
        if (dialogue().cases[c - 1]->isEnabled())
            l << c;
    return l;
}
QList<int> cochees()
{
    QList<int> l;
    for (int c = 1; c <= NB_GRANDEURS; ++c)
        if (dialogue().cases[c - 1]->isChecked())
            l << c;
    return l;
}

const QList<int> instantanees{1, 3, 5, 7, 9, 11};
const QList<int> moyennes{2, 4, 6, 8, 10, 12};

} // namespace

class TestIdentification : public QObject {
    Q_OBJECT

private slots:
    void cases_selon_le_mot_de_mode()
    {
        Banc b;
        QVERIFY(b.pret);
        const struct {
            const char* mode;
            QList<int> actives;
            QList<int> cochees;
        } cas[] = {
            {"normal", instantanees, {}},
            {"4", moyennes, {}},
            {"16", QList<int>{3}, QList<int>{3}},
        };
        for (const auto& c : cas) {
            QVERIFY(b.sim.commande(QString("mode ") + c.mode));
            b.type_de_mesure();
            QVERIFY2(dialogue_montre(), c.mode);
            QCOMPARE(actives(), c.actives);
            QCOMPARE(cochees(), c.cochees);
            dialogue().quitter->click();
        }
        // INRUSH selected current as a tick would.
        QCOMPARE(ModeEnCours_actuel, MODE_INRUSH);
        QCOMPARE(compteur_grandeur, 1);
        QCOMPARE(QString(Donnee[1].libelle), QString("I(A)"));
        QVERIFY(b.popups().vus.isEmpty());
    }

    void refus_sans_dialogue()
    {
        Banc b({"mode hold"});
        QVERIFY(b.pret);
        langue = 3;
        const double avant = b.horloge->attendu;
        b.type_de_mesure();
        QCOMPARE(b.horloge->notices, QStringList{"CUIDADO|Modo del instrumento|Modo Hold"});
        QCOMPARE(b.horloge->attendu - avant, 1.0);
        QVERIFY(!dialogue_montre());
        QVERIFY(!tk::panel_valide(Fen_princ[PNL_INFO]));

        // A mode word the program does not know: refused without a word.
        QVERIFY(b.sim.commande("mode 9"));
        QCOMPARE(essai_mesure_jbus(), -1);
        b.type_de_mesure();
        QVERIFY(!dialogue_montre());
        QCOMPARE(b.horloge->notices.size(), 1);
        QVERIFY(b.popups().vus.isEmpty());
        QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));
    }

    void instrument_debranche()
    {
        Banc b;
        QVERIFY(b.pret);
        QVERIFY(b.sim.commande("silence on"));
        // No to going on: Stop, then message 20, and no dialog.
        b.popups().reponses = {2};
        b.type_de_mesure();
        QCOMPARE(b.popups().vus.size(), 2);
        QCOMPARE(b.popups().vus[0].texte, QString("Do you wish continue ?"));
        QCOMPARE(b.popups().vus[1].texte,
                 QString("Invalid message or Time Out\nDevice tried: COM1 → %1/ports/COM1 → %2\n"
                         "COM1: %2 is open, but nothing answered within 0.3 s\n")
                     .arg(b.programme.dir(), b.sim.terminal()));
        QVERIFY(!dialogue_montre());
        // Yes each time: five reads, then message 20 just the same.
        b.popups().vus.clear();
        b.popups().reponses = {1, 1, 1, 1, 1};
        QCOMPARE(essai_mesure_jbus(), -1);
        QCOMPARE(b.popups().vus.size(), 6);
    }

    void selection_qui_ne_convient_plus()
    {
        Banc b({"mode smooth"});
        QVERIFY(b.pret);
        selectionner_case(1, 1);  // voltage, before the instrument went to averages
        b.type_de_mesure();
        QVERIFY(dialogue_montre());
        QVERIFY(cochees().isEmpty());
        QCOMPARE(compteur_grandeur, 0);
        dialogue().quitter->click();

        // An average suits it and comes back ticked.
        selectionner_case(4, 1);
        b.type_de_mesure();
        QCOMPARE(cochees(), QList<int>{4});
    }
};

QTEST_MAIN(TestIdentification)
#include "test_identification.moc"
