// Short fuzz inputs for long files: a line "\x01N" (the byte 1, then N in
// decimal) stands for N more copies of the line before it, so that a
// recording of 30000 readings fits in a few hundred bytes and the fuzzer can
// move its count across the capacity. No file the program writes holds that
// byte, and the readers refuse a line holding it.
#pragma once

#include <QByteArray>
#include <QList>

// The text with every "\x01N" line replaced by its copies; at most
// `taille_max` bytes come out.
inline QByteArray deplier(const QByteArray& texte, qsizetype taille_max = qsizetype(3) << 20)
{
    QByteArray sortie;
    QByteArray precedente;
    bool fin_de_ligne = false; // the line before ended with '\n'
    const QList<QByteArray> lignes = texte.split('\n');
    for (qsizetype i = 0; i < lignes.size() && sortie.size() <= taille_max; ++i) {
        const QByteArray& l = lignes[i];
        const bool derniere = i + 1 == lignes.size();
        bool ok = false;
        const int copies = l.startsWith('\x01') && l.size() <= 7 ? l.mid(1).toInt(&ok) : 0;
        if (ok && copies >= 0 && fin_de_ligne) {
            for (int c = 0; c < copies && sortie.size() <= taille_max; ++c)
                sortie += precedente + '\n';
            continue;
        }
        sortie += l;
        if (!derniere)
            sortie += '\n';
        precedente = l;
        fin_de_ligne = !derniere;
    }
    return sortie.left(taille_max);
}
