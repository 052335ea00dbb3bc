#include "socle/help_search.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

// A section as found in the file, before its HTML is turned into text.
struct SectionBrute {
    QString ancre;
    QString titre_html;
    QString corps_html;
    int niveau = 2;
};

// A heading <hN ...>...</hN>: where it starts and ends in the file, its
// level, attributes and inner HTML.
struct Titre {
    qsizetype debut = 0, fin = 0;
    int niveau = 2;
    QString attributs, interieur;
};

// The headings of the file in order, each closed by the first </hN> of its
// level after it; a heading never closed is not one, and headings inside a
// heading are part of it. One pass over the openings and one over the
// closings: a file full of unclosed headings costs no more than its length.
QList<Titre> titres(const QString& html)
{
    static const QRegularExpression ouverture(QStringLiteral(R"(<h([1-4])\b([^>]{0,2000})>)"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fermeture(QStringLiteral(R"(</h([1-4])\s*>)"),
                                              QRegularExpression::CaseInsensitiveOption);
    std::array<std::vector<std::pair<qsizetype, qsizetype>>, 5> fermetures;
    for (auto it = fermeture.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        fermetures[std::size_t(m.captured(1).toInt())].emplace_back(m.capturedStart(), m.capturedEnd());
    }
    std::array<std::size_t, 5> suivante{};
    QList<Titre> liste;
    qsizetype apres = 0;
    for (auto it = ouverture.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.capturedStart() < apres)
            continue;
        const int n = m.captured(1).toInt();
        const auto& f = fermetures[std::size_t(n)];
        std::size_t& i = suivante[std::size_t(n)];
        while (i < f.size() && f[i].first < m.capturedEnd())
            ++i;
        if (i == f.size())
            continue;
        liste.append({m.capturedStart(), f[i].second, n, m.captured(2),
                      html.mid(m.capturedEnd(), f[i].first - m.capturedEnd())});
        apres = f[i].second;
    }
    return liste;
}

const QRegularExpression& re_id()
{
    static const QRegularExpression re(QStringLiteral(R"(\bid\s*=\s*["']([^"']+)["'])"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression& re_nom_a()
{
    static const QRegularExpression re(QStringLiteral(R"(<a\b[^>]*\bname\s*=\s*["']([^"']+)["'])"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// The anchor a heading carries: its own id, else the first id or <a name> inside it.
QString ancre_titre(const QString& attributs, const QString& interieur)
{
    auto m = re_id().match(attributs);
    if (m.hasMatch())
        return m.captured(1);
    m = re_id().match(interieur);
    if (m.hasMatch())
        return m.captured(1);
    m = re_nom_a().match(interieur);
    if (m.hasMatch())
        return m.captured(1);
    return {};
}

QList<SectionBrute> decouper(const QString& html)
{
    QList<SectionBrute> sections;
    qsizetype fin_precedente = -1;
    for (const Titre& t : titres(html)) {
        const QString ancre = ancre_titre(t.attributs, t.interieur);
        if (ancre.isEmpty())
            continue; // a heading without anchor stays part of the section above
        if (!sections.isEmpty())
            sections.last().corps_html = html.mid(fin_precedente, t.debut - fin_precedente);
        SectionBrute s;
        s.ancre = ancre;
        s.titre_html = t.interieur;
        s.niveau = t.niveau;
        sections.append(s);
        fin_precedente = t.fin;
    }
    if (!sections.isEmpty()) {
        qsizetype fin = html.indexOf(QLatin1String("</body"), fin_precedente, Qt::CaseInsensitive);
        if (fin < 0)
            fin = html.size();
        sections.last().corps_html = html.mid(fin_precedente, fin - fin_precedente);
    }
    return sections;
}

QString entite(const QString& nom)
{
    static const QHash<QString, QString> noms = {
        {QStringLiteral("amp"), QStringLiteral("&")},     {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},      {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},    {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("rarr"), QStringLiteral("→")},    {QStringLiteral("larr"), QStringLiteral("←")},
        {QStringLiteral("ndash"), QStringLiteral("–")},   {QStringLiteral("mdash"), QStringLiteral("—")},
        {QStringLiteral("hellip"), QStringLiteral("…")},  {QStringLiteral("middot"), QStringLiteral("·")},
        {QStringLiteral("laquo"), QStringLiteral("«")},   {QStringLiteral("raquo"), QStringLiteral("»")},
        {QStringLiteral("deg"), QStringLiteral("°")},     {QStringLiteral("times"), QStringLiteral("×")},
        {QStringLiteral("plusmn"), QStringLiteral("±")},  {QStringLiteral("micro"), QStringLiteral("µ")},
        {QStringLiteral("copy"), QStringLiteral("©")},    {QStringLiteral("szlig"), QStringLiteral("ß")},
        {QStringLiteral("eacute"), QStringLiteral("é")},  {QStringLiteral("egrave"), QStringLiteral("è")},
        {QStringLiteral("agrave"), QStringLiteral("à")},  {QStringLiteral("ccedil"), QStringLiteral("ç")},
        {QStringLiteral("uuml"), QStringLiteral("ü")},    {QStringLiteral("ouml"), QStringLiteral("ö")},
        {QStringLiteral("auml"), QStringLiteral("ä")},    {QStringLiteral("ntilde"), QStringLiteral("ñ")},
    };
    if (nom.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint code = nom.startsWith(QLatin1String("#x"), Qt::CaseInsensitive) ? nom.mid(2).toUInt(&ok, 16)
                                                                                   : nom.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t c = code;
            return QString::fromUcs4(&c, 1);
        }
        return {};
    }
    return noms.value(nom);
}

QString decoder_entites(const QString& t)
{
    static const QRegularExpression re(QStringLiteral(R"(&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);)"));
    QString r;
    r.reserve(t.size());
    qsizetype pos = 0;
    auto it = re.globalMatch(t);
    while (it.hasNext()) {
        const auto m = it.next();
        r += QStringView(t).mid(pos, m.capturedStart() - pos);
        const QString c = entite(m.captured(1));
        r += c.isEmpty() ? m.captured(0) : c;
        pos = m.capturedEnd();
    }
    r += QStringView(t).mid(pos);
    return r;
}

QStringList mots_cles(const QString& mot)
{
    return replier(mot).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

QString texte_html(const QString& fragment)
{
    static const QRegularExpression blocs_caches(
        QStringLiteral(R"(<(script|style|head)\b.*?</\1\s*>|<!--.*?-->)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression balise(QStringLiteral(R"(<[^>]*>)"));
    QString t = fragment;
    t.remove(blocs_caches);
    t.replace(balise, QStringLiteral(" "));
    return decoder_entites(t).simplified();
}

QString replier(const QString& texte)
{
    const QString decompose = texte.toCaseFolded().normalized(QString::NormalizationForm_KD);
    QString r;
    r.reserve(decompose.size());
    for (const QChar c : decompose) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            continue;
        default:
            break;
        }
        switch (c.unicode()) {
        case 0x00DF: // ß
        case 0x1E9E:
            r += QLatin1String("ss");
            break;
        case 0x00E6: // æ
        case 0x00C6:
            r += QLatin1String("ae");
            break;
        case 0x0153: // œ
        case 0x0152:
            r += QLatin1String("oe");
            break;
        case 0x00F8: // ø
        case 0x00D8:
            r += QLatin1Char('o');
            break;
        case 0x2018: // ‘ ’ ‚ ′
        case 0x2019:
        case 0x201A:
        case 0x2032:
            r += QLatin1Char('\'');
            break;
        case 0x201C: // “ ” „ « »
        case 0x201D:
        case 0x201E:
        case 0x00AB:
        case 0x00BB:
            r += QLatin1Char('"');
            break;
        case 0x00A0: // no-break spaces
        case 0x202F:
            r += QLatin1Char(' ');
            break;
        default:
            r += c;
        }
    }
    return r;
}

QList<SectionAide> sections_aide(const QString& html)
{
    QList<SectionAide> sections;
    for (const SectionBrute& b : decouper(html)) {
        SectionAide s;
        s.ancre = b.ancre;
        s.titre = texte_html(b.titre_html);
        s.texte = texte_html(b.corps_html);
        s.niveau = b.niveau;
        sections.append(s);
    }
    return sections;
}

QStringList ancres_aide(const QString& html)
{
    static const QRegularExpression re(
        QStringLiteral(R"(<[a-zA-Z][a-zA-Z0-9]*\b[^>]*?\bid\s*=\s*["']([^"']+)["']|<a\b[^>]*?\bname\s*=\s*["']([^"']+)["'])"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList ancres;
    auto it = re.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString a = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
        if (!ancres.contains(a))
            ancres.append(a);
    }
    return ancres;
}

QStringList liens_sommaire(const QString& html)
{
    static const QRegularExpression lien(QStringLiteral(R"(\bhref\s*=\s*["']#([^"']*)["'])"),
                                         QRegularExpression::CaseInsensitiveOption);
    for (const SectionBrute& b : decouper(html)) {
        if (b.ancre != QLatin1String(ANCRE_SOMMAIRE))
            continue;
        QStringList liens;
        auto it = lien.globalMatch(b.corps_html);
        while (it.hasNext())
            liens.append(it.next().captured(1));
        return liens;
    }
    return {};
}

QList<SectionAide> chercher_sections(const QList<SectionAide>& sections, const QString& mot)
{
    const QStringList mots = mots_cles(mot);
    if (mots.isEmpty())
        return {};
    const QString phrase = mots.join(QLatin1Char(' '));
    // Rank: the phrase in the title, every word in the title, the phrase in
    // the text, every word somewhere.
    struct Trouvee {
        SectionAide section;
        qsizetype occurrences;
    };
    QList<Trouvee> rangs[4];
    for (const SectionAide& s : sections) {
        if (s.ancre == QLatin1String(ANCRE_SOMMAIRE))
            continue;
        const QString titre = replier(s.titre).simplified();
        const QString texte = replier(s.texte).simplified();
        const QString tout = titre + QLatin1Char(' ') + texte;
        bool dans_titre = true;
        bool partout = true;
        for (const QString& m : mots) {
            dans_titre = dans_titre && titre.contains(m);
            partout = partout && tout.contains(m);
        }
        if (titre.contains(phrase))
            rangs[0].append({s, 0});
        else if (dans_titre)
            rangs[1].append({s, 0});
        else if (texte.contains(phrase))
            rangs[2].append({s, texte.count(phrase)});
        else if (partout)
            rangs[3].append({s, 0});
    }
    // A phrase found in the text only: the sections that use it most come first.
    std::stable_sort(rangs[2].begin(), rangs[2].end(),
                     [](const Trouvee& a, const Trouvee& b) { return a.occurrences > b.occurrences; });
    QList<SectionAide> resultat;
    for (const auto& rang : rangs)
        for (const Trouvee& t : rang)
            resultat.append(t.section);
    return resultat;
}
