#include "export/csv.h"

#include "socle/ecriture.h"
#include "socle/globals.h"
#include "socle/lecture_fichier.h"
#include "socle/ecran/liste_releves.h"
#include "graph/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "graph/axe_temps.h"
#include "files/ecran/enregistrement.h"
#include "acquisition/ligne.h"
#include "lang/langue.h"
#include "lang/textes.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

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

QString nom_csv_propose(const QString& dossier, const QString& enregistrement)
{
    QString fichier = QFileInfo(enregistrement).completeBaseName();
    if (fichier.isEmpty())
        fichier = QStringLiteral("vtex");
    fichier += QStringLiteral(".csv");
    return dossier.isEmpty() ? fichier : QDir(dossier).filePath(fichier);
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
    // Only readings stored: a count ahead of them adds no empty records.
    const int n = std::clamp(Acq.nb_points, 0, nb_releves_ranges());
    const FormeCsv forme = forme_csv(periode_axe() == 0);

    Popups& popups = *plateforme().popups;
    popups.curseur_attente(true);
    const bool ok = ecrire_fichier(chemin, csv_releves(n, releve, forme));
    popups.curseur_attente(false);
    if (!ok)
        Popup_erreur(MSG_ECRITURE);
}
