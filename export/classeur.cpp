#include "export/classeur.h"
#include "socle/ecriture.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>

namespace {

constexpr double TAILLE_GRAPHIQUE = 2.0; // times the writer's default chart size

quint32 lire_u32(const QByteArray& b, qsizetype i)
{
    quint32 v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(b[i + k]);
    return v;
}

// A workbook written whole: its archive ends with the directory record, and
// the directory it names lies just before it, where it says. Bytes lost on
// the way (a full disk) move the directory or cut the record.
bool archive_complete(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 taille = f.size();
    constexpr qint64 RECORD = 22;
    if (taille < RECORD)
        return false;
    const qint64 debut_fin = std::max<qint64>(0, taille - RECORD - 0xFFFF);
    if (!f.seek(debut_fin))
        return false;
    const QByteArray fin = f.readAll();
    const qsizetype i = fin.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (i < 0 || i + RECORD > fin.size())
        return false;
    const qint64 position = debut_fin + i;
    const quint32 longueur_commentaire = static_cast<unsigned char>(fin[i + 20]) |
                                         (static_cast<unsigned char>(fin[i + 21]) << 8);
    if (position + RECORD + longueur_commentaire != taille)
        return false;
    const quint32 taille_dir = lire_u32(fin, i + 12);
    const quint32 debut_dir = lire_u32(fin, i + 16);
    // Archives past 4 GB keep these in another record.
    if (debut_dir == 0xFFFFFFFFu || taille_dir == 0xFFFFFFFFu)
        return true;
    if (qint64(debut_dir) + taille_dir != position)
        return false;
    char signature[4];
    return f.seek(debut_dir) && f.read(signature, 4) == 4 && QByteArray(signature, 4) == QByteArray("PK\x01\x02", 4);
}

// The cells in the order the writer needs, rows first: it streams each row
// to its file as soon as a later one starts. Empty when they already are.
std::vector<std::size_t> ordre_ecriture(const std::vector<Cellule>& cellules)
{
    const auto avant = [](const Cellule& x, const Cellule& y) {
        return x.ligne != y.ligne ? x.ligne < y.ligne : x.colonne < y.colonne;
    };
    if (std::is_sorted(cellules.begin(), cellules.end(), avant))
        return {};
    std::vector<std::size_t> ordre(cellules.size());
    std::iota(ordre.begin(), ordre.end(), std::size_t{0});
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](std::size_t a, std::size_t b) { return avant(cellules[a], cellules[b]); });
    return ordre;
}

// The sheet's name when the writer takes it, else none (the default name).
QByteArray nom_feuille(lxw_workbook* wb, const QString& nom)
{
    const QByteArray n = nom.toUtf8();
    if (n.isEmpty() || workbook_validate_sheet_name(wb, n.constData()) != LXW_NO_ERROR)
        return {};
    return n;
}

lxw_worksheet* ecrire_feuille(lxw_workbook* wb, const Feuille& f, const std::vector<lxw_format*>& formats)
{
    const QByteArray nom = nom_feuille(wb, f.nom);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nom.isEmpty() ? nullptr : nom.constData());
    if (!ws)
        return nullptr;
    for (std::size_t c = 0; c < f.largeurs.size() && c < LXW_COL_MAX; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), f.largeurs[c], nullptr);
    if (f.lignes_figees > 0)
        worksheet_freeze_panes(ws, lxw_row_t(f.lignes_figees), 0);

    const auto format = [&](int style) {
        return style > 0 && std::size_t(style) < formats.size() ? formats[std::size_t(style)] : nullptr;
    };
    // A cell the sheet cannot hold (beyond its last row or column, text too
    // long) is left out; the others are written.
    const std::vector<std::size_t> ordre = ordre_ecriture(f.cellules);
    for (std::size_t j = 0; j < f.cellules.size(); ++j) {
        const Cellule& c = f.cellules[ordre.empty() ? j : ordre[j]];
        if (c.ligne < 0 || c.colonne < 0 || c.colonne >= LXW_COL_MAX)
            continue;
        const lxw_row_t r = lxw_row_t(c.ligne);
        const lxw_col_t k = lxw_col_t(c.colonne);
        if (c.est_nombre)
            worksheet_write_number(ws, r, k, c.nombre, format(c.style));
        else
            worksheet_write_string(ws, r, k, c.texte.toUtf8().constData(), format(c.style));
    }
    return ws;
}

// The library writes the curves of a chart as one group against one pair of
// axes and has no call for a second vertical scale. The curves on the
// secondary axis are therefore written here, as a second group with a pair
// of axes of its own (a hidden horizontal one and a vertical one on the
// right), right after the library's group: the chart's file is open at that
// point, and the library then writes the first pair of axes.
struct GroupeSecondaire {
    void (*ecrire_premier)(lxw_chart*) = nullptr; // the library's writer of the first group
    const Graphique* graphique = nullptr;
    QByteArray feuille; // name of the worksheet the series read
};
// The charts of the workbook being closed that have a secondary group.
thread_local std::map<const lxw_chart*, GroupeSecondaire>* secondaires = nullptr;

QByteArray xml_texte(const QString& t)
{
    return t.toHtmlEscaped().toUtf8();
}

QByteArray formule(const QByteArray& feuille, int ligne1, int colonne, int ligne2)
{
    char f[LXW_MAX_FORMULA_RANGE_LENGTH] = {};
    lxw_rowcol_to_formula_abs(f, feuille.constData(), lxw_row_t(ligne1), lxw_col_t(colonne), lxw_row_t(ligne2),
                              lxw_col_t(colonne));
    return xml_texte(QString::fromUtf8(f));
}

QByteArray titre_axe(const QString& titre)
{
    if (titre.isEmpty())
        return {};
    return "<c:title><c:tx><c:rich><a:bodyPr rot=\"-5400000\" vert=\"horz\"/><a:lstStyle/><a:p><a:pPr><a:defRPr/>"
           "</a:pPr><a:r><a:rPr lang=\"en-US\"/><a:t>" +
           xml_texte(titre) + "</a:t></a:r></a:p></c:rich></c:tx><c:layout/><c:overlay val=\"0\"/></c:title>";
}

QByteArray axe_valeurs(quint32 id, quint32 croise, bool cache, const char* position, const QString& titre,
                       const char* croisement)
{
    const QByteArray n = QByteArray::number(id), c = QByteArray::number(croise);
    return "<c:valAx><c:axId val=\"" + n + "\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling>"
           "<c:delete val=\"" + (cache ? "1" : "0") + "\"/><c:axPos val=\"" + position + "\"/>" + titre_axe(titre) +
           "<c:numFmt formatCode=\"General\" sourceLinked=\"1\"/><c:majorTickMark val=\"out\"/>"
           "<c:minorTickMark val=\"none\"/><c:tickLblPos val=\"nextTo\"/><c:crossAx val=\"" + c + "\"/>"
           "<c:crosses val=\"" + croisement + "\"/><c:crossBetween val=\"midCat\"/></c:valAx>";
}

void ecrire_groupes(lxw_chart* ch)
{
    const GroupeSecondaire* s = nullptr;
    if (secondaires) {
        const auto it = secondaires->find(ch);
        if (it != secondaires->end())
            s = &it->second;
    }
    if (!s)
        return;
    s->ecrire_premier(ch);
    // The first group has its axis numbers now; the second pair follows them.
    const quint32 x2 = std::max(ch->axis_id_1, ch->axis_id_2) + 1, y2 = x2 + 1;
    QByteArray xml = "<c:scatterChart><c:scatterStyle val=\"lineMarker\"/>";
    for (const SerieGraphique& serie : s->graphique->series) {
        if (!serie.axe_secondaire)
            continue;
        const QByteArray i = QByteArray::number(ch->series_index++);
        const int r1 = std::max(0, serie.premiere_ligne), r2 = std::max(r1, serie.derniere_ligne);
        xml += "<c:ser><c:idx val=\"" + i + "\"/><c:order val=\"" + i + "\"/>";
        if (!serie.nom.isEmpty())
            xml += "<c:tx><c:v>" + xml_texte(serie.nom) + "</c:v></c:tx>";
        xml += "<c:marker><c:symbol val=\"none\"/></c:marker><c:xVal><c:numRef><c:f>" +
               formule(s->feuille, r1, serie.colonne_x, r2) + "</c:f></c:numRef></c:xVal><c:yVal><c:numRef><c:f>" +
               formule(s->feuille, r1, serie.colonne_y, r2) +
               "</c:f></c:numRef></c:yVal><c:smooth val=\"0\"/></c:ser>";
    }
    xml += "<c:axId val=\"" + QByteArray::number(x2) + "\"/><c:axId val=\"" + QByteArray::number(y2) +
           "\"/></c:scatterChart>";
    // Axes may come in any order after the groups: the library's pair follows.
    xml += axe_valeurs(x2, y2, true, "b", QString(), "autoZero");
    xml += axe_valeurs(y2, x2, false, "r", s->graphique->titre_y2, "max");
    std::fwrite(xml.constData(), 1, std::size_t(xml.size()), ch->file);
}

void ecrire_graphique(lxw_workbook* wb, const Graphique& g, const std::vector<lxw_worksheet*>& feuilles,
                      std::map<const lxw_chart*, GroupeSecondaire>& groupes)
{
    if (g.series.empty() || g.feuille < 0 || std::size_t(g.feuille) >= feuilles.size() ||
        !feuilles[std::size_t(g.feuille)])
        return;
    const char* source = feuilles[std::size_t(g.feuille)]->name;
    // On a worksheet of its own rather than a chart sheet, which some
    // spreadsheet programs leave blank.
    const QByteArray nom = nom_feuille(wb, g.nom);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nom.isEmpty() ? nullptr : nom.constData());
    lxw_chart* ch = workbook_add_chart(wb, LXW_CHART_SCATTER_STRAIGHT);
    if (!ws || !ch)
        return;
    // The first curve is always on the main axis.
    const auto secondaire = [&](const SerieGraphique& s) { return s.axe_secondaire && &s != &g.series.front(); };
    bool deux_axes = false;
    for (const SerieGraphique& s : g.series) {
        if (secondaire(s)) {
            deux_axes = true;
            continue;
        }
        lxw_chart_series* serie = chart_add_series(ch, nullptr, nullptr);
        if (!serie)
            continue;
        const auto r1 = lxw_row_t(std::max(0, s.premiere_ligne));
        const auto r2 = lxw_row_t(std::max(s.premiere_ligne, s.derniere_ligne));
        chart_series_set_categories(serie, source, r1, lxw_col_t(s.colonne_x), r2, lxw_col_t(s.colonne_x));
        chart_series_set_values(serie, source, r1, lxw_col_t(s.colonne_y), r2, lxw_col_t(s.colonne_y));
        // A name starting with '=' would be read as a formula.
        const QByteArray n = s.nom.startsWith('=') ? (' ' + s.nom).toUtf8() : s.nom.toUtf8();
        if (!n.isEmpty())
            chart_series_set_name(serie, n.constData());
        // Thousands of readings: markers would hide the line.
        chart_series_set_marker_type(serie, LXW_CHART_MARKER_NONE);
    }
    if (!g.titre.isEmpty())
        chart_title_set_name(ch, g.titre.toUtf8().constData());
    if (!g.titre_x.isEmpty())
        chart_axis_set_name(ch->x_axis, g.titre_x.toUtf8().constData());
    if (!g.format_x.isEmpty())
        chart_axis_set_num_format(ch->x_axis, g.format_x.toUtf8().constData());
    if (!g.titre_y.isEmpty())
        chart_axis_set_name(ch->y_axis, g.titre_y.toUtf8().constData());
    if (deux_axes) {
        GroupeSecondaire& s = groupes[ch];
        s.ecrire_premier = ch->write_chart_type;
        s.graphique = &g;
        s.feuille = source;
        ch->write_chart_type = ecrire_groupes;
    }
    lxw_chart_options place{};
    place.x_scale = TAILLE_GRAPHIQUE;
    place.y_scale = TAILLE_GRAPHIQUE;
    worksheet_insert_chart_opt(ws, 1, 1, ch, &place);
}

class QtTableur final : public Tableur {
public:
    bool enregistrer(const Classeur& c, const QString& chemin) override { return ecrire_xlsx(c, chemin); }
    void ouvrir(const QString& chemin) override { QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); }
};

} // namespace

bool ecrire_xlsx(const Classeur& c, const QString& chemin)
{
    if (chemin.isEmpty())
        return false;
    // Written beside the target under a hidden name; a folder that takes no
    // new file is known before any work is done.
    EcritureFichier sortie(chemin);
    if (!sortie.ouvrir())
        return false;
    const QByteArray fichier = QFile::encodeName(sortie.chemin_ecrit());
    // Rows go to disk as they are written rather than staying in memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(fichier.constData(), &options);
    if (!wb)
        return false;

    std::vector<lxw_format*> formats(c.styles.size(), nullptr);
    for (std::size_t i = 1; i < c.styles.size(); ++i) {
        lxw_format* f = workbook_add_format(wb);
        if (c.styles[i].gras)
            format_set_bold(f);
        if (!c.styles[i].format_nombre.isEmpty())
            format_set_num_format(f, c.styles[i].format_nombre.toUtf8().constData());
        formats[i] = f;
    }
    std::vector<lxw_worksheet*> feuilles;
    for (const Feuille& f : c.feuilles)
        feuilles.push_back(ecrire_feuille(wb, f, formats));
    // A workbook needs a sheet.
    if (c.feuilles.empty())
        workbook_add_worksheet(wb, nullptr);
    std::map<const lxw_chart*, GroupeSecondaire> groupes;
    for (const Graphique& g : c.graphiques)
        ecrire_graphique(wb, g, feuilles, groupes);

    // The charts are written while the workbook closes.
    secondaires = &groupes;
    const lxw_error fin = workbook_close(wb);
    secondaires = nullptr;
    // The file is made here, whole, checked and synced; it then takes the
    // target's place in one step.
    return fin == LXW_NO_ERROR && sortie.valider(archive_complete);
}

std::unique_ptr<Tableur> tableur_qt()
{
    return std::make_unique<QtTableur>();
}
