#include "app/platform.h"

#include "lang/help_viewer.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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

    std::optional<QString> texte(const QString& title, const QString& invite,
                                 const QString& initial) override
    {
        bool ok = false;
        QString t = QInputDialog::getText(fenetre_active(), title, invite, QLineEdit::Normal, initial, &ok);
        if (!ok)
            return std::nullopt;
        return t;
    }

    std::optional<QString> fichier(const QString& title, const QString& dossier, const QString& filtre,
                                   bool enregistrer) override
    {
        QString f = enregistrer ? QFileDialog::getSaveFileName(fenetre_active(), title, dossier, filtre)
                                : QFileDialog::getOpenFileName(fenetre_active(), title, dossier, filtre);
        if (f.isEmpty())
            return std::nullopt;
        return f;
    }

    std::optional<QString> dossier(const QString& title, const QString& depart) override
    {
        QString d = QFileDialog::getExistingDirectory(fenetre_active(), title, depart);
        if (d.isEmpty())
            return std::nullopt;
        return d;
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
    bool attente_ = false;
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

Platform plateforme_qt()
{
    Platform p;
    p.popups = std::make_unique<QtPopups>();
    p.beep = std::make_unique<QtBeep>();
    p.aide = std::make_unique<QtHelpViewer>();
    p.horloge = std::make_unique<QtClock>();
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
