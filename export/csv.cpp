#include "export/csv.h"

#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/lecture_fichier.h"
#include "socle/liste_releves.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/toolkit.h"
#include "graph/axe_temps.h"
#include "files/enregistrement.h"
#include "files/format.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

namespace {

// The two digits at l[i] and l[i + 1]; -1 when they are not digits.
int deux_chiffres(const QString& l, int i)
{
    const char16_t a = l[i].unicode(), b = l[i + 1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

// Seconds of the hh:mm:ss at 17..24 of a reading line; -1 without one.
// A clock time stops at 23 h, an elapsed time may not.
int secondes_ligne(const QString& l, bool horloge)
{
    if (l.size() < 25 || l[19] != u':' || l[22] != u':')
        return -1;
    const int h = deux_chiffres(l, 17), m = deux_chiffres(l, 20), s = deux_chiffres(l, 23);
    if (h < 0 || m < 0 || m > 59 || s < 0 || s > 59 || (horloge && h > 23))
        return -1;
    return h * 3600 + m * 60 + s;
}

// The date at 6..15 of a reading line, month first or day first.
std::optional<QDate> date_ligne(const QString& l, bool mois_d_abord)
{
    if (l.size() < 16 || l[8] != u'-' || l[11] != u'-')
        return std::nullopt;
    const int a = deux_chiffres(l, 6), b = deux_chiffres(l, 9);
    const int siecle = deux_chiffres(l, 12), an = deux_chiffres(l, 14);
    if (a < 0 || b < 0 || siecle < 0 || an < 0)
        return std::nullopt;
    const QDate d(siecle * 100 + an, mois_d_abord ? a : b, mois_d_abord ? b : a);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

// Each reading's time as one number (-1: none): seconds since the first
// reading, or days and seconds of the clock as Julian day * 86400 + seconds.
std::vector<qint64> temps_releves(int n, const std::function<QString(int)>& ligne, const FormeCsv& forme)
{
    std::vector<qint64> t(std::size_t(std::max(n, 0)), -1);
    if (forme.relatif) {
        for (int j = 0; j < n; ++j)
            t[std::size_t(j)] = secondes_ligne(ligne(j), false);
        return t;
    }
    // Which order the dates are in: the one asked for, unless some line is
    // no date that way and every line is one the other way.
    const auto lire = [&](bool mois_d_abord) {
        std::vector<qint64> u(t.size(), -1);
        bool toutes = true;
        QString date_vue;
        qint64 jour_vu = -1;
        for (int j = 0; j < n; ++j) {
            const QString l = ligne(j);
            const int s = secondes_ligne(l, true);
            if (s < 0)
                continue;
            // Consecutive lines mostly share their date: it is read once.
            const QStringView date = QStringView(l).mid(6, 10);
            if (jour_vu < 0 || date != date_vue) {
                const std::optional<QDate> d = date_ligne(l, mois_d_abord);
                jour_vu = d ? d->toJulianDay() : -1;
                date_vue = date.toString();
                if (!d) {
                    toutes = false;
                    continue;
                }
            }
            u[std::size_t(j)] = jour_vu * 86400 + s;
        }
        return std::make_pair(toutes, u);
    };
    auto [toutes, u] = lire(forme.mois_d_abord);
    if (!toutes) {
        auto [toutes_autre, v] = lire(!forme.mois_d_abord);
        if (toutes_autre)
            return v;
    }
    return u;
}

// Tenths of a second to add to each time: the readings that share a stamped
// second, spread evenly over it.
std::vector<int> dixiemes(const std::vector<qint64>& t)
{
    std::vector<int> d(t.size(), 0);
    for (std::size_t a = 0; a < t.size();) {
        std::size_t b = a + 1;
        while (b < t.size() && t[b] >= 0 && t[b] == t[a])
            ++b;
        const std::size_t m = b - a;
        for (std::size_t i = a; i < b; ++i)
            d[i] = int((i - a) * 10 / m);
        a = b;
    }
    return d;
}

char* entier(char* p, char* fin, qint64 v)
{
    return std::to_chars(p, fin, v).ptr;
}

char* deux(char* p, int v)
{
    *p++ = char('0' + v / 10);
    *p++ = char('0' + v % 10);
    return p;
}

bool ecrire_fichier(const QString& chemin, const QByteArray& texte)
{
    // A file marked read-only stays as it is, as Save leaves it.
    const QFileInfo i(chemin);
    if (i.exists() && i.isFile() && !i.isWritable())
        return false;
    EcritureFichier f(chemin);
    return f.ouvrir() && f.flux().write(texte) == texte.size() && f.valider();
}

// The path to write to, after the replacing question; empty when the user
// cancels.
QString choisir_fichier_csv()
{
    Popups& popups = *plateforme().popups;
    const QString propose = nom_csv_propose(QString::fromLocal8Bit(Excel.repertoire), chemin_releves());
    for (;;) {
        const std::optional<QString> choix =
            popups.fichier(qtxt(tx::enregist), propose, QStringLiteral("*.csv"), true);
        if (!choix || choix->isEmpty())
            return {};
        const QString chemin = completer_nom_csv(*choix);
        if (!QFileInfo::exists(chemin))
            return chemin;
        if (accepter_remplacement())
            return chemin;
    }
}

} // namespace

QByteArray champ_csv(const QString& texte)
{
    QByteArray o = texte.toUtf8();
    if (!o.contains(',') && !o.contains('"') && !o.contains('\r') && !o.contains('\n'))
        return o;
    o.replace('"', "\"\"");
    return '"' + o + '"';
}

QString entete_grandeur(const QString& libelle, int voie)
{
    QString e = libelle.trimmed();
    if (e.isEmpty())
        return QStringLiteral("CH%1").arg(voie);
    const qsizetype p = e.indexOf(u'(');
    if (p > 0 && e[p - 1] != u' ')
        e.insert(p, u' ');
    return e;
}

QByteArray csv_releves(int n, const std::function<QString(int)>& ligne, const FormeCsv& forme)
{
    n = std::max(n, 0);
    const int voies = std::clamp(int(forme.grandeurs.size()), 0, 2);
    QByteArray o("n,time");
    for (int k = 0; k < voies; ++k)
        o += ',' + champ_csv(forme.grandeurs[k]);
    o += "\r\n";

    const std::vector<qint64> t = temps_releves(n, ligne, forme);
    const std::vector<int> d = forme.demi_seconde ? dixiemes(t) : std::vector<int>(t.size(), 0);
    o.reserve(o.size() + qsizetype(n) * (forme.relatif ? 32 : 44));
    // Room for two values of any size a line can hold (to_chars stops short
    // of the end rather than overflow it).
    char tampon[1024];
    for (int j = 0; j < n; ++j) {
        char* p = tampon;
        char* const fin = tampon + sizeof tampon;
        p = entier(p, fin, j + 1);
        *p++ = ',';
        const qint64 x = t[std::size_t(j)];
        if (x >= 0) {
            if (forme.relatif) {
                p = entier(p, fin, x);
            } else {
                int an = 0, mois = 0, jour = 0;
                QDate::fromJulianDay(x / 86400).getDate(&an, &mois, &jour);
                const int s = int(x % 86400);
                p = deux(p, an / 100);
                p = deux(p, an % 100);
                *p++ = '-';
                p = deux(p, mois);
                *p++ = '-';
                p = deux(p, jour);
                *p++ = 'T';
                p = deux(p, s / 3600);
                *p++ = ':';
                p = deux(p, s / 60 % 60);
                *p++ = ':';
                p = deux(p, s % 60);
            }
            if (forme.demi_seconde) {
                *p++ = '.';
                *p++ = char('0' + d[std::size_t(j)]);
            }
        }
        const QString l = ligne(j);
        for (int k = 1; k <= voies; ++k) {
            *p++ = ',';
            // Read as Open reads the data file, shown as the list shows it.
            double v = 0.0;
            if (lire_reel(l, colonne_lecture(k), v)) {
                const std::to_chars_result r = std::to_chars(p, fin - 8, v, std::chars_format::fixed, 3);
                if (r.ec == std::errc())
                    p = r.ptr;
            }
        }
        *p++ = '\r';
        *p++ = '\n';
        o.append(tampon, p - tampon);
    }
    return o;
}

QString nom_csv_propose(const QString& dossier, const QString& enregistrement)
{
    QString nom = QFileInfo(enregistrement).completeBaseName();
    if (nom.isEmpty())
        nom = QStringLiteral("vtex");
    nom += QStringLiteral(".csv");
    return dossier.isEmpty() ? nom : QDir(dossier).filePath(nom);
}

QString completer_nom_csv(const QString& chemin)
{
    if (chemin.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) || autre_qu_un_fichier(chemin))
        return chemin;
    return chemin + QStringLiteral(".csv");
}

void exporter_csv()
{
    const QString chemin = choisir_fichier_csv();
    if (chemin.isEmpty())
        return;
    const ListeReleves* liste = nullptr;
    if (tk::panel_valide(Info[0].panel))
        liste = liaison<PnlDonnees>(Info[0].panel).liste;
    // Only lines that exist: a count ahead of the list adds no empty records.
    const int n = liste ? std::clamp(Acq.nb_points, 0, liste->count()) : 0;
    FormeCsv forme;
    for (int k = 1; k <= std::clamp(Mesure.nb_voies, 0, 2); ++k)
        forme.grandeurs << entete_grandeur(QString::fromUtf8(Donnee[k].libelle), k);
    forme.relatif = Acq.temps_relatif == 1;
    forme.demi_seconde = periode_axe() == 0;
    forme.mois_d_abord = langue == 1;

    Popups& popups = *plateforme().popups;
    popups.curseur_attente(true);
    const bool ok = ecrire_fichier(chemin, csv_releves(n, [liste](int j) { return liste->texte(j); }, forme));
    popups.curseur_attente(false);
    if (!ok)
        Popup_erreur(MSG_ECRITURE);
}
