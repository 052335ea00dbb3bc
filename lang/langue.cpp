#include "lang/langue.h"

#include "socle/globals.h"
#include "socle/platform.h"
#include "lang/textes.h"
#include "link/registres.h"

namespace {

const char* const suffixes_aide[5] = {"fr", "gb", "al", "es", "it"};

} // namespace

QString entete_releves(Entete genre)
{
    QString e = genre == Entete::imprimee ? QString("   N°    %1     %2     ") : QString(" N°   %1       %2     ");
    e = e.arg(qtxt(tx::date), qtxt(tx::heure));
    for (int k = 1; k <= Mesure.nb_voies && k < NB_VOIES_TABLE; ++k) {
        copie_texte(Donnee[k].titre, Donnee[k].libelle);
        e += QString(" CH%1: %2   ")
                 .arg(QString::number(k), QString::fromUtf8(Donnee[k].titre))
                 .leftJustified(LARGEUR_PIECE_ENTETE, ' ', true);
    }
    return e;
}

void Popup_erreur(int code)
{
    Popup_erreur(code, QString());
}

void Popup_erreur(int code, const QString& detail)
{
    if (langue < 0 || langue >= tx::NB_LANGUES || code < 0 || code >= NB_MESSAGES)
        return;
    QString titre = QString("%1 n° %2").arg(QString::fromUtf8(tx::titre_erreur[langue])).arg(-(100 + code));
    QString texte = QString::fromUtf8(tx::erreur[code * 5 + langue]) + "\n";
    if (!detail.isEmpty())
        texte += detail + "\n";
    plateforme().popups->message(titre, texte);
}

QString fichier_aide()
{
    return chemin_programme(FichierProgramme::aide);
}

QString fichier_aide_langue(int l)
{
    if (l < 0 || l > 4)
        return {};
    return chemin_programme(FichierProgramme::aide_langue, QString::fromLatin1(suffixes_aide[l]));
}

QString texte_mode(int mot)
{
    switch (mot) {
    case 0: return qtxt(tx::normal);
    case 1: return QStringLiteral(" T3FE");
    case 2: return QStringLiteral(" Hold");
    case 3: return QStringLiteral(" T3FE & Hold");
    case 4: return QStringLiteral(" Smooth");
    case 5: return QStringLiteral(" T3FE & Smooth");
    case 6: return QStringLiteral(" Smooth & Hold");
    case 7: return QStringLiteral(" T3FE & Smooth & Hold");
    case MODE_INRUSH: return QStringLiteral(" INRUSH");
    default: return {};
    }
}
