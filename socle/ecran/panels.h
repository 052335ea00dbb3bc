// The mechanism of the panels' typed bindings: a binding resolves the named
// controls of its form once and throws ErreurLiaison naming the first one
// missing, so a form that drifts from the code fails at once instead of
// misbehaving later. The bindings themselves live beside the features that
// use their panels (<folder>/panneaux.h). Controls that the text tables
// relabel carry the table's name (`quitter`, `annuler`, `duree` ...). Each
// dialog form routes Escape and the window's close box (QDialog::rejected)
// to the button that dismisses it -- Cancel, or a notice's OK or No -- so a
// dialog never closes without its callback hearing of it.
#pragma once

#include "socle/globals.h"
#include "socle/ecran/toolkit.h"

#include <QString>
#include <map>
#include <stdexcept>

class QComboBox;
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

// A ring (combo box) whose item values the form holds beside its items, as
// the dynamic property "valeurs" (whole numbers separated by blanks, one per
// item): they become the items' data, so that the ring is read and set by
// value. Throws ErreurLiaison when the values do not match the items.
QComboBox* anneau(QWidget* racine, const char* nom);

// Panel kinds whose controls their own features bind when they are built.
struct PnlSimple {
    QWidget* racine;
    static PnlSimple lier(QWidget* racine);
};

// The check of a panel kind's binding: binds a form and throws ErreurLiaison
// naming the first control missing. Each folder registers the bindings of
// the panels its features use (its panneaux.cpp), at start-up; a kind with
// no binding registered is checked for nothing but being there.
using VerificationLiaison = void (*)(QWidget* racine);
void enregistrer_liaison(PanelKind kind, VerificationLiaison verification);
template <class P>
void enregistrer_liaison(PanelKind kind)
{
    enregistrer_liaison(kind, [](QWidget* r) { P::lier(r); });
}
bool liaison_enregistree(PanelKind kind);

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
std::map<int, P>& liaisons_en_cache()
{
    static std::map<int, P> cache;
    static const bool inscrit = (tk::inscrire_registre({[](int panel) { liaisons_en_cache<P>().erase(panel); },
                                                        [] { return liaisons_en_cache<P>().size(); }}),
                                 true);
    (void)inscrit;
    return cache;
}

template <class P>
P& liaison(int panel)
{
    std::map<int, P>& cache = liaisons_en_cache<P>();
    QWidget* r = tk::contenu(panel);
    if (!r)
        throw ErreurLiaison("panel " + std::to_string(panel) + " is not loaded");
    auto it = cache.find(panel);
    if (it == cache.end() || it->second.racine != r)
        it = cache.insert_or_assign(panel, P::lier(r)).first;
    return it->second;
}
