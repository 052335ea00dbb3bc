// Reading files whose size and kind the program does not control: a file
// named by the user or left in the program's folder may be a folder, a
// device, a pipe that nobody writes to, or far larger than anything the
// program writes.
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

enum class Ouverture {
    ouvert,
    absent,         // no such file
    pas_un_fichier, // a folder, a device, a pipe or a socket
    refuse,         // there, but it cannot be opened for reading
};

// Opens `f` on `chemin` for reading (binary), only when it names a regular
// file (a link to one included). A pipe is opened without waiting for a
// writer, then refused: the kind checked is that of what was opened.
Ouverture ouvrir_en_lecture(QFile& f, const QString& chemin);

// True when `chemin` exists and is not a regular file (nor a link to one).
bool autre_qu_un_fichier(const QString& chemin);

// At most `max` bytes from the current position of `f`; `trop_grand` tells
// whether the file held more.
QByteArray lire_au_plus(QFile& f, qint64 max, bool& trop_grand);
