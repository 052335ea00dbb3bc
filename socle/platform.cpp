#include "socle/platform.h"
#include "socle/ecriture.h"

#include "socle/help_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>
#include <qcustomplot.h>

#include <algorithm>

// The installed data folder, from the executable's folder.
#ifndef VOLTEXA_DONNEES_INSTALLEES
#define VOLTEXA_DONNEES_INSTALLEES "../share/voltexa"
#endif

namespace {

QWidget* fenetre_active()
{
    return QApplication::activeWindow();
}

class QtPopups final : public Popups {
public:
    void message(const QString& title, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, fenetre_active());
        box.exec();
    }

    int question(const QString& title, const QString& text, const QStringList& boutons, int defaut,
                 int echap) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, fenetre_active());
        QList<QPushButton*> crees;
        for (int i = 0; i < boutons.size() && i < 3; ++i) {
            if (boutons[i].isEmpty()) {
                crees.append(nullptr);
                continue;
            }
            crees.append(box.addButton(boutons[i], QMessageBox::ActionRole));
        }
        if (defaut >= 1 && defaut <= crees.size() && crees[defaut - 1])
            box.setDefaultButton(crees[defaut - 1]);
        if (echap >= 1 && echap <= crees.size() && crees[echap - 1])
            box.setEscapeButton(crees[echap - 1]);
        box.exec();
        for (int i = 0; i < crees.size(); ++i)
            if (crees[i] && box.clickedButton() == crees[i])
                return i + 1;
        return echap;
    }

    std::optional<QString> texte(const QString& title, const QString& invite, const QString& initial,
                                 const QStringList& boutons, int longueur_max) override
    {
        QInputDialog d(fenetre_active());
        d.setWindowTitle(title);
        d.setInputMode(QInputDialog::TextInput);
        d.setLabelText(invite);
        d.setTextValue(initial);
        if (boutons.size() >= 1 && !boutons[0].isEmpty())
            d.setOkButtonText(boutons[0]);
        if (boutons.size() >= 2 && !boutons[1].isEmpty())
            d.setCancelButtonText(boutons[1]);
        if (auto* champ = d.findChild<QLineEdit*>()) {
            champ->setMinimumWidth(champ->fontMetrics().averageCharWidth() * 48);
            if (longueur_max > 0)
                champ->setMaxLength(longueur_max);
        }
        if (d.exec() != QDialog::Accepted)
            return std::nullopt;
        return d.textValue();
    }

    std::optional<QString> fichier(const QString& title, const QString& dossier, const QString& filtre,
                                   bool enregistrer) override
    {
        return choisir(dialogue_fichier(enregistrer ? ChoixFichier::enregistrer : ChoixFichier::ouvrir, title,
                                        dossier, filtre));
    }

    std::optional<QString> dossier(const QString& title, const QString& depart) override
    {
        return choisir(dialogue_fichier(ChoixFichier::dossier, title, depart));
    }

    void curseur_attente(bool actif) override
    {
        if (actif) {
            if (!attente_) {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                attente_ = true;
            }
        } else if (attente_) {
            QApplication::restoreOverrideCursor();
            attente_ = false;
        }
    }

private:
    static std::optional<QString> choisir(std::unique_ptr<QFileDialog> d)
    {
        if (d->exec() != QDialog::Accepted)
            return std::nullopt;
        const QString f = d->selectedFiles().value(0);
        if (f.isEmpty())
            return std::nullopt;
        return f;
    }

    bool attente_ = false;
};

class QtPressePapiers final : public PressePapiers {
public:
    void image(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
};

class QtBeep final : public Beep {
public:
    void beep() override { QApplication::beep(); }
};

class QtClock final : public Clock {
public:
    void attendre(double secondes) override
    {
        QEventLoop boucle;
        QTimer::singleShot(static_cast<int>(secondes * 1000.0), &boucle, &QEventLoop::quit);
        boucle.exec();
    }
};

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

    Resultat imprimer_widget(QWidget* w, const QString& titre) override
    {
        QPrinter imprimante(QPrinter::HighResolution);
        imprimante.setDocName(nom_document(titre));
        if (!choisir(imprimante))
            return annule;
        CurseurImpression attente;
        return imprimer_sur(imprimante, [w, &titre](QPrinter& p) { return dessiner_widget(p, w, titre); });
    }

private:
    static bool choisir(QPrinter& imprimante)
    {
        QPrintDialog d(&imprimante, fenetre_active());
        d.setOption(QAbstractPrintDialog::PrintToFile, true);
        // Every page is always printed: a page range would be ignored.
        d.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return d.exec() == QDialog::Accepted;
    }
};

Platform& courante()
{
    static Platform p = plateforme_qt();
    return p;
}

QString& repertoire()
{
    static QString d;
    return d;
}

} // namespace

std::unique_ptr<QFileDialog> dialogue_fichier(ChoixFichier genre, const QString& titre, const QString& dossier,
                                              const QString& filtre)
{
    auto d = std::make_unique<QFileDialog>(fenetre_active(), titre, dossier, filtre);
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    switch (genre) {
    case ChoixFichier::ouvrir:
        d->setFileMode(QFileDialog::ExistingFile);
        break;
    case ChoixFichier::enregistrer:
        d->setAcceptMode(QFileDialog::AcceptSave);
        d->setFileMode(QFileDialog::AnyFile);
        options |= QFileDialog::DontConfirmOverwrite;
        break;
    case ChoixFichier::dossier:
        d->setFileMode(QFileDialog::Directory);
        options |= QFileDialog::ShowDirsOnly;
        break;
    }
    d->setOptions(options);
    return d;
}

Platform plateforme_qt()
{
    Platform p;
    p.popups = std::make_unique<QtPopups>();
    p.beep = std::make_unique<QtBeep>();
    p.aide = std::make_unique<QtHelpViewer>();
    p.horloge = std::make_unique<QtClock>();
    p.imprimante = std::make_unique<QtPrinter>();
    p.tableur = tableur_qt();
    p.presse_papiers = std::make_unique<QtPressePapiers>();
    return p;
}

Platform& plateforme()
{
    return courante();
}

Platform installer_plateforme(Platform p)
{
    Platform ancienne = std::move(courante());
    courante() = std::move(p);
    return ancienne;
}

namespace {

constexpr qreal TAILLE_TEXTE = 10.0;      // points
constexpr qreal TAILLE_TEXTE_MINI = 4.0;  // smallest a too-wide line may shrink the font to
constexpr qreal TAILLE_LEGENDE = 12.0;    // points

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

bool dessiner_widget(QPrinter& imprimante, QWidget* w, const QString& legende)
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

    const QSize t = w->size();
    if (!t.isEmpty()) {
        // As large as the page allows, proportions kept, centred across it.
        const qreal echelle =
            std::min(zone.width() / t.width(), (zone.height() - haut_legende) / t.height());
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

QString GetProjectDir()
{
    if (repertoire().isEmpty())
        return QCoreApplication::applicationDirPath();
    return repertoire();
}

void fixer_repertoire_programme(const QString& dir)
{
    repertoire() = dir;
}

bool dossier_inscriptible(const QString& dossier)
{
    if (!QFileInfo(dossier).isDir())
        return false;
    QTemporaryFile essai(QDir(dossier).filePath(QStringLiteral(".voltexa-essai-XXXXXX")));
    return essai.open();
}

QString chemin_programme(FichierProgramme f, const QString& nom)
{
    const QDir programme(GetProjectDir());
    const QString panneaux = QStringLiteral("VOLTEXA.uir");
    const bool donnees_a_cote = programme.exists(panneaux);
    QDir donnees = programme;
    bool installe = false;
    if (!donnees_a_cote) {
        const QDir installees(programme.filePath(QStringLiteral(VOLTEXA_DONNEES_INSTALLEES)));
        installe = installees.exists(panneaux);
        if (installe)
            donnees = QDir(installees.canonicalPath());
    }
    // An installed program keeps the user's files out of its prefix, even
    // when the account may write there (root and /usr). Asked only for the
    // files the program writes: the probe is a real write in the folder.
    const auto a_cote = [&] { return !installe && dossier_inscriptible(programme.path()); };
    auto utilisateur = [&](QStandardPaths::StandardLocation lieu, const QString& fichier) {
        if (a_cote())
            return programme.filePath(fichier);
        return QDir(QStandardPaths::writableLocation(lieu)).filePath(fichier);
    };

    switch (f) {
    case FichierProgramme::panneaux:
        return donnees.filePath(panneaux);
    case FichierProgramme::image_outil:
        return donnees.filePath(QStringLiteral("toolbar/") + nom + QStringLiteral(".png"));
    case FichierProgramme::aide_langue:
        return donnees.filePath(QStringLiteral("voltex") + nom + QStringLiteral(".hhh"));
    case FichierProgramme::aide:
        return utilisateur(QStandardPaths::AppDataLocation, QStringLiteral("voltexa.hlp"));
    case FichierProgramme::reglages:
        return utilisateur(QStandardPaths::AppConfigLocation, QStringLiteral("voltexa.ini"));
    case FichierProgramme::port:
        return utilisateur(QStandardPaths::AppDataLocation, QStringLiteral("ports/") + nom);
    case FichierProgramme::reprise:
        return utilisateur(QStandardPaths::AppDataLocation, QStringLiteral("reprise/") + nom);
    case FichierProgramme::travail: {
        if (a_cote())
            return programme.path();
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileInfo(documents).isDir() ? documents : QDir::homePath();
    }
    }
    return {};
}
