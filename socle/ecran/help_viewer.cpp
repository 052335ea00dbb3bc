#include "socle/ecran/help_viewer.h"

#include "socle/globals.h"
#include "socle/help_search.h"
#include "socle/lecture_fichier.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The window's own words, in the order French, English, German, Spanish, Italian.
enum Mot { TITRE, PRECEDENT, SUIVANT, SOMMAIRE, CHERCHER, MOT_CLE, AUCUN, INTROUVABLE, TROP_GRAND, NB_MOTS };

const char* const mots_fenetre[NB_MOTS][5] = {
    {"Aide de VOLTEXA", "VOLTEXA Help", "VOLTEXA Hilfe", "Ayuda de VOLTEXA", "Guida di VOLTEXA"},
    {"Précédent", "Back", "Zurück", "Atrás", "Indietro"},
    {"Suivant", "Forward", "Vorwärts", "Adelante", "Avanti"},
    {"Sommaire", "Contents", "Inhalt", "Sumario", "Sommario"},
    {"Rechercher :", "Search:", "Suchen:", "Buscar:", "Cerca:"},
    {"Mot-clé", "Keyword", "Stichwort", "Palabra clave", "Parola chiave"},
    {"Aucune rubrique ne contient ce mot.", "No topic contains this word.",
     "Kein Thema enthält dieses Wort.", "Ningún tema contiene esta palabra.",
     "Nessun argomento contiene questa parola."},
    {"Fichier d'aide introuvable :", "Help file not found:", "Hilfedatei nicht gefunden:",
     "No se encuentra el archivo de ayuda:", "File della guida non trovato:"},
    {"Fichier d'aide trop volumineux (plus de 16 Mo) :", "Help file too large (over 16 MB):",
     "Hilfedatei zu groß (über 16 MB):", "Archivo de ayuda demasiado grande (más de 16 MB):",
     "File della guida troppo grande (oltre 16 MB):"},
};

QString mot(Mot m)
{
    const int l = (langue >= 0 && langue < 5) ? langue : 1;
    return QString::fromUtf8(mots_fenetre[m][l]);
}

constexpr int ROLE_ANCRE = Qt::UserRole;

// The help text and what it shows (pictures, linked pages) are read as the
// help file is: regular files only, up to the bound.
class NavigateurAide final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& nom) override
    {
        const QUrl url = nom.isRelative() ? source().resolved(nom) : nom;
        const QString chemin = url.isLocalFile() ? url.toLocalFile() : url.scheme().isEmpty() ? url.path() : QString();
        if (chemin.isEmpty())
            return QTextBrowser::loadResource(type, nom);
        QFile f;
        if (ouvrir_en_lecture(f, chemin) != Ouverture::ouvert)
            return {};
        bool trop_grand = false;
        const QByteArray contenu = lire_au_plus(f, TAILLE_AIDE_MAX, trop_grand);
        return trop_grand ? QVariant() : QVariant(contenu);
    }
};

} // namespace

class FenetreAide final : public QWidget {
public:
    FenetreAide();
    // Loads the file afresh and shows it at its start.
    void ouvrir(const QString& fichier);
    // Fills the search field and puts the keyboard there.
    void chercher(const QString& mot);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void libeller();
    void lister(const QString& mot);
    // No file shown: the reason and the path in place of the text.
    void sans_fichier(Mot raison, const QString& fichier);
    void aller(QListWidgetItem* item);
    void accueil();

    QToolButton* precedent_;
    QToolButton* suivant_;
    QToolButton* debut_;
    QLabel* invite_;
    QLineEdit* champ_;
    QListWidget* liste_;
    QTextBrowser* navigateur_;
    QUrl source_;
    QList<SectionAide> sections_;
};

FenetreAide::FenetreAide()
    : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("fenetre_aide"));

    precedent_ = new QToolButton(this);
    precedent_->setObjectName(QStringLiteral("aide_precedent"));
    precedent_->setArrowType(Qt::LeftArrow);
    precedent_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    precedent_->setShortcut(QKeySequence::Back);
    precedent_->setEnabled(false);

    suivant_ = new QToolButton(this);
    suivant_->setObjectName(QStringLiteral("aide_suivant"));
    suivant_->setArrowType(Qt::RightArrow);
    suivant_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    suivant_->setShortcut(QKeySequence::Forward);
    suivant_->setEnabled(false);

    debut_ = new QToolButton(this);
    debut_->setObjectName(QStringLiteral("aide_sommaire"));
    debut_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    invite_ = new QLabel(this);
    champ_ = new QLineEdit(this);
    champ_->setObjectName(QStringLiteral("aide_recherche"));
    champ_->setClearButtonEnabled(true);
    champ_->installEventFilter(this);
    invite_->setBuddy(champ_);

    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral("aide_rubriques"));
    liste_->setWordWrap(true);
    liste_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste_->setTextElideMode(Qt::ElideNone);

    navigateur_ = new NavigateurAide(this);
    navigateur_->setObjectName(QStringLiteral("aide_texte"));
    navigateur_->setOpenLinks(true);
    navigateur_->setOpenExternalLinks(false);

    auto* haut = new QHBoxLayout;
    haut->addWidget(precedent_);
    haut->addWidget(suivant_);
    haut->addWidget(debut_);
    haut->addSpacing(16);
    haut->addWidget(invite_);
    haut->addWidget(champ_, 1);

    auto* partage = new QSplitter(Qt::Horizontal, this);
    partage->addWidget(liste_);
    partage->addWidget(navigateur_);
    partage->setStretchFactor(0, 0);
    partage->setStretchFactor(1, 1);
    partage->setSizes({270, 630});

    auto* tout = new QVBoxLayout(this);
    tout->addLayout(haut);
    tout->addWidget(partage, 1);

    auto* trouver = new QShortcut(QKeySequence::Find, this);
    QObject::connect(trouver, &QShortcut::activated, champ_, [this] {
        champ_->setFocus(Qt::ShortcutFocusReason);
        champ_->selectAll();
    });

    QObject::connect(precedent_, &QToolButton::clicked, navigateur_, &QTextBrowser::backward);
    QObject::connect(suivant_, &QToolButton::clicked, navigateur_, &QTextBrowser::forward);
    QObject::connect(navigateur_, &QTextBrowser::backwardAvailable, precedent_, &QWidget::setEnabled);
    QObject::connect(navigateur_, &QTextBrowser::forwardAvailable, suivant_, &QWidget::setEnabled);
    QObject::connect(debut_, &QToolButton::clicked, this, [this] { accueil(); });
    QObject::connect(champ_, &QLineEdit::textChanged, this, [this](const QString& t) { lister(t); });
    QObject::connect(champ_, &QLineEdit::returnPressed, this, [this] {
        if (liste_->count() > 0 && (liste_->item(0)->flags() & Qt::ItemIsEnabled))
            aller(liste_->item(0));
    });
    QObject::connect(liste_, &QListWidget::itemActivated, this, [this](QListWidgetItem* i) { aller(i); });
    QObject::connect(liste_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { aller(i); });

    resize(920, 660);
}

void FenetreAide::libeller()
{
    setWindowTitle(mot(TITRE));
    precedent_->setText(mot(PRECEDENT));
    precedent_->setToolTip(mot(PRECEDENT) + QStringLiteral(" (") +
                           QKeySequence(QKeySequence::Back).toString(QKeySequence::NativeText) +
                           QLatin1Char(')'));
    suivant_->setText(mot(SUIVANT));
    suivant_->setToolTip(mot(SUIVANT) + QStringLiteral(" (") +
                         QKeySequence(QKeySequence::Forward).toString(QKeySequence::NativeText) +
                         QLatin1Char(')'));
    debut_->setText(mot(SOMMAIRE));
    debut_->setToolTip(mot(SOMMAIRE) + QStringLiteral(" (") +
                       debut_->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')'));
    invite_->setText(mot(CHERCHER));
    champ_->setPlaceholderText(mot(MOT_CLE));
}

void FenetreAide::ouvrir(const QString& fichier)
{
    libeller();
    sections_.clear();
    navigateur_->clearHistory();

    // A folder or a pipe is no help file; a file past the bound would hold
    // the program while it is read and laid out.
    QFile f;
    if (ouvrir_en_lecture(f, fichier) != Ouverture::ouvert) {
        sans_fichier(INTROUVABLE, fichier);
        return;
    }
    bool trop_grand = false;
    const QByteArray html = lire_au_plus(f, TAILLE_AIDE_MAX, trop_grand);
    f.close();
    if (trop_grand) {
        sans_fichier(TROP_GRAND, fichier);
        return;
    }
    sections_ = sections_aide(QString::fromUtf8(html));

    const QFileInfo info(fichier);
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (navigateur_->source() == url)
        navigateur_->reload(); // same name, possibly a new language
    else
        navigateur_->setSource(url, QTextDocument::HtmlResource);
    navigateur_->clearHistory();
    source_ = url;
    debut_->setEnabled(true);
    navigateur_->verticalScrollBar()->setValue(0);
    navigateur_->horizontalScrollBar()->setValue(0);
    lister(champ_->text());
}

void FenetreAide::sans_fichier(Mot raison, const QString& fichier)
{
    source_ = QUrl();
    navigateur_->setPlainText(mot(raison) + QLatin1Char('\n') + QDir::toNativeSeparators(fichier));
    debut_->setEnabled(false);
    lister(champ_->text());
}

void FenetreAide::chercher(const QString& mot)
{
    champ_->setText(mot);
    lister(mot);
    champ_->setFocus(Qt::OtherFocusReason);
    champ_->selectAll();
}

void FenetreAide::accueil()
{
    if (source_.isEmpty())
        return;
    navigateur_->setSource(source_, QTextDocument::HtmlResource);
    navigateur_->verticalScrollBar()->setValue(0);
}

// With no keyword the list is an index of every section; with one, it holds
// the sections that contain it.
void FenetreAide::lister(const QString& cle)
{
    liste_->clear();
    QList<SectionAide> trouvees;
    if (cle.trimmed().isEmpty()) {
        for (const SectionAide& s : sections_)
            if (s.ancre != QLatin1String(ANCRE_SOMMAIRE) && s.niveau > 1)
                trouvees.append(s);
    } else {
        trouvees = chercher_sections(sections_, cle);
    }
    for (const SectionAide& s : trouvees) {
        auto* item = new QListWidgetItem(s.niveau > 2 ? QStringLiteral("    ") + s.titre : s.titre, liste_);
        item->setData(ROLE_ANCRE, s.ancre);
        item->setToolTip(s.titre);
    }
    if (trouvees.isEmpty() && !cle.trimmed().isEmpty() && !sections_.isEmpty()) {
        auto* item = new QListWidgetItem(mot(AUCUN), liste_);
        item->setFlags(Qt::NoItemFlags);
    }
}

void FenetreAide::aller(QListWidgetItem* item)
{
    if (!item || source_.isEmpty())
        return;
    const QString ancre = item->data(ROLE_ANCRE).toString();
    if (ancre.isEmpty())
        return;
    QUrl cible = source_;
    cible.setFragment(ancre);
    if (navigateur_->source() == cible) // a click may also activate: one history entry
        navigateur_->scrollToAnchor(ancre);
    else
        navigateur_->setSource(cible, QTextDocument::HtmlResource);
}

// Down arrow in the search field goes to the list of sections.
bool FenetreAide::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == champ_ && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Down && liste_->count() > 0) {
            liste_->setFocus(Qt::TabFocusReason);
            if (!liste_->currentItem())
                liste_->setCurrentRow(0);
            return true;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

QtHelpViewer::~QtHelpViewer()
{
    // Without an application left, the window can no longer be destroyed safely.
    if (fenetre_ && QCoreApplication::instance())
        delete fenetre_.data();
}

FenetreAide* QtHelpViewer::fenetre()
{
    if (!fenetre_)
        fenetre_ = new FenetreAide;
    return fenetre_.data();
}

void QtHelpViewer::sommaire(const QString& fichier)
{
    FenetreAide* f = fenetre();
    f->ouvrir(fichier);
    f->show();
    f->raise();
    f->activateWindow();
}

void QtHelpViewer::recherche(const QString& fichier, const QString& mot)
{
    FenetreAide* f = fenetre();
    f->ouvrir(fichier);
    f->show();
    f->raise();
    f->activateWindow();
    f->chercher(mot);
}
