#include "socle/platform.h"
#include "socle/ecriture.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>

// The installed data folder, from the executable's folder.
#ifndef VOLTEXA_DONNEES_INSTALLEES
#define VOLTEXA_DONNEES_INSTALLEES "../share/voltexa"
#endif

namespace {

class QtClock final : public Clock {
public:
    void attendre(double secondes) override
    {
        QEventLoop boucle;
        QTimer::singleShot(static_cast<int>(secondes * 1000.0), &boucle, &QEventLoop::quit);
        boucle.exec();
    }
};

Platform (*&fabrique_initiale())()
{
    static Platform (*f)() = nullptr;
    return f;
}

Platform& courante()
{
    static Platform p = fabrique_initiale() ? fabrique_initiale()() : plateforme_sans_ecran();
    return p;
}

QString& repertoire()
{
    static QString d;
    return d;
}
} // namespace

std::unique_ptr<Clock> horloge_systeme()
{
    return std::make_unique<QtClock>();
}

Platform plateforme_sans_ecran()
{
    Platform p;
    p.horloge = horloge_systeme();
    return p;
}

void fixer_plateforme_initiale(Platform (*fabrique)())
{
    fabrique_initiale() = fabrique;
}

Platform& plateforme()
{
    return courante();
}

Platform installer_plateforme(Platform p)
{
    Platform ancienne = std::move(courante());
    courante() = std::move(p);
    return ancienne;
}

QString GetProjectDir()
{
    if (repertoire().isEmpty())
        return QCoreApplication::applicationDirPath();
    return repertoire();
}

void fixer_repertoire_programme(const QString& dir)
{
    repertoire() = dir;
}

bool dossier_inscriptible(const QString& dossier)
{
    if (!QFileInfo(dossier).isDir())
        return false;
    QTemporaryFile essai(QDir(dossier).filePath(QStringLiteral(".voltexa-essai-XXXXXX")));
    return essai.open();
}

QString chemin_programme(FichierProgramme f, const QString& nom)
{
    const QDir programme(GetProjectDir());
    const QString panneaux = QStringLiteral("VOLTEXA.uir");
    const bool donnees_a_cote = programme.exists(panneaux);
    QDir donnees = programme;
    bool installe = false;
    if (!donnees_a_cote) {
        const QDir installees(programme.filePath(QStringLiteral(VOLTEXA_DONNEES_INSTALLEES)));
        installe = installees.exists(panneaux);
        if (installe)
            donnees = QDir(installees.canonicalPath());
    }
    // An installed program keeps the user's files out of its prefix, even
    // when the account may write there (root and /usr). Asked only for the
    // files the program writes: the probe is a real write in the folder.
    const auto a_cote = [&] { return !installe && dossier_inscriptible(programme.path()); };
    auto utilisateur = [&](QStandardPaths::StandardLocation lieu, const QString& fichier) {
        if (a_cote())
            return programme.filePath(fichier);
        return QDir(QStandardPaths::writableLocation(lieu)).filePath(fichier);
    };

    switch (f) {
    case FichierProgramme::panneaux:
        return donnees.filePath(panneaux);
    case FichierProgramme::image_outil:
        return donnees.filePath(QStringLiteral("toolbar/") + nom + QStringLiteral(".png"));
    case FichierProgramme::aide_langue:
        return donnees.filePath(QStringLiteral("voltex") + nom + QStringLiteral(".hhh"));
    case FichierProgramme::aide:
        return utilisateur(QStandardPaths::AppDataLocation, QStringLiteral("voltexa.hlp"));
    case FichierProgramme::reglages:
        return utilisateur(QStandardPaths::AppConfigLocation, QStringLiteral("voltexa.ini"));
    case FichierProgramme::port:
        return utilisateur(QStandardPaths::AppDataLocation, QStringLiteral("ports/") + nom);
    case FichierProgramme::reprise:
        return utilisateur(QStandardPaths::AppDataLocation, QStringLiteral("reprise/") + nom);
    case FichierProgramme::travail: {
        if (a_cote())
            return programme.path();
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileInfo(documents).isDir() ? documents : QDir::homePath();
    }
    }
    return {};
}
