// Export of a two-channel recording of 30000 readings to a workbook: from
// the Export button to the file written in place (the sheet read from the
// readings list under the progress panel, the file name asked, the
// replacing confirmed, the workbook with its chart written and renamed).
// Against it, in the same run and turn about: the spreadsheet library alone
// writing the same cells and chart from values already in memory.
// Then the same readings to CSV, from Edit > Export to CSV to the file
// synced and in place.
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "support/releves_ranges.h"
#include "socle/ecran/menus.h"
#include "export/panneaux.h"
#include "graph/panneaux.h"
#include "export/classeur.h"
#include "socle/platform.h"
#include "app/startup.h"
#include "socle/ecran/toolkit.h"
#include "export/excel.h"
#include "acquisition/ligne.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>

#include <xlsxwriter.h>

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
    const QDateTime debut(QDate(2026, 3, 7), QTime(8, 0, 0));
    for (int j = 0; j < n; ++j) {
        const QDateTime t = debut.addSecs(2 * j);
        ranger_essai(j, t.date(), t.time(), false, 1, 2, 229.0 + (j % 40) * 0.05, 1500.0 + (j % 300) * 2.5);
    }
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

// The readings of lister(), as the library takes them: date, date-time,
// channel 1, channel 2.
struct Colonnes {
    std::vector<double> date, instant, v1, v2;
};

Colonnes colonnes(int n)
{
    Colonnes c;
    const QDateTime debut(QDate(2026, 3, 7), QTime(8, 0, 0));
    const qint64 zero = QDate(1899, 12, 30).toJulianDay();
    for (int j = 0; j < n; ++j) {
        const QDateTime t = debut.addSecs(2 * j);
        const double jour = double(t.date().toJulianDay() - zero);
        c.date.push_back(jour);
        c.instant.push_back(jour + t.time().msecsSinceStartOfDay() / 86400000.0);
        c.v1.push_back(229.0 + (j % 40) * 0.05);
        c.v2.push_back(1500.0 + (j % 300) * 2.5);
    }
    return c;
}

// The library alone: the readings sheet (header, five numbers a row, widths,
// frozen header) and a sheet with the chart of both channels against time.
bool ecrire_reference(const QByteArray& chemin, const Colonnes& c)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(chemin.constData(), &options);
    if (!wb)
        return false;
    lxw_format* gras = workbook_add_format(wb);
    format_set_bold(gras);
    lxw_format* valeur = workbook_add_format(wb);
    format_set_num_format(valeur, "0.000");
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "mm-dd-yyyy");
    lxw_format* heure = workbook_add_format(wb);
    format_set_num_format(heure, "hh:mm:ss");
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Data");
    const double largeurs[5] = {7, 12, 10, 11, 11};
    for (int k = 0; k < 5; ++k)
        worksheet_set_column(ws, lxw_col_t(k), lxw_col_t(k), largeurs[k], nullptr);
    worksheet_freeze_panes(ws, 1, 0);
    const char* entetes[5] = {"N°", "Date", "Time", "CH1: V(V)", "CH2: P(W)"};
    for (int k = 0; k < 5; ++k)
        worksheet_write_string(ws, 0, lxw_col_t(k), entetes[k], gras);
    const int n = int(c.v1.size());
    for (int j = 0; j < n; ++j) {
        const auto r = lxw_row_t(j + 1);
        worksheet_write_number(ws, r, 0, j + 1, nullptr);
        worksheet_write_number(ws, r, 1, c.date[std::size_t(j)], date);
        worksheet_write_number(ws, r, 2, c.instant[std::size_t(j)], heure);
        worksheet_write_number(ws, r, 3, c.v1[std::size_t(j)], valeur);
        worksheet_write_number(ws, r, 4, c.v2[std::size_t(j)], valeur);
    }
    lxw_worksheet* feuille_graphique = workbook_add_worksheet(wb, "CH1 V(V)   CH2 P(W)");
    lxw_chart* ch = workbook_add_chart(wb, LXW_CHART_SCATTER_STRAIGHT);
    for (int v = 0; v < 2; ++v) {
        lxw_chart_series* s = chart_add_series(ch, nullptr, nullptr);
        chart_series_set_categories(s, "Data", 1, 2, lxw_row_t(n), 2);
        chart_series_set_values(s, "Data", 1, lxw_col_t(3 + v), lxw_row_t(n), lxw_col_t(3 + v));
        chart_series_set_name(s, entetes[3 + v]);
        chart_series_set_marker_type(s, LXW_CHART_MARKER_NONE);
    }
    chart_title_set_name(ch, "CH1: V(V)   CH2: P(W)");
    chart_axis_set_name(ch->x_axis, "Time");
    chart_axis_set_num_format(ch->x_axis, "hh:mm:ss");
    chart_axis_set_name(ch->y_axis, "Voltage (V)");
    lxw_chart_options place{};
    place.x_scale = 2.0;
    place.y_scale = 2.0;
    worksheet_insert_chart_opt(feuille_graphique, 1, 1, ch, &place);
    return workbook_close(wb) == LXW_NO_ERROR;
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
    const QByteArray reference = QFile::encodeName(dossier.filePath("reference.xlsx"));
    const Colonnes valeurs = colonnes(n);
    popups->saisie_suivante = chemin;
    std::vector<double> temps, temps_reference;
    for (int i = 0; i < essais; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        x.exporte->click();
        temps.push_back(chrono.nsecsElapsed() / 1e6);
        QApplication::processEvents();
        chrono.restart();
        if (!ecrire_reference(reference, valeurs)) {
            std::fprintf(stderr, "export bench: the library alone could not write its workbook\n");
            return 1;
        }
        temps_reference.push_back(chrono.nsecsElapsed() / 1e6);
    }
    if (t->ecrits != essais || !popups->messages().isEmpty()) {
        std::fprintf(stderr, "export bench: %d of %d workbooks written\n", t->ecrits, essais);
        return 1;
    }
    std::printf("two channels, %d readings (workbook %.0f KB), %d runs\n", n,
                QFileInfo(chemin).size() / 1024.0, essais);
    std::printf("  export: median %6.1f ms, slowest %6.1f ms (goal: 300 ms)\n", mediane(temps),
                *std::max_element(temps.begin(), temps.end()));
    std::printf("  library alone, same cells and chart: median %6.1f ms (workbook %.0f KB)\n",
                mediane(temps_reference), QFileInfo(QFile::decodeName(reference)).size() / 1024.0);
    std::printf("  ratio: %.2f (goal: 1.15 at most)\n", mediane(temps) / mediane(temps_reference));
    if (!mesurer_csv(dossier, popups, n, essais))
        return 1;
    arreter_voltexa();
    return 0;
}
