// The help search over any help file and any search text.
//
// Input: the search text up to the first line end, then the help file.
#include "socle/help_search.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray entree(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype fin = entree.indexOf('\n');
    const QString mot = QString::fromUtf8(fin < 0 ? entree : entree.left(fin));
    const QString html = fin < 0 ? QString() : QString::fromUtf8(entree.mid(fin + 1));

    const QList<SectionAide> sections = sections_aide(html);
    const QList<SectionAide> trouvees = chercher_sections(sections, mot);
    // Each result is one of the sections, listed once; never the contents.
    if (trouvees.size() > sections.size())
        std::abort();
    for (const SectionAide& s : trouvees)
        if (s.ancre == QLatin1String(ANCRE_SOMMAIRE))
            std::abort();
    ancres_aide(html);
    liens_sommaire(html);
    replier(mot);
    return 0;
}
