#include "files/format.h"
#include "acquisition/ligne.h"
#include "acquisition/periodes.h"

#include "link/serial.h"

#include "socle/ecriture.h"
#include "socle/globals.h"

#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace {

bool separateur(QChar c, Systeme s)
{
    return c == u'/' || (s == Systeme::Windows && c == u'\\');
}

bool contient(const QString& texte, const char* motif)
{
    return texte.contains(QLatin1String(motif), Qt::CaseInsensitive);
}

// The path part of a recent-file entry: what follows "__k ".
QString chemin_entree(const QString& entree)
{
    return entree.mid(4);
}

// Room for the longest line, one character more, "\r\n" and the final
// zero that QIODevice::readLine writes.
constexpr qint64 TAMPON_LIGNE = LONG_LIGNE_MAX + 4;

// One line of a file without its line end, written to `tampon`
// (TAMPON_LIGNE bytes) and its length in `longueur`; false at the end of the
// file or when the line is longer than LONG_LIGNE_MAX (`trop_longue` then
// set). No text is made on the way: the readers of a recording's 30000
// lines build only what they keep.
bool lire_ligne(QIODevice& f, char* tampon, qsizetype& longueur, bool& trop_longue)
{
    trop_longue = false;
    if (f.atEnd())
        return false;
    const qint64 lu = f.readLine(tampon, TAMPON_LIGNE);
    if (lu <= 0)
        return false;
    qsizetype n = qsizetype(lu);
    if (tampon[n - 1] == '\n')
        --n;
    else if (!f.atEnd()) {
        trop_longue = true;
        return false;
    }
    if (n > 0 && tampon[n - 1] == '\r')
        --n;
    if (n > LONG_LIGNE_MAX) {
        trop_longue = true;
        return false;
    }
    longueur = n;
    return true;
}

bool lire_ligne(QIODevice& f, QByteArray& ligne, bool& trop_longue)
{
    char tampon[TAMPON_LIGNE];
    qsizetype n = 0;
    if (!lire_ligne(f, tampon, n, trop_longue))
        return false;
    ligne = QByteArray(tampon, n);
    return true;
}

// Text only: tabs aside, a control character means binary data.
bool texte_seul(const char* ligne, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        const auto u = static_cast<unsigned char>(ligne[i]);
        if ((u < 0x20 && u != '\t') || u == 0x7f)
            return false;
    }
    return true;
}

bool texte_seul(const QByteArray& ligne)
{
    return texte_seul(ligne.constData(), ligne.size());
}

bool lire_entier(const QByteArray& texte, int& v)
{
    bool ok = false;
    const int n = texte.trimmed().toInt(&ok);
    if (ok)
        v = n;
    return ok;
}

// The next line as one whole number.
bool ligne_entier(QIODevice& f, int& v, bool& trop_longue)
{
    char tampon[TAMPON_LIGNE];
    qsizetype n = 0;
    return lire_ligne(f, tampon, n, trop_longue) && texte_seul(tampon, n) &&
           lire_entier(QByteArray::fromRawData(tampon, n), v);
}

bool reel_fini(double v)
{
    return std::isfinite(v);
}

// A file that cannot be replaced: not writable for this user, or marked
// read-only for everybody (a user's mark that the superuser would otherwise
// ignore).
bool lecture_seule(const QString& chemin)
{
    const QFileInfo i(chemin);
    if (!i.exists())
        return false;
    constexpr auto ecriture = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !i.isWritable() || !(i.permissions() & ecriture);
}

} // namespace

// ---- paths ------------------------------------------------------------------

Systeme systeme_local()
{
#ifdef Q_OS_WIN
    return Systeme::Windows;
#else
    return Systeme::Autre;
#endif
}

qsizetype debut_nom(const QString& chemin, Systeme s)
{
    for (qsizetype i = chemin.size(); i > 0; --i)
        if (separateur(chemin.at(i - 1), s))
            return i;
    return 0;
}

QString nom_seul(const QString& chemin, Systeme s)
{
    return chemin.mid(debut_nom(chemin, s));
}

QString chemin_configuration(const QString& chemin, Systeme s)
{
    const qsizetype debut = debut_nom(chemin, s);
    const qsizetype point_ = chemin.lastIndexOf(u'.');
    return (point_ < debut ? chemin : chemin.left(point_)) + QStringLiteral(".cfg");
}

QStringList chemins_configuration_anciens(const QString& chemin, Systeme s)
{
    const auto coupe = [&](qsizetype point_) {
        return (point_ < 0 ? chemin : chemin.left(point_)) + QStringLiteral(".cfg");
    };
    const QString actuel = chemin_configuration(chemin, s);
    QStringList anciens;
    for (const QString& c : {coupe(chemin.indexOf(u'.', debut_nom(chemin, s))), coupe(chemin.indexOf(u'.'))})
        if (!memes_chemins(c, actuel, s) && !anciens.contains(c))
            anciens << c;
    return anciens;
}

GenreFichier genre_fichier(const QString& chemin, Systeme s)
{
    const QString nom = nom_seul(chemin, s);
    if (nom.endsWith(QLatin1String(".cfg"), Qt::CaseInsensitive))
        return GenreFichier::Configuration;
    if (nom.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
        return GenreFichier::Donnees;
    if (contient(nom, ".cfg"))
        return GenreFichier::Configuration;
    if (contient(nom, ".dat"))
        return GenreFichier::Donnees;
    return GenreFichier::Aucun;
}

QString chemin_memorise(const QString& chemin, Systeme s)
{
    if (s != Systeme::Windows)
        return chemin;
    QString c = chemin;
    c.replace(u'/', u'\\');
    return c.toUpper();
}

bool memes_chemins(const QString& a, const QString& b, Systeme s)
{
    return a.compare(b, s == Systeme::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QString titre_fichier(const QString& chemin, Systeme s)
{
    return QStringLiteral("VOLTEXA - ") + nom_seul(chemin, s).toUpper();
}

// ---- recent files ---------------------------------------------------------------

bool placer_en_tete(std::array<QString, 4>& e, const QString& chemin, Systeme s)
{
    auto egale = [&](int k) { return memes_chemins(chemin_entree(e[k]), chemin, s); };
    if (egale(0))
        return false;
    if (egale(2)) {
        // Entry 3 is the one moving up: entry 2 takes its place, entry 4 stays.
        e[2] = QStringLiteral("__3") + e[1].mid(3);
    } else if (!egale(1)) {
        if (e[2].startsWith(QLatin1String("__3")))
            e[3] = QStringLiteral("__4") + e[2].mid(3);
        if (e[1].startsWith(QLatin1String("__2")))
            e[2] = QStringLiteral("__3") + e[1].mid(3);
    }
    if (e[0].startsWith(QLatin1String("__1")))
        e[1] = QStringLiteral("__2") + e[0].mid(3);
    e[0] = QStringLiteral("__1 ") + chemin;
    return true;
}

// ---- configuration file -----------------------------------------------------------

QByteArray ligne_voie(const VoieFichier& v)
{
    QByteArray l;
    l.reserve(40);
    for (int n : {v.port, v.type_reseau, v.grandeur, v.nb_voies, v.num_fenetre})
        l += QByteArray::number(n) + ' ';
    l += v.libelle.toLatin1().leftJustified(LARGEUR_LIBELLE, ' ', true);
    return l;
}

int lire_ligne_voie(const QByteArray& ligne, VoieFichier& v)
{
    int* champs[NB_NOMBRES_VOIE] = {&v.port, &v.type_reseau, &v.grandeur, &v.nb_voies, &v.num_fenetre};
    qsizetype i = 0;
    const qsizetype fin = ligne.size();
    for (int lus = 0; lus < NB_NOMBRES_VOIE; ++lus) {
        while (i < fin && (ligne[i] == ' ' || ligne[i] == '\t'))
            ++i;
        const qsizetype debut = i;
        while (i < fin && ligne[i] != ' ' && ligne[i] != '\t')
            ++i;
        if (!lire_entier(ligne.mid(debut, i - debut), *champs[lus]))
            return lus;
    }
    // Cut first, then trimmed: blanks that end up last after the cut do not
    // stay in the label.
    v.libelle = QString::fromLatin1(ligne.mid(i).trimmed().left(LARGEUR_LIBELLE).trimmed());
    return NB_NOMBRES_VOIE;
}

bool ecrire_configuration(QIODevice& f, const Configuration& c, const Avance& avance)
{
    QByteArray tete;
    for (const VoieFichier& v : c.voies)
        tete += ligne_voie(v) + '\n';
    tete += QByteArray::number(c.heure_rel, 'f', 6) + '\n';
    tete += QByteArray::number(c.temps_relatif) + '\n';
    tete += QByteArray::number(c.nb_points) + '\n';
    if (f.write(tete) != tete.size())
        return false;
    const int n = std::min<int>(c.nb_points, int(c.x.size()));
    QByteArray bloc;
    bloc.reserve(4096 + 16);
    for (int i = 0; i < n; ++i) {
        char t[16];
        char* fin = std::to_chars(t, t + sizeof t - 1, c.x[std::size_t(i)]).ptr;
        *fin++ = '\n';
        bloc.append(t, fin - t);
        if (bloc.size() >= 4096) {
            if (f.write(bloc) != bloc.size())
                return false;
            bloc.clear();
        }
        if (avance)
            avance(i, n);
    }
    return f.write(bloc) == bloc.size();
}

Lecture lire_configuration(QIODevice& f, bool avec_x, Configuration& c, const Avance& avance)
{
    Configuration lu;
    QByteArray l;
    bool long_ = false;
    for (VoieFichier& v : lu.voies)
        if (!lire_ligne(f, l, long_) || !texte_seul(l) || lire_ligne_voie(l, v) != NB_NOMBRES_VOIE)
            return Lecture::Format;

    if (!lire_ligne(f, l, long_) || !texte_seul(l))
        return Lecture::Format;
    bool ok = false;
    lu.heure_rel = l.trimmed().toDouble(&ok);
    if (!ok || !reel_fini(lu.heure_rel) || std::abs(lu.heure_rel) > HEURE_REL_MAX)
        return Lecture::Format;
    if (!ligne_entier(f, lu.temps_relatif, long_))
        return Lecture::Format;
    if (!lire_ligne(f, l, long_) || !texte_seul(l))
        return Lecture::Format;
    // A count too large for an int is over the capacity as well.
    const qlonglong n = l.trimmed().toLongLong(&ok);
    if (!ok)
        return Lecture::Capacite;
    if (n < 0 || n > NB_RELEVES_MAX)
        return Lecture::Capacite;
    lu.nb_points = int(n);

    // The second channel line's copies of the shared fields are the ones used.
    const int nb_voies = lu.voies[1].nb_voies;
    if (nb_voies < 0 || nb_voies > 2)
        return Lecture::Format;
    for (const VoieFichier& v : lu.voies)
        if (!port_valide(v.port))
            return Lecture::Format;
    for (int k = 0; k < 2; ++k) {
        const VoieFichier& v = lu.voies[std::size_t(k)];
        if (k < nb_voies && (v.grandeur < 1 || v.grandeur > NB_GRANDEURS))
            return Lecture::Format;
        if (v.num_fenetre < -1 || v.num_fenetre >= NB_FENETRES)
            return Lecture::Format;
    }

    if (avec_x) {
        lu.x.resize(std::size_t(lu.nb_points));
        for (int i = 0; i < lu.nb_points; ++i) {
            if (!ligne_entier(f, lu.x[std::size_t(i)], long_))
                return Lecture::Format;
            if (avance)
                avance(i, lu.nb_points);
        }
    }
    c = std::move(lu);
    return Lecture::Bonne;
}

QByteArray libelle_du_canal(const QString& libelle)
{
    QByteArray u = libelle.toUtf8();
    if (u.size() > LARGEUR_LIBELLE) {
        qsizetype n = LARGEUR_LIBELLE;
        while (n > 0 && (static_cast<unsigned char>(u[n]) & 0xC0) == 0x80)
            --n;
        u.truncate(n);
    }
    return u.trimmed();
}

// ---- data file -----------------------------------------------------------------------

namespace {

// n lines, line j appended by ajouter(bloc, j), written in blocks of 8 KB.
template <class Ajout>
bool ecrire_lignes(QIODevice& f, int n, Ajout ajouter, const Avance& avance)
{
    QByteArray bloc;
    bloc.reserve(8192 + LONG_LIGNE_MAX);
    for (int j = 0; j < n; ++j) {
        ajouter(bloc, j);
        bloc += '\n';
        if (bloc.size() >= 8192) {
            if (f.write(bloc) != bloc.size())
                return false;
            bloc.clear();
        }
        if (avance)
            avance(j, n);
    }
    return f.write(bloc) == bloc.size();
}

} // namespace

bool ecrire_donnees(QIODevice& f, int n, const std::function<QString(int)>& ligne, const Avance& avance)
{
    return ecrire_lignes(f, n, [&ligne](QByteArray& bloc, int j) { bloc += ligne(j).toLatin1(); }, avance);
}

bool ecrire_releves(QIODevice& f, int n, const Avance& avance)
{
    return ecrire_lignes(f, n, ajouter_ligne_releve, avance);
}

bool lire_reel(const QString& ligne, int debut, double& v)
{
    if (debut < 0)
        return false;
    qsizetype i = debut;
    const qsizetype fin = ligne.size();
    while (i < fin && (ligne.at(i) == u' ' || ligne.at(i) == u'\t'))
        ++i;
    // The longest number a column can hold, and some room.
    char tampon[40];
    int n = 0;
    while (i < fin && n < int(sizeof tampon) - 1) {
        const QChar c = ligne.at(i);
        if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E'))
            break;
        tampon[n++] = char(c.unicode());
        ++i;
    }
    const char* p = tampon;
    const char* const e = tampon + n;
    // from_chars takes a minus sign but no plus sign.
    if (p != e && *p == '+' && p + 1 != e && p[1] != '-')
        ++p;
    double x = 0.0;
    const auto r = std::from_chars(p, e, x, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr == p || !reel_fini(x))
        return false;
    v = x;
    return true;
}

Lecture lire_donnees(QIODevice& f, int n, int nb_valeurs, Releves& r, const Avance& avance)
{
    Releves lu;
    nb_valeurs = std::clamp(nb_valeurs, 0, 2);
    n = std::clamp(n, 0, NB_RELEVES_MAX);
    lu.lignes.reserve(n);
    for (int k = 0; k < nb_valeurs; ++k)
        lu.valeurs[std::size_t(k)].reserve(std::size_t(n));
    char l[TAMPON_LIGNE];
    qsizetype taille = 0;
    bool trop_longue = false;
    constexpr double absent = std::numeric_limits<double>::quiet_NaN();
    for (int j = 0; j < n; ++j) {
        if (!lire_ligne(f, l, taille, trop_longue)) {
            if (trop_longue)
                return Lecture::Format;
            break;
        }
        if (!texte_seul(l, taille))
            return Lecture::Format;
        const QString ligne = QString::fromLatin1(l, taille);
        for (int k = 0; k < nb_valeurs; ++k) {
            double v = absent;
            lire_reel(ligne, colonne_lecture(k + 1), v);
            lu.valeurs[std::size_t(k)].push_back(v);
        }
        lu.lignes.append(ligne);
        if (avance)
            avance(j, n);
    }
    r = std::move(lu);
    return Lecture::Bonne;
}

// ---- saving -------------------------------------------------------------------------------

bool enregistrer_paire(const QString& donnees, const QString& configuration,
                       const std::function<bool(QIODevice&, int)>& ecrire)
{
    if (lecture_seule(donnees) || lecture_seule(configuration))
        return false;
    EcritureFichier fichiers[2] = {EcritureFichier(donnees), EcritureFichier(configuration)};
    for (int i = 0; i < 2; ++i)
        if (!fichiers[i].ouvrir(QIODevice::Text) || !ecrire(fichiers[i].flux(), i) || !fichiers[i].terminer())
            return false;
    // Both are complete and on the disk: now the old ones go.
    return fichiers[0].remplacer() && fichiers[1].remplacer();
}

int periode_des_releves(const QStringList& lignes)
{
    const auto secondes = [](int p) { return p == 0 ? 0.5 : double(p); };

    // Steps between successive timed lines; a clock going past midnight
    // wraps. Times are whole seconds, so half-second steps read 0 or 1.
    std::vector<int> pas;
    int precedente = -1;
    for (const QString& l : lignes) {
        const int t = secondes_de_ligne(l);
        if (t < 0)
            continue;
        if (precedente >= 0)
            pas.push_back(((t - precedente) % 86400 + 86400) % 86400);
        precedente = t;
    }
    if (pas.empty())
        return PERIODE_DE_REGLAGE;
    double total = 0.0;
    for (int d : pas)
        total += d;
    const double moyenne = total / double(pas.size());

    // Nearest offered period, by ratio.
    int periode = periodes_offertes().front().periode;
    double ecart = 1e300;
    for (const PeriodeOfferte& o : periodes_offertes()) {
        const int p = o.periode;
        const double e = std::abs(std::log(std::max(moyenne, 0.25) / secondes(p)));
        if (e < ecart) {
            ecart = e;
            periode = p;
        }
    }
    // A step off by more than the second of the stamps' resolution (and a
    // tenth of the period) is irregular; a few are lost or late readings,
    // many are readings on request.
    const double attendu = secondes(periode);
    const double tolerance = 1.0 + attendu / 10.0;
    std::size_t irreguliers = 0;
    for (int d : pas)
        if (std::abs(d - attendu) > tolerance)
            ++irreguliers;
    if (irreguliers * 10 > pas.size() || ecart > std::log(1.5))
        return -1;
    return periode;
}

Configuration configuration_courante()
{
    Configuration c;
    for (int k = 1; k <= 2; ++k) {
        VoieFichier& v = c.voies[std::size_t(k - 1)];
        v.port = Mesure.port;
        v.type_reseau = Mesure.type_reseau;
        v.grandeur = Donnee[k].grandeur;
        v.nb_voies = Mesure.nb_voies;
        v.num_fenetre = Donnee[k].num_fenetre;
        v.libelle = QString::fromUtf8(Donnee[k].libelle);
    }
    c.heure_rel = Acq.heure_rel;
    c.temps_relatif = Acq.temps_relatif;
    c.nb_points = std::clamp(Acq.nb_points, 0, NB_RELEVES_MAX);
    c.x.assign(ptx, ptx + c.nb_points);
    return c;
}
