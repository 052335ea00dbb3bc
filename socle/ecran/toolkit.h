// The small window toolkit the program is written against: panels and menu
// items are named by whole-number handles kept in the global records, panels
// come from the forms of the panel resource file, and every user action
// reaches a named callback with an event code.
#pragma once

#include "socle/globals.h"

#include <QString>

#include <cstddef>

class QAction;
class QColor;
class QMenu;
class QMenuBar;
class QWidget;


using PanelCallback = int (*)(int panel, int event, void* data, int e1, int e2);
using MenuCallback = void (*)(int menubar, int item, void* data, int panel);

namespace tk {

// An RGB value as the records hold it (red * 65536 + green * 256 + blue).
QColor couleur(int rgb);

// ---- panel resource file ------------------------------------------------
// Registers the panel resource file; false when it is missing or unreadable.
bool ouvrir_ressources(const QString& chemin);
void fermer_ressources();
// Form file name of a panel kind, e.g. "graphe.ui".
QString nom_formulaire(PanelKind kind);
// Loads a form from the resource file; nullptr when absent.
QWidget* charger_formulaire(const QString& nom, QWidget* parent);

// ---- panels ----------------------------------------------------------------
// parent 0 gives a top-level window. The Data window and graph windows loaded
// into the main window become child panels inside its client area; other
// kinds loaded with a parent are dialogs owned by it. Returns the handle
// (>= 1) or a negative value when the form cannot be loaded.
int LoadPanel(int parent, PanelKind kind);
// A new panel of the same kind as `source`, placed at top/left (not shown).
int DuplicatePanel(int parent, int source, const QString& titre, int top, int left);
void DisplayPanel(int panel);
void HidePanel(int panel);
void DiscardPanel(int panel);
// Modal display of a dialog; returns at once, the dialog's callbacks end it.
void InstallPopup(int panel);
void RemovePopup(int panel);

bool panel_valide(int panel);
// A registry keyed by panel handle outside the toolkit (bindings, curves,
// cursors, scroll bars, text controls) forgets a discarded panel: `oublier`
// drops every entry of the panel, `taille` counts the entries held.
// DiscardPanel and reinitialiser call each oublier before the panel goes.
struct RegistrePanels {
    void (*oublier)(int panel);
    std::size_t (*taille)();
};
void inscrire_registre(RegistrePanels r);
// Entries held by every handle registry: the toolkit's panels, items and
// their callbacks, and the registries inscribed.
std::size_t entrees_registres();
PanelKind type_panel(int panel);
// The form's root widget (the panel's contents).
QWidget* contenu(int panel);
// The top-level or child window carrying the panel.
QWidget* fenetre(int panel);
void SetPanelCallback(int panel, PanelCallback cb);
int appeler_panel(int panel, int event, int e1 = 0, int e2 = 0);

// Geometry of a panel's client area, in pixels: for a child panel relative to
// the main window's client area, for a top-level window on the screen.
struct Geometrie {
    int top = 0, left = 0, height = 0, width = 0;
    bool operator==(const Geometrie&) const = default;
};
Geometrie geometrie(int panel);
void deplacer(int panel, int top, int left);
void SetPanelHeight(int panel, int height);
void SetPanelWidth(int panel, int width);
QString titre(int panel);
void SetPanelTitle(int panel, const QString& titre);
// Title-bar colours of a child panel (RGB as red*65536 + green*256 + blue).
void couleurs_titre(int panel, int barre, int texte);
int couleur_texte_titre(int panel);
// Makes a child panel the active one: the previous one gets the lost-focus
// event, this one the got-focus event.
void activer(int panel);
int panel_actif();
// Maximised state of a top-level window (0 normal, 1 maximised).
int etat_zoom(int panel);
void SetPanelZoom(int panel, int etat);

// ---- menus ---------------------------------------------------------------------
// The menu bar of a loaded panel; registers its menus and items under their
// fixed identifiers (app/menus.h) and returns the menu-bar handle.
int GetPanelMenuBar(int panel);
QMenuBar* barre(int menubar);
QAction* action(int item);           // nullptr for an unknown item
QMenu* sous_menu(int menu_id);
// A new item in menu `menu_id`, before item `avant` (-1: at the end).
int NewMenuItem(int menubar, int menu_id, int avant, const QString& texte, MenuCallback cb);
void DiscardMenuItem(int menubar, int item);
void SetMenuItemCallback(int item, MenuCallback cb);
// Runs an item's callback for a click on its menu entry or toolbar button.
void rappeler_item(int item);
// Raises an item from code exactly as if the user had chosen it. Only the
// composition (app/) and the tests do; lower layers ask for a Commande.
void declencher(int item);
void SetItemName(int item, const QString& texte_qt); // Qt form: "&X" marks the mnemonic
void SetItemDimmed(int item, bool dimmed);
void SetItemChecked(int item, bool checked);
bool ItemChecked(int item);

// Forgets every panel and item (tests).
void reinitialiser();

} // namespace tk
