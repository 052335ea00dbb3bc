#pragma once

#include "socle/platform.h"

#include <QPointer>

class FenetreAide;

// The help window: shows a help file (HTML) at its contents, with a keyword
// search. One window, not modal; each call reloads the file (the language may
// have changed it) and raises the window.
class QtHelpViewer final : public HelpViewer {
public:
    QtHelpViewer() = default;
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    void sommaire(const QString& fichier) override;
    void recherche(const QString& fichier, const QString& mot) override;

private:
    FenetreAide* fenetre();
    QPointer<FenetreAide> fenetre_;
};
