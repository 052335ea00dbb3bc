#include "graph/vue_statistiques.h"

#include "acquisition/ligne.h"
#include "graph/axe_temps.h"
#include "graph/curseurs.h"
#include "graph/format_mesure.h"
#include "graph/legende.h"
#include "graph/panneaux.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "socle/ecran/dialogue.h"
#include "socle/ecran/fenetre_graphe.h"
#include "socle/globals.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// The longest value a line shows: "%7.1f", a blank, a unit prefix letter
// and a four-letter unit ("  -49.9 mvarh").
constexpr int CARACTERES_VALEUR = 13;

// The block of each window: its frame and lines, 0 for none.
struct Bloc {
    int cadre = 0;
    std::array<int, 7> lignes{};
};
std::array<Bloc, NB_FENETRES> blocs;

int code_voie(int k)
{
    return k >= 1 && k < NB_VOIES_TABLE ? Donnee[k].grandeur : 0;
}

QString abrege(int ligne)
{
    return qtxt(tx::stat_abreges, ligne);
}

int ligne_integrale(int code)
{
    return code == CODE_COURANT || code == CODE_COURANT_MOY ? tx::STAT_CHARGE : tx::STAT_ENERGIE;
}

QString mesure(int code, const QString& prefixe, double x)
{
    if (std::isnan(x))
        return prefixe + QStringLiteral("   ----");
    return Format_Mesure(code, prefixe.toUtf8().constData(), x, 0);
}

QString integrale(int code, const QString& prefixe, double x)
{
    return Format_Mesure_unite(code, prefixe.toUtf8().constData(), x, stats::unite_integrale(code));
}

QString unite_mesure(int code)
{
    return code >= 0 && code <= 12 ? QString::fromUtf8(tx::unite_typ[code]).trimmed() : QString();
}

// A reading's time as its line shows it: the date in the line's order and
// the clock time, or the time elapsed.
CelluleStat instant(int i)
{
    CelluleStat c;
    c.nombre = NaN;
    const Releve r = releve(i);
    if (i < 0 || r.secondes < 0) {
        c.texte = QStringLiteral("----");
        return c;
    }
    if (r.relatif) {
        c.texte = Format_Seconde("", r.secondes);
        c.nombre = r.secondes;
        c.unite = QStringLiteral("s");
        return c;
    }
    const QTime h(r.secondes / 3600 % 24, r.secondes / 60 % 60, r.secondes % 60);
    const QString heure = h.toString(QStringLiteral("hh:mm:ss"));
    if (r.date.isValid()) {
        c.texte = r.date.toString(r.mois_premier ? QStringLiteral("MM-dd-yyyy") : QStringLiteral("dd-MM-yyyy")) +
                  QLatin1Char(' ') + heure;
        c.brut = r.date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + heure;
    } else {
        c.texte = c.brut = heure;
    }
    return c;
}

CelluleStat nombre(double x, const QString& texte, const QString& unite)
{
    return {texte, x, QString(), std::isnan(x) ? QString() : unite};
}

QString chiffre(double x)
{
    return QString::number(x, 'g', 12);
}

} // namespace

stats::Statistiques statistiques_voie(int k)
{
    const int periode = periode_axe();
    const int w = k >= 1 && k < NB_VOIES_TABLE ? Donnee[k].num_fenetre : -1;
    if (fenetre_graphe(w) && nb_curseurs(Info[w].panel) > 1) {
        double x2 = 0.0, y2 = 0.0, x3 = 0.0, y3 = 0.0;
        position_curseur(Info[w].panel, 2, x2, y2);
        position_curseur(Info[w].panel, 3, x3, y3);
        int premier = -1, dernier = -1;
        if (!stats::releves_entre(x2, x3, premier, dernier))
            return stats::statistiques(k, -1, -1, periode);
        return stats::statistiques(k, premier, dernier, periode);
    }
    return stats::statistiques_tout(k, periode);
}

TableauStat tableau_statistiques(int seule)
{
    TableauStat t;
    std::vector<int> voies;
    for (int k = 1; k <= std::min(Mesure.nb_voies, 2); ++k)
        if (seule == 0 || seule == k)
            voies.push_back(k);
    std::vector<stats::Statistiques> s;
    for (int k : voies) {
        t.voies << QString::fromUtf8(Donnee[k].libelle).trimmed();
        s.push_back(statistiques_voie(k));
    }
    auto ajouter = [&](int ligne, auto cellule) {
        LigneStat l;
        l.ligne = ligne;
        l.libelle = qtxt(tx::stat_lignes, ligne);
        for (std::size_t j = 0; j < voies.size(); ++j)
            l.voies.push_back(cellule(code_voie(voies[j]), s[j]));
        t.lignes.push_back(l);
    };
    ajouter(tx::STAT_DEBUT, [](int, const stats::Statistiques& x) { return instant(x.premier); });
    ajouter(tx::STAT_FIN, [](int, const stats::Statistiques& x) { return instant(x.dernier); });
    ajouter(tx::STAT_DUREE, [](int, const stats::Statistiques& x) {
        const double d = x.vide() || !(x.duree() >= 0.0) ? NaN : x.duree();
        return nombre(d, std::isnan(d) ? QStringLiteral("----") : Format_Seconde("", d), QStringLiteral("s"));
    });
    ajouter(tx::STAT_NOMBRE, [](int, const stats::Statistiques& x) {
        return nombre(x.nb_releves, QString::number(x.nb_releves), {});
    });
    ajouter(tx::STAT_INDEFINIS, [](int, const stats::Statistiques& x) {
        return nombre(x.nb_indefinis, QString::number(x.nb_indefinis), {});
    });
    ajouter(tx::STAT_MOYENNE, [](int c, const stats::Statistiques& x) {
        return nombre(x.moyenne, mesure(c, {}, x.moyenne).trimmed(), unite_mesure(c));
    });
    ajouter(tx::STAT_MINI, [](int c, const stats::Statistiques& x) {
        return nombre(x.mini, mesure(c, {}, x.mini).trimmed(), unite_mesure(c));
    });
    ajouter(tx::STAT_MAXI, [](int c, const stats::Statistiques& x) {
        return nombre(x.maxi, mesure(c, {}, x.maxi).trimmed(), unite_mesure(c));
    });
    for (int ligne : {int(tx::STAT_ENERGIE), int(tx::STAT_CHARGE)}) {
        if (std::none_of(voies.begin(), voies.end(), [ligne](int k) {
                return stats::integrable(code_voie(k)) && ligne_integrale(code_voie(k)) == ligne;
            }))
            continue;
        ajouter(ligne, [ligne](int c, const stats::Statistiques& x) {
            if (!stats::integrable(c) || ligne_integrale(c) != ligne || x.vide())
                return CelluleStat{{}, NaN, {}, {}};
            return nombre(x.integrale, integrale(c, {}, x.integrale).trimmed(),
                          QString::fromLatin1(stats::unite_integrale(c)));
        });
    }
    return t;
}

QString texte_copie(const TableauStat& t)
{
    QString o;
    for (const QString& v : t.voies)
        o += QLatin1Char('\t') + v + QLatin1Char('\t');
    o += QLatin1Char('\n');
    for (const LigneStat& l : t.lignes) {
        o += l.libelle;
        for (const CelluleStat& c : l.voies)
            o += QLatin1Char('\t') + (std::isnan(c.nombre) ? c.brut : chiffre(c.nombre)) + QLatin1Char('\t') +
                 c.unite;
        o += QLatin1Char('\n');
    }
    return o;
}

QString texte_imprime(const TableauStat& t)
{
    QString o = qtxt(tx::statistiques);
    if (!t.voies.isEmpty())
        o += QStringLiteral(" (") + t.voies.join(QStringLiteral(", ")) + QLatin1Char(')');
    o += QLatin1Char('\n');
    int largeur = 0;
    for (const LigneStat& l : t.lignes)
        largeur = std::max(largeur, int(l.libelle.size()));
    for (const LigneStat& l : t.lignes) {
        o += l.libelle.leftJustified(largeur + 2);
        for (const CelluleStat& c : l.voies)
            o += c.texte.leftJustified(24);
        while (o.endsWith(QLatin1Char(' ')))
            o.chop(1);
        o += QLatin1Char('\n');
    }
    return o;
}

QStringList lignes_bloc(int k, const stats::Statistiques& s)
{
    const int code = code_voie(k);
    auto prefixe = [](int ligne) { return abrege(ligne) + QStringLiteral(" = "); };
    QStringList l{qtxt(tx::statistiques),
                  prefixe(tx::STAT_NOMBRE) + QString::number(s.nb_releves),
                  prefixe(tx::STAT_INDEFINIS) + QString::number(s.nb_indefinis),
                  mesure(code, prefixe(tx::STAT_MOYENNE), s.moyenne),
                  mesure(code, prefixe(tx::STAT_MINI), s.mini),
                  mesure(code, prefixe(tx::STAT_MAXI), s.maxi)};
    if (stats::integrable(code))
        l << integrale(code, prefixe(ligne_integrale(code)), s.vide() ? 0.0 : s.integrale);
    return l;
}

int caracteres_bloc_statistiques()
{
    int n = 0;
    for (int l = 0; l < tx::NB_LANGUES; ++l) {
        n = std::max(n, int(QString::fromUtf8(tx::statistiques[l]).size()));
        for (int ligne = tx::STAT_NOMBRE; ligne < tx::NB_LIGNES_STAT; ++ligne)
            n = std::max(n, int(QString::fromUtf8(tx::stat_abreges[5 * ligne + l]).size()) + 3 +
                                CARACTERES_VALEUR);
    }
    return n;
}

void creer_bloc_statistiques(int w)
{
    if (w < 1 || w >= NB_FENETRES || !fenetre_graphe(w))
        return;
    retirer_bloc_statistiques(w);
    const int p = pas_lecture(), largeur = largeur_legende() - 6;
    // Under the two delta frames of three lines each, below cursor 1's of two.
    const int haut = 3 + (2 * p + 3) + 1 + 2 * (3 * p + 3 + 1);
    Bloc& b = blocs[std::size_t(w)];
    const int k = w < NB_VOIES_TABLE ? w : 0;
    const int n = stats::integrable(code_voie(k)) ? 7 : 6;
    b.cadre = creer_cadre(Info[w].panel, haut, 3, n * p + 3, largeur);
    for (int i = 0; i < n; ++i)
        b.lignes[std::size_t(i)] = creer_texte(Info[w].panel, haut + 1 + i * p, 5);
}

void ecrire_bloc_statistiques(int w)
{
    if (w < 1 || w >= NB_FENETRES || w >= NB_VOIES_TABLE || blocs[std::size_t(w)].cadre == 0)
        return;
    const QStringList l = lignes_bloc(w, statistiques_voie(w));
    const Bloc& b = blocs[std::size_t(w)];
    for (int i = 0; i < int(b.lignes.size()); ++i)
        ecrire_texte(b.lignes[std::size_t(i)], i < l.size() ? l[i] : QString());
}

void retirer_bloc_statistiques(int w)
{
    if (w < 0 || w >= NB_FENETRES)
        return;
    Bloc& b = blocs[std::size_t(w)];
    detruire_controle(b.cadre);
    b.cadre = 0;
    for (int& h : b.lignes) {
        detruire_controle(h);
        h = 0;
    }
}

void Traduc_statistiques()
{
    const int p = Fen_princ[PNL_STATISTIQUES];
    if (!tk::panel_valide(p))
        return;
    tk::SetPanelTitle(p, qtxt(tx::statistiques));
    PnlStatistiques& d = liaison<PnlStatistiques>(p);
    d.copier->setText(mnemonique(txt(tx::copier)));
    d.quitter->setText(mnemonique(txt(tx::fermer)));
}

void ouvrir_statistiques()
{
    if (Acq.nb_points <= 0 || Mesure.nb_voies <= 0)
        return;
    const int p = charger_dialogue(PNL_STATISTIQUES, Traduc_statistiques);
    if (p < 1)
        return;
    PnlStatistiques& d = liaison<PnlStatistiques>(p);
    const TableauStat t = tableau_statistiques();
    QTableWidget* g = d.tableau;
    g->setColumnCount(int(t.voies.size()));
    g->setRowCount(int(t.lignes.size()));
    g->setHorizontalHeaderLabels(t.voies);
    for (int r = 0; r < int(t.lignes.size()); ++r) {
        const LigneStat& l = t.lignes[std::size_t(r)];
        g->setVerticalHeaderItem(r, new QTableWidgetItem(l.libelle));
        for (int c = 0; c < int(l.voies.size()); ++c) {
            auto* e = new QTableWidgetItem(l.voies[std::size_t(c)].texte);
            e->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            g->setItem(r, c, e);
        }
    }
    g->resizeColumnsToContents();
    g->resizeRowsToContents();
    for (int c = 0; c < g->columnCount(); ++c)
        g->setColumnWidth(c, g->columnWidth(c) + 16);
    // The whole table in view, without scrolling.
    const int largeur = g->verticalHeader()->sizeHint().width() + g->horizontalHeader()->length() +
                        2 * g->frameWidth() + 2;
    const int hauteur = g->horizontalHeader()->sizeHint().height() + g->verticalHeader()->length() +
                        2 * g->frameWidth() + 2;
    g->setFixedSize(largeur, hauteur);
    relier_bouton(p, d.copier, Statistiques, STATISTIQUES_COPIER);
    relier_bouton(p, d.quitter, Statistiques, STATISTIQUES_FERMER);
    montrer_dialogue(p);
}

int Statistiques(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_panel(panel, PNL_STATISTIQUES))
        return 0;
    if (control == STATISTIQUES_COPIER) {
        if (PressePapiers* pp = plateforme().presse_papiers.get())
            pp->texte(texte_copie(tableau_statistiques()));
    } else if (control == STATISTIQUES_FERMER) {
        fermer_dialogue(panel);
    }
    return 0;
}
