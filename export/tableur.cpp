#include "export/tableur.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr int NB_COLONNES = 5;       // A to E
constexpr int LARGEUR_PIECE = 15;    // a channel's piece of the label
constexpr int LONG_COMPRES = 300;    // characters compres examines at most
constexpr int LONG_NOM_FEUILLE = 31; // longest sheet name a workbook takes

struct Source {
    int debut;
    int largeur;
};
constexpr Source SOURCE_DATE{6, 10};
constexpr Source SOURCE_HEURE{16, 10};
constexpr Source SOURCE_VOIE1{25, 12};
// Channel 2's value starts at index 42 (files/ligne.h): from 44 a value of
// 1000 or more would lose its first digits and one from -100 to -999 its sign.
constexpr Source SOURCE_VOIE2{42, 12};
constexpr int ENTETE_VOIE1 = 25;
constexpr int ENTETE_VOIE2 = 42;

constexpr double SECONDES_JOUR = 86400.0;
// Spreadsheet dates count days from 30 December 1899.
const qint64 JOUR_ZERO = QDate(1899, 12, 30).toJulianDay();

// A list date, "NN-NN-YYYY": its two leading numbers in the order written.
struct DateLue {
    int premier = 0;
    int second = 0;
    int annee = 0;
};

int chiffres(QStringView t, qsizetype debut, qsizetype n)
{
    int v = 0;
    for (qsizetype i = debut; i < debut + n; ++i) {
        const char16_t c = t[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool lire_date(QStringView t, DateLue& d)
{
    if (t.size() != 10 || t[2] != u'-' || t[5] != u'-')
        return false;
    d.premier = chiffres(t, 0, 2);
    d.second = chiffres(t, 3, 2);
    d.annee = chiffres(t, 6, 4);
    return d.premier >= 0 && d.second >= 0 && d.annee >= 0;
}

// A list time, "h:mm:ss" with one to three hour digits: seconds, or -1.
int lire_heure(QStringView t)
{
    const qsizetype h = t.size() - 6;
    if (h < 1 || h > 3 || t[h] != u':' || t[h + 3] != u':')
        return -1;
    const int heures = chiffres(t, 0, h), minutes = chiffres(t, h + 1, 2), secondes = chiffres(t, h + 4, 2);
    if (heures < 0 || minutes < 0 || minutes > 59 || secondes < 0 || secondes > 59)
        return -1;
    return heures * 3600 + minutes * 60 + secondes;
}

// A plain decimal as the list writes its values ("-250.125"): an optional
// sign, at most 15 digits and a point. Its digits as a whole number divided
// by a power of ten, both exact, give the nearest double as a full
// conversion would, without the locale machinery run 60000 times an export.
// False for anything else, left to the full conversion.
bool lire_decimal(QStringView t, double& v)
{
    qsizetype i = 0;
    const bool negatif = !t.isEmpty() && t[0] == u'-';
    if (negatif)
        ++i;
    qint64 m = 0;
    int chiffres_lus = 0, decimales = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            if (++chiffres_lus > 15)
                return false;
            m = m * 10 + (c - u'0');
            decimales += point ? 1 : 0;
        } else {
            return false;
        }
    }
    if (chiffres_lus == 0)
        return false;
    static constexpr double puissances[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    v = double(m) / puissances[decimales];
    if (negatif)
        v = -v;
    return true;
}

// Digits of a positive whole number.
int nb_chiffres(int n)
{
    int c = 1;
    while (n >= 10) {
        n /= 10;
        ++c;
    }
    return c;
}

// A reading's date and time cells, numbers until the dates are read.
struct Horodatage {
    std::size_t cellule_date = SIZE_MAX; // SIZE_MAX: written as text
    std::size_t cellule_heure = SIZE_MAX;
    DateLue date;
    int secondes = 0;
};

// Day first when some date of the list can only be read so, month first
// when some date can only be read that way, else as the language shows them.
bool jour_premier(const std::vector<Horodatage>& h, bool mois_premier)
{
    for (const Horodatage& x : h) {
        if (x.cellule_date == SIZE_MAX)
            continue;
        if (x.date.premier > 12 && x.date.second <= 12)
            return true;
        if (x.date.second > 12 && x.date.premier <= 12)
            return false;
    }
    return !mois_premier;
}

QStringView morceau(QStringView texte, Source s)
{
    return texte.mid(s.debut, s.largeur).trimmed();
}

class Remplissage {
public:
    explicit Remplissage(Feuille& f) : f_(f) { largeurs_.fill(0); }

    void texte(int ligne, int colonne, QStringView t, int style = 0)
    {
        if (t.isEmpty())
            return;
        Cellule c;
        c.ligne = ligne;
        c.colonne = colonne;
        c.texte = t.toString();
        c.style = style;
        // Bold letters take more room than the digits widths are counted in.
        const int largeur = int(t.size());
        ajouter(std::move(c), style == STYLE_ENTETE ? largeur + (largeur + 3) / 4 : largeur);
    }

    // The cell's index in the sheet.
    std::size_t nombre(int ligne, int colonne, double v, int largeur, int style = 0)
    {
        Cellule c;
        c.ligne = ligne;
        c.colonne = colonne;
        c.est_nombre = true;
        c.nombre = v;
        c.style = style;
        ajouter(std::move(c), largeur);
        return f_.cellules.size() - 1;
    }

    // A value as the list shows it: a number when it reads as one.
    void valeur(int ligne, int colonne, QStringView t)
    {
        double v = 0.0;
        bool ok = lire_decimal(t, v);
        if (!ok)
            v = t.toDouble(&ok);
        if (ok && std::isfinite(v))
            nombre(ligne, colonne, v, int(t.size()), STYLE_VALEUR);
        else
            texte(ligne, colonne, t);
    }

    void finir()
    {
        for (int l : largeurs_)
            f_.largeurs.push_back(l + 2.0);
    }

private:
    void ajouter(Cellule&& c, int largeur)
    {
        largeurs_[std::size_t(c.colonne)] = std::max(largeurs_[std::size_t(c.colonne)], largeur);
        f_.cellules.push_back(std::move(c));
    }

    Feuille& f_;
    std::array<int, NB_COLONNES> largeurs_;
};

// A sheet name from free text: without the characters sheet names refuse,
// cut to their length.
QString nom_de_feuille(const QString& texte)
{
    QString n;
    for (QChar c : texte)
        if (!QStringView(u"[]:*?/\\").contains(c))
            n += c;
    n = n.simplified().left(LONG_NOM_FEUILLE);
    while (n.startsWith('\'') || n.endsWith('\''))
        n = n.startsWith('\'') ? n.mid(1) : n.chopped(1);
    return n;
}

// Dates as the list shows them in the language in force.
QString format_date(bool mois_premier)
{
    return mois_premier ? QStringLiteral("mm-dd-yyyy") : QStringLiteral("dd-mm-yyyy");
}

// The dates and times read in the order they were written; a date that is
// not one stays text, and its time is then the time of day alone.
void dater(Feuille& f, const std::vector<Horodatage>& h, const TextesFeuille& textes)
{
    const bool jour_d_abord = jour_premier(h, textes.mois_premier);
    qint64 date_avant = -1;
    int premier_avant = -1, second_avant = -1, annee_avant = -1;
    for (const Horodatage& x : h) {
        qint64 jour = -1;
        if (x.cellule_date != SIZE_MAX) {
            const DateLue& d = x.date;
            // Consecutive readings mostly share their date.
            if (d.premier == premier_avant && d.second == second_avant && d.annee == annee_avant) {
                jour = date_avant;
            } else {
                const QDate q = jour_d_abord ? QDate(d.annee, d.second, d.premier) : QDate(d.annee, d.premier, d.second);
                jour = q.isValid() ? q.toJulianDay() - JOUR_ZERO : -1;
                premier_avant = d.premier;
                second_avant = d.second;
                annee_avant = d.annee;
                date_avant = jour;
            }
            Cellule& c = f.cellules[x.cellule_date];
            if (jour >= 0) {
                c.nombre = double(jour);
            } else {
                c.est_nombre = false;
                c.style = 0;
                c.texte = QString::asprintf("%02d-%02d-%04d", d.premier, d.second, d.annee);
            }
        }
        if (x.cellule_heure != SIZE_MAX) {
            const double fraction = x.secondes / SECONDES_JOUR;
            f.cellules[x.cellule_heure].nombre = !textes.relatif && jour >= 0 ? double(jour) + fraction : fraction;
        }
    }
}

void ajouter_graphique(Classeur& c, const std::vector<QString>& noms, int n, const TextesFeuille& textes)
{
    Graphique g;
    g.titre_x = textes.heure;
    g.feuille = 0;
    // Times of one day show the time; over several days the date too.
    double debut = qInf(), fin = -qInf();
    for (const Cellule& x : c.feuilles[0].cellules)
        if (x.colonne == 2 && x.est_nombre) {
            debut = std::min(debut, x.nombre);
            fin = std::max(fin, x.nombre);
        }
    if (textes.relatif)
        g.format_x = QStringLiteral("[h]:mm:ss");
    else if (debut <= fin && std::floor(debut) != std::floor(fin))
        g.format_x = format_date(textes.mois_premier) + QStringLiteral(" hh:mm");
    else
        g.format_x = QStringLiteral("hh:mm:ss");
    g.titre_y = textes.titre_y[0].isEmpty() ? noms[0] : textes.titre_y[0];
    if (noms.size() > 1)
        g.titre_y2 = textes.titre_y[1].isEmpty() ? noms[1] : textes.titre_y[1];
    for (std::size_t v = 0; v < noms.size(); ++v) {
        SerieGraphique s;
        s.nom = noms[v];
        s.colonne_x = 2;
        s.colonne_y = 3 + int(v);
        s.premiere_ligne = 1;
        s.derniere_ligne = n;
        s.axe_secondaire = v == 1;
        g.series.push_back(s);
        if (!s.nom.isEmpty())
            g.titre += (g.titre.isEmpty() ? QString() : QStringLiteral("   ")) + s.nom;
    }
    g.nom = nom_de_feuille(g.titre);
    c.graphiques.push_back(std::move(g));
}

} // namespace

QString piece_etiquette(const QString& etiquette, int voie)
{
    const int i = etiquette.indexOf(QStringLiteral(" CH%1:").arg(voie));
    if (i >= 0)
        return etiquette.mid(i, LARGEUR_PIECE).trimmed();
    return etiquette.mid(voie == 1 ? ENTETE_VOIE1 : ENTETE_VOIE2, LARGEUR_PIECE).trimmed();
}

Classeur classeur_releves(const QString& etiquette, int n, int nb_voies,
                          const std::function<QString(int)>& ligne, const TextesFeuille& textes,
                          const std::function<void(int)>& avance)
{
    Classeur c;
    c.styles.push_back({true, {}});          // STYLE_ENTETE
    c.styles.push_back({false, "0.000"});    // STYLE_VALEUR
    c.styles.push_back({false, format_date(textes.mois_premier)}); // STYLE_DATE
    c.styles.push_back({false, textes.relatif ? QStringLiteral("[h]:mm:ss") : QStringLiteral("hh:mm:ss")}); // STYLE_HEURE
    c.feuilles.emplace_back();
    Feuille& f = c.feuilles.back();
    f.nom = nom_de_feuille(textes.nom_feuille);
    f.lignes_figees = 1;
    n = std::max(0, n);
    f.cellules.reserve(std::size_t(NB_COLONNES) * std::size_t(n + 1));

    Remplissage r(f);
    const std::vector<QString> pieces{piece_etiquette(etiquette, 1), piece_etiquette(etiquette, 2)};
    r.texte(0, 0, u"N°", STYLE_ENTETE);
    r.texte(0, 1, textes.date, STYLE_ENTETE);
    r.texte(0, 2, textes.heure, STYLE_ENTETE);
    r.texte(0, 3, pieces[0], STYLE_ENTETE);
    r.texte(0, 4, pieces[1], STYLE_ENTETE);

    const bool deux_voies = nb_voies > 1;
    std::vector<Horodatage> horodatages(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        if (avance)
            avance(k);
        const QString l = ligne(k);
        const int rang = k + 1;
        Horodatage& h = horodatages[std::size_t(k)];
        r.nombre(rang, 0, k + 1, nb_chiffres(k + 1));
        const QStringView date = morceau(l, SOURCE_DATE);
        if (lire_date(date, h.date))
            h.cellule_date = r.nombre(rang, 1, 0.0, int(date.size()), STYLE_DATE);
        else
            r.texte(rang, 1, date);
        const QStringView heure = morceau(l, SOURCE_HEURE);
        h.secondes = lire_heure(heure);
        if (h.secondes >= 0)
            h.cellule_heure = r.nombre(rang, 2, 0.0, int(heure.size()), STYLE_HEURE);
        else
            r.texte(rang, 2, heure);
        r.valeur(rang, 3, morceau(l, SOURCE_VOIE1));
        if (deux_voies)
            r.valeur(rang, 4, morceau(l, SOURCE_VOIE2));
    }
    dater(f, horodatages, textes);
    r.finir();

    if (n > 0)
        ajouter_graphique(c, deux_voies ? pieces : std::vector<QString>{pieces[0]}, n, textes);
    return c;
}

int pourcentage(int k, int n)
{
    return n > 0 ? (100 * k + 100) / n : 0;
}

QString compres(QStringView texte)
{
    const auto blanc = [](QChar c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    const auto garde = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
               QStringView(u"=-.:/+*\\").contains(c);
    };
    QString propre;
    const qsizetype fin = std::min<qsizetype>(texte.size(), LONG_COMPRES);
    for (qsizetype i = 0; i < fin; ++i) {
        const QChar c = texte[i];
        if (blanc(c)) {
            propre += c;
            if (i + 1 < texte.size() && blanc(texte[i + 1]))
                break;
        } else if (garde(c)) {
            propre += c;
        }
    }
    return propre;
}

QString nom_propose(const QString& base, int numero)
{
    return base + QStringLiteral("%1").arg(numero, numero < 100 ? 2 : 3, 10, QLatin1Char('0'));
}

QString completer_nom(const QString& chemin)
{
    if (chemin.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        return chemin;
    // The old format's extension would name a file that is not in it.
    if (chemin.endsWith(QStringLiteral(".xls"), Qt::CaseInsensitive))
        return chemin.chopped(4) + QStringLiteral(".xlsx");
    return chemin + QStringLiteral(".xlsx");
}
