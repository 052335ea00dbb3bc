#include "lang/port_texte.h"

#include "lang/textes.h"

#include <QDir>
#include <QStringList>

namespace {

QString natif(const QString& chemin)
{
    return QDir::toNativeSeparators(chemin);
}

// "COM1 → entry → where its link leads → the device at the end", each path
// once.
QString chaine(const DiagnosticPort& d)
{
    QStringList maillons{QStringLiteral("COM%1").arg(d.port)};
    for (const QString& c : {d.peripherique, d.cible, d.appareil})
        if (!c.isEmpty() && !maillons.contains(natif(c)))
            maillons << natif(c);
    QString texte = maillons.join(QStringLiteral(" → "));
    if (d.par_defaut && !d.entree.isEmpty())
        texte += u' ' + qtxt(tx::port_par_defaut).arg(natif(d.entree));
    return texte;
}

// The path the reason speaks of: the device itself when the links lead to
// one, otherwise the path tried.
QString chemin_en_cause(const DiagnosticPort& d)
{
    return natif(d.appareil.isEmpty() ? d.peripherique : d.appareil);
}

QString raison(const DiagnosticPort& d)
{
    const QString com = QString::number(d.port);
    // Every placeholder in one pass: a path may itself hold "%2".
    switch (d.panne) {
    case PannePort::aucune:
        return {};
    case PannePort::absent:
        return qtxt(tx::port_absent).arg(com, natif(d.manquant.isEmpty() ? d.peripherique : d.manquant));
    case PannePort::occupe:
        if (d.occupant > 0)
            return qtxt(tx::port_occupe_voltexa).arg(com, QString::number(d.occupant));
        return qtxt(tx::port_occupe).arg(com);
    case PannePort::permission:
        return qtxt(tx::port_permission).arg(com, chemin_en_cause(d), d.groupe);
    case PannePort::systeme:
        return qtxt(tx::port_erreur_systeme)
            .arg(com, chemin_en_cause(d),
                 d.texte_systeme.isEmpty() ? QString::number(d.statut) : d.texte_systeme);
    case PannePort::silence:
        return qtxt(tx::port_muet).arg(com, chemin_en_cause(d), QString::number(d.delai));
    case PannePort::reponse:
        return qtxt(tx::port_reponse_invalide).arg(com, chemin_en_cause(d));
    }
    return {};
}

} // namespace

QString texte_diagnostic_port(const DiagnosticPort& d)
{
    if (d.port < 1 || d.peripherique.isEmpty())
        return {};
    QString texte = qtxt(tx::port_essaye).arg(chaine(d));
    const QString pourquoi = raison(d);
    if (!pourquoi.isEmpty())
        texte += u'\n' + pourquoi;
    return texte;
}
