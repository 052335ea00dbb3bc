#include "socle/ecran/platform_qt.h"

#include "socle/ecran/help_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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
    void texte(const QString& texte) override { QGuiApplication::clipboard()->setText(texte); }
};

class QtBeep final : public Beep {
public:
    void beep() override { QApplication::beep(); }
};

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
    p.horloge = horloge_systeme();
    p.presse_papiers = std::make_unique<QtPressePapiers>();
    return p;
}
