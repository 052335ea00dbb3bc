// A disk for the tests, installed under the file writers (socle/ecriture.h).
#pragma once

#include <QtGlobal>

// A disk that takes `octets` more bytes, then fails every write as a full
// disk does (ENOSPC); `synchro_en_echec` fails every sync (EIO). -1 and
// false put the system's disk back.
void simuler_disque(qint64 octets, bool synchro_en_echec = false);
