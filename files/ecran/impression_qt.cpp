#include "files/ecran/impression_qt.h"

#include "socle/ecriture.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <qcustomplot.h>

#include <algorithm>

namespace {

// The job's name, also the file name the print dialog offers for a PDF file:
// characters that no file name may hold become hyphens.
QString nom_document(const QString& titre)
{
    QString n = titre;
    for (QChar c : QStringLiteral("\\/:*?\"<>|"))
        n.replace(c, '-');
    n = n.simplified();
    return n.isEmpty() ? QStringLiteral("VOLTEXA") : n;
}

// The wait cursor while a job is drawn: thirty thousand lines take a while.
class CurseurImpression {
public:
    CurseurImpression() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurImpression() { QApplication::restoreOverrideCursor(); }
    CurseurImpression(const CurseurImpression&) = delete;
    CurseurImpression& operator=(const CurseurImpression&) = delete;
};

class QtPrinter final : public Printer {
public:
    Resultat imprimer_texte(const QString& texte, const QString& titre) override
    {
        QPrinter imprimante(QPrinter::HighResolution);
        imprimante.setDocName(nom_document(titre));
        // With no printer on the system the job would go nowhere: the dialog
        // lets the user choose one, or a PDF file.
        if (QPrinterInfo::defaultPrinter().isNull() && !choisir(imprimante))
            return annule;
        CurseurImpression attente;
        return imprimer_sur(imprimante, [&texte](QPrinter& p) { return dessiner_texte(p, texte); });
    }

    Resultat imprimer_widget(QWidget* w, const QString& titre, const QString& pied) override
    {
        QPrinter imprimante(QPrinter::HighResolution);
        imprimante.setDocName(nom_document(titre));
        if (!choisir(imprimante))
            return annule;
        CurseurImpression attente;
        return imprimer_sur(imprimante, [w, &titre, &pied](QPrinter& p) {
            return dessiner_widget(p, w, titre, pied);
        });
    }

private:
    static bool choisir(QPrinter& imprimante)
    {
        QPrintDialog d(&imprimante, QApplication::activeWindow());
        d.setOption(QAbstractPrintDialog::PrintToFile, true);
        // Every page is always printed: a page range would be ignored.
        d.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return d.exec() == QDialog::Accepted;
    }
};

} // namespace

std::unique_ptr<Printer> imprimante_qt()
{
    return std::make_unique<QtPrinter>();
}

namespace {

constexpr qreal TAILLE_TEXTE = 10.0;      // points
constexpr qreal TAILLE_TEXTE_MINI = 4.0;  // smallest a too-wide line may shrink the font to
constexpr qreal TAILLE_LEGENDE = 12.0;    // points
constexpr qreal TAILLE_PIED = 9.0;        // points

// The printable area, in the printer's pixels, with its origin where the
// painter's is.
QSizeF zone_imprimable(QPrinter& imprimante)
{
    return imprimante.pageLayout().paintRectPixels(imprimante.resolution()).size();
}

// The widget's own background and drawing, then its children from the
// bottom of the stack up. Plots are drawn again as lines and text: on screen
// they are an image at the screen's resolution, coarse on paper.
void dessiner_contenu(QCPPainter& peintre, QWidget* w)
{
    w->render(&peintre, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    for (QObject* o : w->children()) {
        auto* enfant = qobject_cast<QWidget*>(o);
        if (!enfant || enfant->isWindow() || !enfant->isVisibleTo(w))
            continue;
        if (auto* graphe = qobject_cast<QCustomPlot*>(enfant)) {
            peintre.save();
            peintre.translate(enfant->pos());
            peintre.setClipRect(QRect(QPoint(), enfant->size()));
            graphe->toPainter(&peintre, enfant->width(), enfant->height());
            peintre.restore();
        } else {
            // A background only where the child paints one on screen: a
            // label over the plot must not hide it.
            enfant->render(&peintre, enfant->pos(), QRegion(), QWidget::DrawChildren);
        }
    }
}

} // namespace

bool dessiner_texte(QPrinter& imprimante, const QString& texte)
{
    QStringList lignes = texte.split('\n');
    // A final line end closes the last line; it opens no line of its own.
    if (!lignes.isEmpty() && lignes.last().isEmpty())
        lignes.removeLast();

    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return false;
    const QSizeF zone = zone_imprimable(imprimante);

    // Columns line up only in a fixed-pitch font.
    QFont police(QStringLiteral("Monospace"));
    police.setStyleHint(QFont::TypeWriter);
    police.setFixedPitch(true);
    police.setPointSizeF(TAILLE_TEXTE);
    qreal plus_large = 0.0;
    {
        const QFontMetricsF m(police, &imprimante);
        for (const QString& l : lignes)
            plus_large = std::max(plus_large, m.horizontalAdvance(l));
    }
    // A line wider than the page shrinks the font rather than lose its end.
    if (plus_large > zone.width())
        police.setPointSizeF(std::max(TAILLE_TEXTE_MINI, TAILLE_TEXTE * zone.width() / plus_large));
    peintre.setFont(police);
    const QFontMetricsF m(police, &imprimante);

    qreal y = 0.0;
    for (const QString& l : lignes) {
        if (y > 0.0 && y + m.height() > zone.height()) {
            if (!imprimante.newPage()) {
                peintre.end();
                return false;
            }
            y = 0.0;
        }
        peintre.drawText(QPointF(0.0, y + m.ascent()), l);
        y += m.lineSpacing();
    }
    return peintre.end();
}

bool dessiner_widget(QPrinter& imprimante, QWidget* w, const QString& legende, const QString& pied)
{
    if (!w)
        return false;
    // Recorded at the screen's resolution, in which the panel's sizes and
    // fonts are measured; the replay scales it to the printer's.
    QPicture image;
    {
        QCPPainter enregistreur;
        if (!enregistreur.begin(&image))
            return false;
        // Hairlines of the plots (the dotted grid) get a width that scales
        // with the page, as on screen.
        enregistreur.setMode(QCPPainter::pmVectorized);
        enregistreur.setMode(QCPPainter::pmNonCosmetic);
        dessiner_contenu(enregistreur, w);
        enregistreur.end();
    }

    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return false;
    const QSizeF zone = zone_imprimable(imprimante);

    qreal haut_legende = 0.0;
    if (!legende.isEmpty()) {
        QFont police = w->font();
        police.setPointSizeF(TAILLE_LEGENDE);
        police.setBold(true);
        peintre.setFont(police);
        const QFontMetricsF m(police, &imprimante);
        peintre.drawText(QPointF(0.0, m.ascent()), legende);
        haut_legende = 1.5 * m.lineSpacing();
    }

    // The foot's lines at the bottom of the page.
    qreal haut_pied = 0.0;
    if (!pied.isEmpty()) {
        QFont police = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        police.setPointSizeF(TAILLE_PIED);
        peintre.setFont(police);
        const QFontMetricsF m(police, &imprimante);
        const QStringList lignes = pied.split(QLatin1Char('\n'));
        haut_pied = (lignes.size() + 1) * m.lineSpacing();
        qreal y = zone.height() - haut_pied + m.lineSpacing();
        for (const QString& l : lignes) {
            peintre.drawText(QPointF(0.0, y + m.ascent()), l);
            y += m.lineSpacing();
        }
    }

    const QSize t = w->size();
    if (!t.isEmpty()) {
        // As large as the page allows, proportions kept, centred across it.
        const qreal echelle =
            std::min(zone.width() / t.width(), (zone.height() - haut_legende - haut_pied) / t.height());
        peintre.translate((zone.width() - t.width() * echelle) / 2.0, haut_legende);
        peintre.scale(echelle * image.logicalDpiX() / imprimante.logicalDpiX(),
                      echelle * image.logicalDpiY() / imprimante.logicalDpiY());
        peintre.drawPicture(0, 0, image);
    }
    return peintre.end();
}

bool pdf_complet(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 taille = f.size();
    constexpr qint64 QUEUE = 1024;
    if (taille < 16 || !f.seek(std::max<qint64>(0, taille - QUEUE)))
        return false;
    const QByteArray fin = f.readAll();
    const qsizetype renvoi = fin.lastIndexOf("startxref");
    if (renvoi < 0 || !fin.trimmed().endsWith("%%EOF"))
        return false;
    const QByteArray apres = fin.mid(renvoi + 9);
    const qsizetype fin_nombre = apres.indexOf("%%EOF");
    bool ok = false;
    const qint64 table = apres.left(fin_nombre).trimmed().toLongLong(&ok);
    char debut[4];
    return ok && table >= 0 && table < taille && f.seek(table) && f.read(debut, 4) == 4 &&
           QByteArray(debut, 4) == "xref";
}

Printer::Resultat imprimer_sur(QPrinter& imprimante, const std::function<bool(QPrinter&)>& dessiner)
{
    const QString sortie = imprimante.outputFileName();
    if (sortie.isEmpty())
        return dessiner(imprimante) ? Printer::imprime : Printer::echec_imprimante;
    // The printer writes the file itself and does not say when a write
    // fails: it writes a temporary file, which must hold a whole document.
    EcritureFichier fichier(sortie);
    if (!fichier.ouvrir())
        return Printer::echec_fichier;
    imprimante.setOutputFileName(fichier.chemin_ecrit());
    const bool dessine = dessiner(imprimante);
    imprimante.setOutputFileName(sortie);
    const bool pdf = imprimante.outputFormat() == QPrinter::PdfFormat;
    return dessine && fichier.valider(pdf ? pdf_complet : std::function<bool(const QString&)>{})
               ? Printer::imprime
               : Printer::echec_fichier;
}

