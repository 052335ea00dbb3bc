#include "app/config.h"
#include "graph/fiches_fenetres.h"

#include "acquisition/modele.h"
#include "graph/couleurs.h"

#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/lecture_fichier.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "files/ecran/fichier.h"
#include "files/format.h"
#include "lang/ecran/langue.h"
#include "lang/textes.h"
#include "link/serial.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QList>
#include <QRect>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const int placement_defaut[4] = {38, 45, 460, 647}; // top, left, height, width

// The file is about 3 KB; anything past this is not settings and is not read.
constexpr qint64 TAILLE_LUE_MAX = 1 << 20;
// Pixels of the main window that must lie on a screen for it to be reachable.
constexpr int PARTIE_VISIBLE = 50;

// Line numbers (1-based) of the fixed part.
constexpr int LIGNE_VOIE1 = 3;
constexpr int LIGNE_HEURE = 5;
constexpr int LIGNE_REPERTOIRE = 7;
constexpr int LIGNE_COULEURS = 8;
constexpr int LIGNE_LANGUE = 19;
constexpr int LIGNE_RECENTS = 26;
constexpr int NB_LIGNES_FIXES = 25;
const QByteArray SEPARATEUR = "***";

QString chemin_config()
{
    return QString::fromLocal8Bit(rep_ini);
}

// rep_ini has a fixed size: a program directory too long for it leaves a
// path cut short, which must not be read or written in place of the file.
bool chemin_utilisable(const QString& chemin)
{
    return chemin.endsWith(QLatin1String("voltexa.ini"));
}

// The file's lines without their line ends (LF or CR LF).
QList<QByteArray> decouper_lignes(QByteArray contenu)
{
    QList<QByteArray> l = contenu.split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    for (QByteArray& x : l)
        if (x.endsWith('\r'))
            x.chop(1);
    return l;
}

// Line n (1-based), empty when the file is shorter. A NUL byte ends it: the
// texts it is copied into stop there, and blanks before it would otherwise
// stay at the end of an entry that the writer then pads.
QByteArray ligne(const QList<QByteArray>& l, int n)
{
    if (n < 1 || n > l.size())
        return {};
    const QByteArray& x = l[n - 1];
    const qsizetype nul = x.indexOf('\0');
    return nul < 0 ? x : x.left(nul);
}

bool blanc(char c)
{
    return c == ' ' || c == '\t';
}

// A whole number at `pos`, blanks before it skipped; `pos` moves past it.
bool scanner_entier(const QByteArray& l, qsizetype& pos, int& valeur)
{
    qsizetype p = pos;
    while (p < l.size() && blanc(l[p]))
        ++p;
    const qsizetype debut = p;
    if (p < l.size() && (l[p] == '-' || l[p] == '+'))
        ++p;
    const qsizetype chiffres = p;
    while (p < l.size() && l[p] >= '0' && l[p] <= '9')
        ++p;
    if (p == chiffres)
        return false;
    bool ok = false;
    const int v = l.mid(debut, p - debut).toInt(&ok);
    if (!ok)
        return false; // beyond the range of int
    valeur = v;
    pos = p;
    return true;
}

// A line holding one whole number and nothing else but blanks.
bool lire_entier(const QByteArray& l, int& valeur)
{
    qsizetype pos = 0;
    int v = 0;
    if (!scanner_entier(l, pos, v) || !l.mid(pos).trimmed().isEmpty())
        return false;
    valeur = v;
    return true;
}

bool lire_reel(const QByteArray& l, double& valeur)
{
    bool ok = false;
    const double v = l.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    valeur = v;
    return true;
}

// Blanks, tabs and carriage returns removed at both ends: the writer puts
// blanks around an entry and drops the returns it would end with, so what is
// left reads back unchanged.
QByteArray sans_blancs(const QByteArray& l)
{
    auto bord = [](char c) { return blanc(c) || c == '\r'; };
    qsizetype d = 0, f = l.size();
    while (d < f && bord(l[d]))
        ++d;
    while (f > d && bord(l[f - 1]))
        --f;
    return l.mid(d, f - d);
}

// Channel line of channel k, taken only whole: a line cut short or with a
// number that does not read leaves the channel as it was. False then.
bool lire_voie(const QByteArray& l, int k)
{
    VoieFichier v{Mesure.port, Mesure.type_reseau, Donnee[k].grandeur, Mesure.nb_voies, Donnee[k].num_fenetre, {}};
    if (lire_ligne_voie(l, v) < NB_NOMBRES_VOIE)
        return false;
    modele::regler_mesure(v.port, v.type_reseau, v.nb_voies);
    // A blank label is written as nine blanks; it reads back as the blank label.
    const QByteArray libelle = libelle_du_canal(v.libelle);
    modele::regler_voie(k, v.grandeur, v.num_fenetre, libelle.isEmpty() ? "    " : libelle.constData());
    return true;
}

// A text written on one line of the file: cut at a line end it might hold,
// without the returns it ends with (the reader would take one of them for
// the line end's).
QByteArray sur_une_ligne(const char* texte)
{
    QByteArray t(texte);
    const qsizetype fin = t.indexOf('\n');
    if (fin >= 0)
        t.truncate(fin);
    while (t.endsWith('\r'))
        t.chop(1);
    return t;
}

// The settings file keeps no window number: -1.
QByteArray ligne_voie(int k)
{
    const VoieFichier v{Mesure.port, Mesure.type_reseau, Donnee[k].grandeur, Mesure.nb_voies, -1,
                        QString::fromUtf8(Donnee[k].libelle)};
    return ligne_voie(v) + '\n';
}

QByteArray lignes_config()
{
    QByteArray t = "1\n";
    t += QByteArray::number(Acq.periode) + '\n';
    t += ligne_voie(1);
    t += ligne_voie(2);
    t += QByteArray::number(Acq.heure_rel, 'f', 6) + '\n';
    t += QByteArray::number(Acq.temps_relatif) + '\n';
    t += sur_une_ligne(Excel.repertoire) + '\n';
    for (int c : color)
        t += QByteArray::number(c) + '\n';
    t += QByteArray::number(langue) + '\n';
    for (int r : rep)
        t += QByteArray::number(r) + '\n';
    return t + SEPARATEUR + '\n';
}

// Lines 26..29: "<entry> ", then " <entry> " three times.
QByteArray bloc_recents()
{
    QByteArray b;
    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k)
        b += (k ? " " : "") + sur_une_ligne(nom[k]) + " \n";
    return b;
}

// Writes the whole settings file through `ecrire`. The old file stays whole
// until the new one is complete and on the disk; a file the user made
// read-only is left alone.
bool remplacer_fichier(const QString& chemin, const std::function<void(QIODevice&)>& ecrire)
{
    if (!chemin_utilisable(chemin))
        return false;
    const QFileInfo info(chemin);
    if (info.exists() && !info.isWritable())
        return false;
    // The user's configuration folder does not exist before the first start.
    if (!QDir().mkpath(info.path()))
        return false;
    EcritureFichier f(chemin);
    // Without the right to create files in the directory, the file itself is rewritten.
    if (!f.ouvrir(QIODevice::Text, true))
        return false;
    ecrire(f.flux());
    return f.valider();
}

// True when at least a grabbable part of the window lies on one of the screens.
bool placement_visible(int top, int left, int hauteur, int largeur)
{
    if (hauteur <= 0 || largeur <= 0)
        return false;
    const QList<QScreen*> ecrans = QGuiApplication::screens();
    if (ecrans.isEmpty())
        return true;
    for (const QScreen* e : ecrans) {
        const QRect a = e->availableGeometry();
        const qint64 x = std::min<qint64>(qint64(left) + largeur, qint64(a.left()) + a.width()) -
                         std::max<qint64>(left, a.left());
        const qint64 y = std::min<qint64>(qint64(top) + hauteur, qint64(a.top()) + a.height()) -
                         std::max<qint64>(top, a.top());
        if (x >= std::min(largeur, PARTIE_VISIBLE) && y >= std::min(hauteur, PARTIE_VISIBLE))
            return true;
    }
    return false;
}

// Values a file can hold that the program cannot use fall back to their default.
void corriger_valeurs()
{
    // Language items follow French in the Options menu: beyond Italian lies
    // Save settings on exit, which a language of 5 would toggle.
    if (langue < 0 || langue >= tx::NB_LANGUES)
        langue = 1;
    if (!periode_valide(Acq.periode))
        modele::regler_periode(0, Acq.nb_max);
    if (!port_valide(Mesure.port))
        modele::port_instrument(1);
    if (!std::isfinite(Acq.heure_rel) || std::abs(Acq.heure_rel) > HEURE_REL_MAX)
        modele::regler_horodatage(0.0, Acq.temps_relatif);
    if (rep[4] != 0 && rep[4] != 1)
        rep[4] = 0;
    if (rep[4] == 0 && !placement_visible(rep[0], rep[1], rep[2], rep[3]))
        std::copy(std::begin(placement_defaut), std::end(placement_defaut), rep);
    // Channel count and quantity codes index the program's tables.
    if (Mesure.nb_voies < 0 || Mesure.nb_voies > 2)
        modele::regler_mesure(Mesure.port, Mesure.type_reseau, 1);
    for (int k = 1; k <= 2; ++k)
        if (Donnee[k].grandeur < 1 || Donnee[k].grandeur > NB_GRANDEURS)
            modele::regler_voie(k, 1, Donnee[k].num_fenetre, nullptr);
    for (int i = 0; i < NB_COULEURS; ++i)
        if (color[i] < 0 || color[i] > 0xFFFFFF)
            color[i] = couleurs_par_defaut[i];
}

// Line numbers as the damage message gives them: "4", "2, 10", "13-24".
QString numeros_de_lignes(QList<int> n)
{
    std::sort(n.begin(), n.end());
    n.erase(std::unique(n.begin(), n.end()), n.end());
    QStringList t;
    for (qsizetype i = 0; i < n.size();) {
        qsizetype j = i;
        while (j + 1 < n.size() && n[j + 1] == n[j] + 1)
            ++j;
        t << (j > i ? QStringLiteral("%1-%2").arg(n[i]).arg(n[j]) : QString::number(n[i]));
        i = j + 1;
    }
    return t.join(QStringLiteral(", "));
}

// The file as it would be written at quit, with the save-on-exit flag read.
QByteArray texte_avec_drapeau(int enregistrer_en_quittant)
{
    QByteArray t = texte_parametres();
    if (enregistrer_en_quittant == 0)
        t[0] = '0';
    return t;
}

} // namespace

void valeur_par_defaut()
{
    lien = 0;
    modele::regler_periode(0, Acq.nb_max);
    modele::regler_mesure(1, 1, 1);
    for (int k = 1; k <= 2; ++k)
        modele::regler_voie(k, 1, -1, "    ");
    modele::regler_horodatage(0.0, 0);
    copie_texte(Excel.repertoire, chemin_programme(FichierProgramme::travail).toLocal8Bit().constData());
    for (int i = 0; i < NB_COULEURS; ++i)
        color[i] = couleurs_par_defaut[i];
    langue = 1;
    std::copy(std::begin(placement_defaut), std::end(placement_defaut), rep);
    rep[4] = 0;
}

QList<int> lire_parametres(const QByteArray& contenu, int& enregistrer_en_quittant)
{
    const QList<QByteArray> l = decouper_lignes(contenu.left(TAILLE_LUE_MAX));
    QList<int> abimees;
    auto noter = [&abimees](int n, bool lue) {
        if (!lue)
            abimees.append(n);
    };

    noter(1, lire_entier(ligne(l, 1), enregistrer_en_quittant));
    int periode = Acq.periode;
    noter(2, lire_entier(ligne(l, 2), periode));
    modele::regler_periode(periode, Acq.nb_max);
    noter(LIGNE_VOIE1, lire_voie(ligne(l, LIGNE_VOIE1), 1));
    noter(LIGNE_VOIE1 + 1, lire_voie(ligne(l, LIGNE_VOIE1 + 1), 2));
    double heure_rel = Acq.heure_rel;
    int temps_relatif = Acq.temps_relatif;
    noter(LIGNE_HEURE, lire_reel(ligne(l, LIGNE_HEURE), heure_rel));
    noter(LIGNE_HEURE + 1, lire_entier(ligne(l, LIGNE_HEURE + 1), temps_relatif));
    modele::regler_horodatage(heure_rel, temps_relatif);
    // Any text is a directory; only a file ending before it has lost it.
    noter(LIGNE_REPERTOIRE, l.size() >= LIGNE_REPERTOIRE);
    // Cut to its room, then read as it is written, so that neither a line of
    // returns alone nor the returns a cut leaves last stay in the directory.
    const QByteArray repertoire =
        sur_une_ligne(ligne(l, LIGNE_REPERTOIRE).left(sizeof Excel.repertoire - 1).constData());
    if (!repertoire.isEmpty())
        copie_texte(Excel.repertoire, repertoire.constData());
    for (int i = 0; i < NB_COULEURS; ++i)
        noter(LIGNE_COULEURS + i, lire_entier(ligne(l, LIGNE_COULEURS + i), color[i]));
    noter(LIGNE_LANGUE, lire_entier(ligne(l, LIGNE_LANGUE), langue));
    for (int i = 0; i < 5; ++i)
        noter(LIGNE_LANGUE + 1 + i, lire_entier(ligne(l, LIGNE_LANGUE + 1 + i), rep[i]));

    // Line 25 is only a mark: the quit command puts it back. The recent files
    // follow; a file written after a failed read ends before them.
    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k) {
        // The writer's blanks around each entry are not part of it: an entry in
        // use must start with its "__k" and end with the path. Blanks that an
        // entry too long for its room has last after the cut go as well.
        const int n = LIGNE_RECENTS + k;
        QByteArray e = sans_blancs(sans_blancs(ligne(l, n)).left(LONG_NOM_FICHIER - 1));
        // An entry is blank or starts with the "_" of its rank.
        if (!e.isEmpty() && e[0] != '_') {
            abimees.append(n);
            e.clear();
        }
        copie_texte(nom[k], e.constData());
    }
    corriger_valeurs();
    return abimees;
}

QByteArray texte_parametres()
{
    return lignes_config() + bloc_recents();
}

void charge_config()
{
    for (int& f : fichier_menu)
        f = 0;
    const QString chemin = chemin_config();
    int enregistrer_en_quittant = 1;
    valeur_par_defaut();
    QFile f;
    // A folder, device or pipe in the file's place is not read (a pipe would
    // hold the start until something writes to it): it counts as missing.
    if (!chemin_utilisable(chemin) || ouvrir_en_lecture(f, chemin) != Ouverture::ouvert) {
        Popup_erreur(MSG_INI_INTROUVABLE);
        if (chemin_utilisable(chemin))
            QFile::remove(chemin);
        valeur_par_defaut();
        enregistrer_en_quittant = 1;
        if (!remplacer_fichier(chemin, [](QIODevice& f) { Sauvegarde_Ini(f); }))
            Popup_erreur(MSG_ECRITURE);
        appliquer_config(enregistrer_en_quittant);
        return;
    }
    bool trop_grand = false;
    const QByteArray contenu = lire_au_plus(f, TAILLE_LUE_MAX, trop_grand);
    f.close();
    const QList<int> abimees = lire_parametres(contenu, enregistrer_en_quittant);
    corriger_valeurs();
    // Told in the language the file gave, when its line was good.
    const QString nom_natif = QDir::toNativeSeparators(chemin);
    if (trop_grand)
        plateforme().popups->message(qtxt(tx::Maj_titre_erreur), qtxt(tx::config_trop_grande).arg(nom_natif));
    if (!abimees.isEmpty())
        plateforme().popups->message(qtxt(tx::Maj_titre_erreur),
                                     qtxt(tx::config_endommagee).arg(nom_natif, numeros_de_lignes(abimees)));
    if (trop_grand || !abimees.isEmpty()) {
        // Written again with what was kept and the defaults of the rest, so
        // that the next start neither says it again nor reads the excess.
        const QByteArray t = texte_avec_drapeau(enregistrer_en_quittant);
        if (!remplacer_fichier(chemin, [&t](QIODevice& s) { s.write(t); }))
            Popup_erreur(MSG_ECRITURE);
    }
    appliquer_config(enregistrer_en_quittant);
}

void appliquer_config(int enregistrer_en_quittant)
{
    int principal = Fen_princ[PNL_PRINC];
    if (rep[4] != 0) {
        tk::SetPanelZoom(principal, rep[4]);
    } else {
        tk::deplacer(principal, rep[0], rep[1]);
        tk::SetPanelHeight(principal, rep[2]);
        tk::SetPanelWidth(principal, rep[3]);
    }
    tk::SetItemChecked(ITEM_ENREGIST2, enregistrer_en_quittant != 0);

    for (int k = 0; k < NB_FICHIERS_RECENTS; ++k)
        if (nom[k][0] == '_')
            fichier_menu[k] = tk::NewMenuItem(menu, BARRE_FICHIER, ITEM_SEP_RECENTS,
                                              mnemonique(nom[k]), Gestion_fichier);

    Gestion_options(menu, ITEM_FRANCAIS + langue, nullptr, principal);

    tk::SetItemChecked(ITEM_TPSABS, Acq.temps_relatif == 0);
    tk::SetItemChecked(ITEM_TPSREEL, Acq.temps_relatif != 0);
    fixer_intervalle_minuterie(intervalle_periode(Acq.periode));
    if (Mesure.nb_voies == 1)
        modele::voie_en_fenetre(2, -1);
    modele::couleur_voie(1, color[1]);
    modele::couleur_voie(2, color[2]);
    echelle_y_automatique(1);
    echelle_y_automatique(2);
}

void Sauvegarde_Ini(QIODevice& f)
{
    f.write(lignes_config());
}

void enregistrer_config_sortie()
{
    const QString chemin = chemin_config();
    if (tk::ItemChecked(ITEM_ENREGIST2)) {
        // A file that cannot be written loses this run's settings.
        const bool ecrit = remplacer_fichier(chemin, [](QIODevice& f) {
            const int principal = Fen_princ[PNL_PRINC];
            const tk::Geometrie g = tk::geometrie(principal);
            rep[0] = g.top;
            rep[1] = g.left;
            rep[2] = g.height;
            rep[3] = g.width;
            rep[4] = tk::etat_zoom(principal);
            Sauvegarde_Ini(f);
            f.write(bloc_recents());
        });
        if (!ecrit)
            Popup_erreur(MSG_ECRITURE);
        return;
    }

    QFile f(chemin);
    if (!chemin_utilisable(chemin) || !QFileInfo(chemin).isFile() || !f.open(QIODevice::ReadWrite)) {
        Popup_erreur(MSG_INI_INTROUVABLE);
        return;
    }
    const QList<QByteArray> l = decouper_lignes(f.read(TAILLE_LUE_MAX));
    f.close();

    // Line 1 becomes "0"; lines 2 up to the "***" line stay; the recent files follow.
    qsizetype separateur = -1;
    for (qsizetype i = 1; i < l.size() && separateur < 0; ++i)
        if (sans_blancs(l[i]) == SEPARATEUR)
            separateur = i;
    // Without the separator the recent files would be read from the wrong
    // lines at the next start: it is put back after the 24 lines of values.
    const qsizetype gardees = separateur >= 0 ? separateur : std::min<qsizetype>(l.size(), NB_LIGNES_FIXES - 1);
    QByteArray contenu = "0\n";
    for (qsizetype i = 1; i < gardees; ++i)
        contenu += l[i] + '\n';
    contenu += SEPARATEUR + '\n' + bloc_recents();
    if (!remplacer_fichier(chemin, [&contenu](QIODevice& s) { s.write(contenu); }))
        Popup_erreur(MSG_ECRITURE);
}
