// Recordings written by hand, as the program's reader takes them.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The bytes of a file, written whole (the test fails when it cannot be).
void ecrire_fichier(const QString& chemin, const QByteArray& texte);

// A two-channel recording (V, then P) of n readings at a 1 s period, the x
// position of reading j being 2j, with its .cfg beside it. Reading j shows
// `v1(j)` and `v2(j)` in its value columns: a number, or "----" for an
// undefined reading.
void ecrire_deux_voies(const QString& dat, int n, const std::function<QByteArray(int)>& v1,
                       const std::function<QByteArray(int)>& v2);
// A value as a recording's column writes it.
QByteArray colonne(double v);
