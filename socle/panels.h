// Typed bindings of the panel kinds: each resolves the named controls of its
// form once and throws ErreurLiaison naming the first one missing, so a form
// that drifts from the code fails at once instead of misbehaving later.
#pragma once

#include "socle/globals.h"
#include "socle/toolkit.h"

#include <QString>
#include <map>
#include <stdexcept>

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class ListeReleves;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTextEdit;
class QWidget;

class ErreurLiaison : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The control `nom` of class T under `racine`; throws when absent.
QWidget* controle_brut(QWidget* racine, const char* nom, const char* classe);
template <class T>
T* controle(QWidget* racine, const char* nom)
{
    return static_cast<T*>(controle_brut(racine, nom, T::staticMetaObject.className()));
}

struct PnlPrincipal {
    QWidget* racine;
    QMenuBar* barre_menu;
    QWidget* zone_outils;
    static PnlPrincipal lier(QWidget* racine);
};

struct PnlDonnees {
    QWidget* racine;
    QLabel* entete;      // heading of the readings list
    ListeReleves* liste; // one line per reading
    static PnlDonnees lier(QWidget* racine);
};

struct PnlGraphe {
    QWidget* racine;
    QCustomPlot* graphe;
    QScrollBar* defilement;
    QLabel* label_zoom;
    static PnlGraphe lier(QWidget* racine);
};

struct PnlSplash {
    QWidget* racine;
    QLabel* nom_programme;
    QLabel* version;
    static PnlSplash lier(QWidget* racine);
};

struct PnlApropos {
    QWidget* racine;
    QLabel* description;
    QLabel* develop;
    QLabel* auteurs;
    QLabel* chefpro;
    QLabel* chef;
    QPushButton* quitter;
    static PnlApropos lier(QWidget* racine);
};

// Panel kinds whose controls their own features bind when they are built.
struct PnlSimple {
    QWidget* racine;
    static PnlSimple lier(QWidget* racine);
};

// Binds a loaded panel of any kind; throws ErreurLiaison.
void verifier_liaison(PanelKind kind, QWidget* racine);
// The same check for a form just loaded, reporting instead of throwing: a
// missing or mistyped control is named in a message popup and on the error
// output, and the result is false. Panels are loaded through this, so no
// binding of a loaded panel fails inside the event loop.
bool lier_ou_signaler(PanelKind kind, QWidget* racine);

// The binding of a loaded panel, resolved on first use and kept while the
// panel lives.
template <class P>
P& liaison(int panel)
{
    static std::map<int, P> cache;
    QWidget* r = tk::contenu(panel);
    if (!r)
        throw ErreurLiaison("panel " + std::to_string(panel) + " is not loaded");
    auto it = cache.find(panel);
    if (it == cache.end() || it->second.racine != r)
        it = cache.insert_or_assign(panel, P::lier(r)).first;
    return it->second;
}
