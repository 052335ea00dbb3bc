// Export of a two-channel recording of 30000 readings to a workbook: from
// the Export button to the file written in place (the sheet read from the
// readings list under the progress panel, the file name asked, the
// replacing confirmed, the workbook with its chart written and renamed).
// Then the same readings to CSV, from Edit > Export to CSV to the file
// synced and in place.
#include "socle/globals.h"
#include "socle/liste_releves.h"
#include "socle/menus.h"
#include "socle/panels.h"
#include "socle/panels_dialogues.h"
#include "socle/platform.h"
#include "app/startup.h"
#include "socle/toolkit.h"
#include "export/excel.h"
#include "acquisition/ligne.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>

#include "commun.h"

namespace {

// The real writer; the spreadsheet program is never started.
class TableurSansOuverture : public Tableur {
public:
    int ecrits = 0;
    bool enregistrer(const Classeur& c, const QString& chemin) override
    {
        const bool ok = ecrire_xlsx(c, chemin);
        ecrits += ok ? 1 : 0;
        return ok;
    }
    void ouvrir(const QString&) override {}
};

// Voltage and active power, the power above 1000 W, as a household load.
void lister(int n)
{
    Mesure.port = 1;
    Mesure.nb_voies = 2;
    copie_texte(Donnee[1].libelle, "V(V)");
    copie_texte(Donnee[2].libelle, "P(W)");
    QStringList lignes;
    lignes.reserve(n);
    const QDateTime debut(QDate(2026, 3, 7), QTime(8, 0, 0));
    for (int j = 0; j < n; ++j) {
        const QDateTime t = debut.addSecs(2 * j);
        lignes << tete_ligne(j + 1, t.date(), t.time(), false, 0, 0, 0, 1) +
                      colonnes_ligne(2, 229.0 + (j % 40) * 0.05, false, 1500.0 + (j % 300) * 2.5, false);
    }
    liaison<PnlDonnees>(Info[0].panel).liste->addItems(lignes);
    Acq.nb_points = n;
}

// Edit > Export to CSV of the readings listed, over the same file each run.
bool mesurer_csv(const QTemporaryDir& dossier, FakePopups* popups, int n, int essais)
{
    const QString chemin = dossier.filePath("export.csv");
    popups->vus.clear();
    popups->saisie_suivante = chemin;
    std::vector<double> temps;
    for (int i = 0; i < essais; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        tk::declencher(ITEM_EXPORTER_CSV);
        temps.push_back(chrono.nsecsElapsed() / 1e6);
        QApplication::processEvents();
    }
    if (!popups->messages().isEmpty() || QFileInfo(chemin).size() < n * 40) {
        std::fprintf(stderr, "export bench: the CSV was not written\n");
        return false;
    }
    std::printf("  CSV:    median %6.1f ms, slowest %6.1f ms (goal: 50 ms; %.0f KB)\n", mediane(temps),
                *std::max_element(temps.begin(), temps.end()), QFileInfo(chemin).size() / 1024.0);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QTemporaryDir dossier;
    preparer_repertoire(dossier.path());
    FakePopups* popups = popups_scriptes(1); // Yes to replacing the workbook
    auto tableur = std::make_unique<TableurSansOuverture>();
    TableurSansOuverture* t = tableur.get();
    plateforme().tableur = std::move(tableur);
    if (demarrage() != 0) {
        std::fprintf(stderr, "export bench: start-up failed\n");
        return 2;
    }
    const int n = NB_RELEVES_MAX, essais = 7;
    lister(n);
    copie_texte(Excel.repertoire, dossier.path().toLocal8Bit().constData());
    tk::declencher(ITEM_EXPORTER);
    PnlExcel& x = liaison<PnlExcel>(Fen_princ[PNL_EXCEL]);
    x.lancer->click();
    QApplication::processEvents();
    popups->vus.clear(); // the missing-settings message of a first start

    const QString chemin = dossier.filePath("export.xlsx");
    popups->saisie_suivante = chemin;
    std::vector<double> temps;
    for (int i = 0; i < essais; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        x.exporte->click();
        temps.push_back(chrono.nsecsElapsed() / 1e6);
        QApplication::processEvents();
    }
    if (t->ecrits != essais || !popups->messages().isEmpty()) {
        std::fprintf(stderr, "export bench: %d of %d workbooks written\n", t->ecrits, essais);
        return 1;
    }
    std::printf("two channels, %d readings (workbook %.0f KB), %d runs\n", n,
                QFileInfo(chemin).size() / 1024.0, essais);
    std::printf("  export: median %6.1f ms, slowest %6.1f ms (goal: 300 ms)\n", mediane(temps),
                *std::max_element(temps.begin(), temps.end()));
    if (!mesurer_csv(dossier, popups, n, essais))
        return 1;
    arreter_voltexa();
    return 0;
}
