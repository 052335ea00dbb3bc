#include "export/tableur.h"

#include <QDate>

#include <charconv>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr int NB_COLONNES = 5;       // A to E
constexpr int LARGEUR_PIECE = 15;    // a channel's piece of the label
constexpr int LONG_COMPRES = 300;    // characters compres examines at most
constexpr int LONG_NOM_FEUILLE = 31; // longest sheet name a workbook takes

// The label's pieces naming the channels start where their value columns do.
constexpr int ENTETE_VOIE1 = LONG_TETE_LIGNE - 1;
constexpr int ENTETE_VOIE2 = POS_VALEUR_VOIE2;

constexpr double SECONDES_JOUR = 86400.0;
// Spreadsheet dates count days from 30 December 1899.
const qint64 JOUR_ZERO = QDate(1899, 12, 30).toJulianDay();

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

    // A value as the list shows it: the number its three decimals give.
    void valeur(int ligne, int colonne, double v)
    {
        char t[LONG_VALEUR_MAX];
        const char* const fin = valeur_affichee(t, v);
        double lu = 0.0;
        if (std::from_chars(t, fin, lu).ec != std::errc() || !std::isfinite(lu))
            return;
        nombre(ligne, colonne, lu, int(fin - t), STYLE_VALEUR);
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
                          const std::function<Releve(int)>& releve, const TextesFeuille& textes,
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
    for (int k = 0; k < n; ++k) {
        if (avance)
            avance(k);
        const Releve x = releve(k);
        const int rang = k + 1;
        r.nombre(rang, 0, k + 1, nb_chiffres(k + 1));
        double jour = -1.0;
        if (x.date.isValid()) {
            jour = double(x.date.toJulianDay() - JOUR_ZERO);
            r.nombre(rang, 1, jour, LARGEUR_DATE, STYLE_DATE);
        }
        if (x.secondes >= 0) {
            // The time as the list shows it: hh:mm:ss, more hours for a long elapsed time.
            const int largeur = x.secondes >= 100 * 3600 ? LARGEUR_HEURE + 1 : LARGEUR_HEURE;
            const double fraction = x.secondes / SECONDES_JOUR;
            r.nombre(rang, 2, !textes.relatif && jour >= 0 ? jour + fraction : fraction, largeur, STYLE_HEURE);
        }
        for (int v = 0; v < (deux_voies ? 2 : 1); ++v) {
            if (v >= x.nb_voies)
                continue;
            if (x.indefini[v])
                r.texte(rang, 3 + v, u"----");
            else
                r.valeur(rang, 3 + v, x.valeur[v]);
        }
    }
    r.finir();

    if (n > 0)
        ajouter_graphique(c, deux_voies ? pieces : std::vector<QString>{pieces[0]}, n, textes);
    return c;
}

Feuille feuille_statistiques(const QString& nom, const TableauStat& t)
{
    Feuille f;
    f.nom = nom;
    f.lignes_figees = 1;
    auto texte = [&f](int l, int c, const QString& x, int style) {
        if (!x.isEmpty())
            f.cellules.push_back({l, c, false, 0.0, x, style});
    };
    int large = 0;
    for (int j = 0; j < int(t.voies.size()); ++j)
        texte(0, 1 + 2 * j, t.voies[j], STYLE_ENTETE);
    for (int r = 0; r < int(t.lignes.size()); ++r) {
        const LigneStat& l = t.lignes[std::size_t(r)];
        texte(r + 1, 0, l.libelle, STYLE_ENTETE);
        large = std::max(large, int(l.libelle.size()));
        for (int j = 0; j < int(l.voies.size()); ++j) {
            const CelluleStat& c = l.voies[std::size_t(j)];
            if (std::isnan(c.nombre))
                texte(r + 1, 1 + 2 * j, c.brut, 0);
            else
                f.cellules.push_back({r + 1, 1 + 2 * j, true, c.nombre, {}, 0});
            texte(r + 1, 2 + 2 * j, c.unite, 0);
        }
    }
    f.largeurs.push_back(large + 2);
    for (int j = 0; j < int(t.voies.size()); ++j) {
        f.largeurs.push_back(20);
        f.largeurs.push_back(6);
    }
    return f;
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
