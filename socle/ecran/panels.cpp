#include "socle/ecran/panels.h"

#include "socle/platform.h"

#include <QComboBox>

#include <array>
#include <string>

QWidget* controle_brut(QWidget* racine, const char* nom, const char* classe)
{
    if (!racine)
        throw ErreurLiaison(std::string("no panel to find control ") + nom + " in");
    QWidget* w = racine->objectName() == QLatin1String(nom)
                     ? racine
                     : racine->findChild<QWidget*>(QLatin1String(nom));
    if (!w || !w->inherits(classe))
        throw ErreurLiaison("panel " + racine->objectName().toStdString() + ": control " + nom +
                            (w ? " is not a " : " missing, expected a ") + classe);
    return w;
}

QComboBox* anneau(QWidget* r, const char* nom)
{
    auto* c = controle<QComboBox>(r, nom);
    const auto champs = c->property("valeurs").toString().split(' ', Qt::SkipEmptyParts);
    const std::string ou = "panel " + r->objectName().toStdString() + ": ring " + nom;
    if (champs.size() != c->count())
        throw ErreurLiaison(ou + " has " + std::to_string(c->count()) + " items but " +
                            std::to_string(champs.size()) + " values");
    for (int i = 0; i < c->count(); ++i) {
        bool ok = false;
        const int v = champs[i].toInt(&ok);
        if (!ok)
            throw ErreurLiaison(ou + ": value '" + champs[i].toStdString() + "' is not a whole number");
        c->setItemData(i, v);
    }
    return c;
}

PnlSimple PnlSimple::lier(QWidget* r)
{
    if (!r)
        throw ErreurLiaison("no panel");
    return {r};
}

namespace {

std::array<VerificationLiaison, PNL_DERNIER + 1>& verifications()
{
    static std::array<VerificationLiaison, PNL_DERNIER + 1> v{};
    return v;
}

} // namespace

void enregistrer_liaison(PanelKind kind, VerificationLiaison verification)
{
    if (kind >= 0 && kind <= PNL_DERNIER)
        verifications()[kind] = verification;
}

bool liaison_enregistree(PanelKind kind)
{
    return kind >= 0 && kind <= PNL_DERNIER && verifications()[kind];
}

void verifier_liaison(PanelKind kind, QWidget* r)
{
    if (liaison_enregistree(kind))
        verifications()[kind](r);
    else if (kind != PNL_LIBRE)
        PnlSimple::lier(r);
}

bool lier_ou_signaler(PanelKind kind, QWidget* racine)
{
    try {
        verifier_liaison(kind, racine);
        return true;
    } catch (const ErreurLiaison& e) {
        const QString texte = QString::fromStdString(e.what());
        qCritical("VOLTEXA: %s", qPrintable(texte));
        plateforme().popups->message(QStringLiteral("VOLTEXA"), texte + QLatin1Char('\n'));
        return false;
    }
}
