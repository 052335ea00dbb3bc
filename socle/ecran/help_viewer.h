#pragma once

#include "socle/platform.h"

#include <QPointer>

class FenetreAide;

// Largest help file shown; the delivered ones are about 50 KB.
inline constexpr qint64 TAILLE_AIDE_MAX = qint64(16) << 20;

// The help window: shows a help file (HTML) at its contents, with a keyword
// search. One window, not modal; each call reloads the file (the language may
// have changed it) and raises the window. A missing file, a folder or pipe in
// its place, or a file over TAILLE_AIDE_MAX shows the reason and the path
// instead.
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
