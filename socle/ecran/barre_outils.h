// The main window's toolbar: command buttons with an image and a tooltip,
// each raising a menu item, and separators. Positions count from 1 and
// include the separators.
#pragma once

#include <QString>

constexpr int TOOLBAR_FIN = -1;             // insert at the end
constexpr int TOOLBAR_IMAGE_INTROUVABLE = -94;

enum TypeBouton { TOOLBAR_SEPARATEUR, TOOLBAR_COMMANDE };

// A new toolbar in the main window's toolbar area; returns its handle.
int Toolbar_New(int panel);
void Toolbar_Discard(int toolbar);
// Inserts a button raising menu item `item` with the image file `image`.
// Returns 0, or TOOLBAR_IMAGE_INTROUVABLE when the image cannot be read (the
// button is inserted without an image).
int Toolbar_InsertItem(int toolbar, int position, TypeBouton type, bool actif, const QString& info_bulle,
                       int item, const QString& image);
// Attribute 1: 1 = buttons show their image only, 2 = image and text.
void Toolbar_SetAttribute(int toolbar, int attribut, int valeur);
void Toolbar_Display(int toolbar);
void Toolbar_DimItem(int toolbar, int position, bool dimmed);
