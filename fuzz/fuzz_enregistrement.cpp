// A recording read, written back with the program's writers and read again:
// the second reading must give the same set-up (the time origin as its six
// decimals give it) and the same readings.
//
// Input: the configuration file, then a NUL byte, then the data file (no NUL:
// a configuration alone, no readings); in either, a line "\x01N" stands for
// N more copies of the line before it (fuzz/deplier.h), so that the
// 30000-reading capacity is within reach of short inputs. scripts/fuzz also
// lets the inputs themselves grow past the fuzzer's default 4096 bytes.
#include "files/format.h"
#include "fuzz/deplier.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {


// As the File menu reads a recording: the configuration with its x
// positions, then as many lines as it announces, with the values of the
// channels of the second channel line.
bool lire(const QByteArray& cfg, const QByteArray& dat, Configuration& c, Releves& r)
{
    QBuffer bc;
    bc.setData(cfg);
    bc.open(QIODevice::ReadOnly);
    if (lire_configuration(bc, true, c) != Lecture::Bonne)
        return false;
    QBuffer bd;
    bd.setData(dat);
    bd.open(QIODevice::ReadOnly);
    const int nb_valeurs = c.voies[1].port != 0 ? c.voies[1].nb_voies : 0;
    return lire_donnees(bd, c.nb_points, nb_valeurs, r) == Lecture::Bonne;
}

// Both files as Save writes them, for the readings that were read.
void ecrire(Configuration c, const Releves& r, QByteArray& cfg, QByteArray& dat)
{
    c.nb_points = std::min<int>(c.nb_points, int(r.lignes.size()));
    c.x.resize(std::size_t(c.nb_points));
    QBuffer bc(&cfg), bd(&dat);
    bc.open(QIODevice::WriteOnly);
    bd.open(QIODevice::WriteOnly);
    if (!ecrire_configuration(bc, c) || !ecrire_donnees(bd, c.nb_points, [&r](int j) { return r.lignes[j]; }))
        std::abort();
}

bool memes_valeurs(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t j = 0; j < a.size(); ++j)
        if (!(a[j] == b[j] || (std::isnan(a[j]) && std::isnan(b[j]))))
            return false;
    return true;
}

bool memes_voies(const VoieFichier& a, const VoieFichier& b)
{
    return a.port == b.port && a.type_reseau == b.type_reseau && a.grandeur == b.grandeur &&
           a.nb_voies == b.nb_voies && a.num_fenetre == b.num_fenetre && a.libelle == b.libelle;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray entree(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = entree.indexOf('\0');
    const QByteArray cfg = deplier(nul < 0 ? entree : entree.left(nul));
    const QByteArray dat = nul < 0 ? QByteArray() : deplier(entree.mid(nul + 1));

    Configuration c1;
    Releves r1;
    if (!lire(cfg, dat, c1, r1))
        return 0;
    QByteArray cfg2, dat2;
    ecrire(c1, r1, cfg2, dat2);

    Configuration c2;
    Releves r2;
    if (!lire(cfg2, dat2, c2, r2))
        std::abort(); // written, and refused on reading
    const int n = std::min<int>(c1.nb_points, int(r1.lignes.size()));
    bool pareil = c2.nb_points == n && int(r2.lignes.size()) == n && memes_voies(c1.voies[0], c2.voies[0]) &&
                  memes_voies(c1.voies[1], c2.voies[1]) && c1.temps_relatif == c2.temps_relatif &&
                  c2.heure_rel == QByteArray::number(c1.heure_rel, 'f', 6).toDouble() &&
                  std::equal(c2.x.begin(), c2.x.end(), c1.x.begin()) && r1.lignes.mid(0, n) == r2.lignes;
    for (std::size_t k = 0; k < 2; ++k)
        pareil = pareil && memes_valeurs(r1.valeurs[k], r2.valeurs[k]);
    if (!pareil)
        std::abort();
    // Written again from what was read back: the very same files.
    QByteArray cfg3, dat3;
    ecrire(c2, r2, cfg3, dat3);
    if (cfg3 != cfg2 || dat3 != dat2)
        std::abort();
    return 0;
}
