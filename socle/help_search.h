// Keyword search in a help file (HTML). A help file is cut into sections:
// each heading (h1 to h4) that carries an id, or holds an <a name>, starts one,
// and the section runs to the next such heading. No widget is involved.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Anchor of the contents section, at the top of every help file. The search
// never lists it: it names every other section.
inline constexpr const char* ANCRE_SOMMAIRE = "contents";

struct SectionAide {
    QString ancre;  // anchor, to scroll to
    QString titre;  // heading text, entities decoded
    QString texte;  // text of the section below its heading, tags removed
    int niveau = 2; // heading level, 1 to 4
};

// The sections of a help file, in document order.
QList<SectionAide> sections_aide(const QString& html);

// Every anchor the file defines (ids and <a name>), in document order.
QStringList ancres_aide(const QString& html);

// The internal links ("#anchor") of the contents section, in order, without '#'.
QStringList liens_sommaire(const QString& html);

// The text of an HTML fragment: tags removed, entities decoded, blanks folded.
QString texte_html(const QString& fragment);

// A text folded for comparison: lower case, accents and other marks removed,
// ligatures and the sharp s spelled out, typographic quotes made plain.
QString replier(const QString& texte);

// The sections matching `mot`, best first: the words as a phrase in the title,
// every word in the title, the phrase in the text (most occurrences first),
// then every word anywhere; otherwise in document order. The contents section
// is left out.
QList<SectionAide> chercher_sections(const QList<SectionAide>& sections, const QString& mot);
