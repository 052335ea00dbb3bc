#include "export/tableur.h"

#include <algorithm>
#include <array>
#include <cmath>

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

    void nombre(int ligne, int colonne, double v, int largeur, int style = 0)
    {
        Cellule c;
        c.ligne = ligne;
        c.colonne = colonne;
        c.est_nombre = true;
        c.nombre = v;
        c.style = style;
        ajouter(std::move(c), largeur);
    }

    // A value as the list shows it: a number when it reads as one.
    void valeur(int ligne, int colonne, QStringView t)
    {
        bool ok = false;
        const double v = t.toDouble(&ok);
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

void ajouter_graphique(Classeur& c, const std::vector<QString>& noms, int n)
{
    Graphique g;
    g.titre_x = QStringLiteral("N°");
    g.feuille = 0;
    for (std::size_t v = 0; v < noms.size(); ++v) {
        SerieGraphique s;
        s.nom = noms[v];
        s.colonne_x = 0;
        s.colonne_y = 3 + int(v);
        s.premiere_ligne = 1;
        s.derniere_ligne = n;
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
        const QString l = ligne(k);
        const int rang = k + 1;
        r.nombre(rang, 0, k + 1, int(QString::number(k + 1).size()));
        r.texte(rang, 1, morceau(l, SOURCE_DATE));
        r.texte(rang, 2, morceau(l, SOURCE_HEURE));
        r.valeur(rang, 3, morceau(l, SOURCE_VOIE1));
        if (deux_voies)
            r.valeur(rang, 4, morceau(l, SOURCE_VOIE2));
    }
    r.finir();

    if (n > 0)
        ajouter_graphique(c, deux_voies ? pieces : std::vector<QString>{pieces[0]}, n);
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
    return chemin + QStringLiteral(".xlsx");
}
