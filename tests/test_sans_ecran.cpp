// The model, the link and the recording formats without any window: this
// program links only the widget-free libraries and runs on a QCoreApplication.
// It reads the simulated wattmeter through the reading cycle, writes the
// recording pair and reads it back; and its own executable must not need the
// widget or GUI libraries of Qt.
#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/identification.h"
#include "acquisition/modele.h"
#include "acquisition/selection.h"
#include "files/format.h"
#include "link/jbus.h"
#include "link/serial.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "support/simulateur.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A logger has no one to ask: every question is answered No (stop), every
// choice of file cancelled.
class PopupsMuets final : public Popups {
public:
    void message(const QString&, const QString& text) override { messages << text; }
    int question(const QString&, const QString&, const QStringList&, int, int) override { return 2; }
    std::optional<QString> texte(const QString&, const QString&, const QString&, const QStringList&,
                                 int) override
    {
        return std::nullopt;
    }
    std::optional<QString> fichier(const QString&, const QString&, const QString&, bool) override
    {
        return std::nullopt;
    }
    std::optional<QString> dossier(const QString&, const QString&) override { return std::nullopt; }
    void curseur_attente(bool) override {}
    QStringList messages;
};

} // namespace

class TestSansEcran : public QObject {
    Q_OBJECT

private slots:
    void executable_sans_widgets_data()
    {
        QTest::addColumn<QString>("bibliotheque");
        QTest::addColumn<bool>("requise");
        QTest::newRow("Qt Core") << "libQt6Core.so" << true;
        QTest::newRow("Qt SerialPort") << "libQt6SerialPort.so" << true;
        QTest::newRow("no Qt Widgets") << "libQt6Widgets.so" << false;
        QTest::newRow("no Qt Gui") << "libQt6Gui.so" << false;
        QTest::newRow("no QCustomPlot") << "libqcustomplot" << false;
    }
    void executable_sans_widgets()
    {
        QFETCH(QString, bibliotheque);
        QFETCH(bool, requise);
        QProcess readelf;
        readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QCoreApplication::applicationFilePath()});
        QVERIFY(readelf.waitForFinished(30000));
        const QString entrees = QString::fromUtf8(readelf.readAllStandardOutput());
        QVERIFY2(entrees.contains(QLatin1String("(NEEDED)")), qPrintable(entrees));
        QCOMPARE(entrees.contains(QLatin1String("[") + bibliotheque), requise);
    }

    // Two quantities read through the cycle, saved as a recording pair and
    // read back: the values the simulator served, in the channels chosen.
    void releves_enregistres_relus()
    {
        SimulateurDeTest sim;
        QVERIFY(sim.demarrer({"voltage 230", "current 2", "pf 1"}));
        fixer_repertoire_programme(sim.repertoire());

        Platform p = plateforme_sans_ecran();
        auto popups = std::make_unique<PopupsMuets>();
        PopupsMuets& dits = *popups;
        p.popups = std::move(popups);
        Platform avant = installer_plateforme(std::move(p));

        remise_a_zero_globales();
        oublier_entrees_com();
        Annuler_choix_grandeur();
        comport = 1;
        modele::port_instrument(1);
        QCOMPARE(ouvrir_port_instrument(), 0);

        QVERIFY(lire_identification());
        const int mot = int(MesureTypeReseau);
        QCOMPARE(mot, 0);
        QVERIFY(grandeur_offerte(CODE_TENSION, mot));
        QVERIFY(grandeur_offerte(CODE_P, mot));
        QVERIFY(!grandeur_offerte(CODE_P_MOY, mot));
        QCOMPARE(conclure_identification(), 0);

        selectionner_case(CODE_TENSION, 1);
        selectionner_case(CODE_P, 1);
        QCOMPARE(test_grandeur_mesure(), 2);
        ModeEnCours_actuel = AFFICHAGE_INSTANTANE;
        modele::regler_mesure(1, mot, 2);
        flag_demande_lancer = 1;
        modele::lancer();
        constexpr int N = 4;
        for (int i = 0; i < N; ++i)
            cadence(0, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
        modele::arreter();
        QCOMPARE(Acq.nb_points, N);
        QVERIFY2(dits.messages.isEmpty(), qPrintable(dits.messages.join('\n')));

        QTemporaryDir dossier;
        const QString dat = dossier.filePath(QStringLiteral("charge.dat"));
        const QString cfg = chemin_configuration(dat);
        const Configuration c = configuration_courante();
        QVERIFY(enregistrer_paire(dat, cfg, [&c](QIODevice& f, int i) {
            return i == 0 ? ecrire_releves(f, c.nb_points) : ecrire_configuration(f, c);
        }));

        QFile fc(cfg);
        QVERIFY(fc.open(QIODevice::ReadOnly));
        Configuration lue;
        QCOMPARE(lire_configuration(fc, true, lue), Lecture::Bonne);
        QCOMPARE(lue.nb_points, N);
        QCOMPARE(lue.voies[0].grandeur, int(CODE_TENSION));
        QCOMPARE(lue.voies[1].grandeur, int(CODE_P));
        QCOMPARE(lue.voies[0].libelle, QStringLiteral("V(V)"));
        QCOMPARE(lue.voies[1].libelle, QStringLiteral("P(W)"));

        QFile fd(dat);
        QVERIFY(fd.open(QIODevice::ReadOnly));
        Releves r;
        QCOMPARE(lire_donnees(fd, N, 2, r), Lecture::Bonne);
        QCOMPARE(r.lignes.size(), N);
        for (int i = 0; i < N; ++i) {
            QCOMPARE(r.valeurs[0][std::size_t(i)], 230.0);
            QCOMPARE(r.valeurs[1][std::size_t(i)], 460.0);
        }

        fermeture_com(1);
        installer_plateforme(std::move(avant));
    }
};

QTEST_GUILESS_MAIN(TestSansEcran)
#include "test_sans_ecran.moc"
