#include "support/fake_platform.h"

#include "socle/globals.h"
#include "app/startup.h"

#include <QDir>
#include <QFile>
#include <QWidget>

void FakePopups::message(const QString& titre, const QString& texte)
{
    vus.append({"message", titre, texte, {}, 0, 0});
}

int FakePopups::question(const QString& titre, const QString& texte, const QStringList& boutons, int defaut,
                         int echap)
{
    vus.append({"question", titre, texte, boutons, defaut, echap});
    if (pendant)
        pendant(vus.last());
    if (!reponses.isEmpty())
        return reponses.takeFirst();
    return reponse_suivante ? reponse_suivante : echap;
}

std::optional<QString> FakePopups::saisie()
{
    return saisies.isEmpty() ? saisie_suivante : saisies.takeFirst();
}

std::optional<QString> FakePopups::texte(const QString& titre, const QString& invite, const QString&,
                                         const QStringList& boutons, int longueur_max)
{
    vus.append({"texte", titre, invite, boutons, 0, 0, longueur_max});
    return saisie();
}

std::optional<QString> FakePopups::fichier(const QString& titre, const QString& dossier, const QString&, bool)
{
    vus.append({"fichier", titre, dossier, {}, 0, 0});
    return saisie();
}

std::optional<QString> FakePopups::dossier(const QString& titre, const QString& depart)
{
    vus.append({"dossier", titre, depart, {}, 0, 0});
    return saisie();
}

void FakePopups::curseur_attente(bool actif)
{
    attente = actif ? 1 : 0;
    ++changements_attente;
}

QStringList FakePopups::messages() const
{
    QStringList l;
    for (const auto& v : vus)
        if (v.genre == "message")
            l << v.texte;
    return l;
}

Printer::Resultat FakePrinter::imprimer_texte(const QString& texte, const QString& titre)
{
    vues.append({"texte", titre, texte, nullptr, {}});
    if (pendant)
        pendant(vues.last());
    return reponse;
}

Printer::Resultat FakePrinter::imprimer_widget(QWidget* w, const QString& titre, const QString& pied)
{
    vues.append({"widget", titre, pied, w, w ? w->size() : QSize()});
    if (pendant)
        pendant(vues.last());
    return reponse;
}

bool FakeTableur::enregistrer(const Classeur& c, const QString& chemin)
{
    enregistres.append({chemin, c});
    if (pendant)
        pendant(enregistres.last());
    return ecrire ? ecrire_xlsx(c, chemin) : reponse;
}

PlateformeTest::PlateformeTest()
{
    Platform p;
    auto po = std::make_unique<FakePopups>();
    auto b = std::make_unique<FakeBeep>();
    auto a = std::make_unique<FakeHelp>();
    auto h = std::make_unique<FakeClock>();
    auto i = std::make_unique<FakePrinter>();
    auto t = std::make_unique<FakeTableur>();
    auto pp = std::make_unique<FakePressePapiers>();
    presse_papiers = pp.get();
    popups = po.get();
    beep = b.get();
    aide = a.get();
    horloge = h.get();
    imprimante = i.get();
    tableur = t.get();
    p.popups = std::move(po);
    p.beep = std::move(b);
    p.aide = std::move(a);
    p.horloge = std::move(h);
    p.imprimante = std::move(i);
    p.tableur = std::move(t);
    p.presse_papiers = std::move(pp);
    ancienne_ = installer_plateforme(std::move(p));
}

PlateformeTest::~PlateformeTest()
{
    installer_plateforme(std::move(ancienne_));
}

ProgrammeTest::ProgrammeTest(bool avec_uir)
{
    QDir bin(VOLTEXA_BIN_DIR);
    QDir d(dir_.path());
    if (avec_uir)
        QFile::link(bin.filePath("VOLTEXA.uir"), d.filePath("VOLTEXA.uir"));
    QFile::link(bin.filePath("toolbar"), d.filePath("toolbar"));
    for (const QString& f : bin.entryList({"*.hhh"}, QDir::Files))
        QFile::copy(bin.filePath(f), d.filePath(f));
    // COM1 to COM4 lead nowhere, so no test ever opens a serial port of the
    // machine, and a start-up on any of them is an ordinary one.
    d.mkdir("ports");
    for (int n = 1; n <= 4; ++n)
        QFile::link(d.filePath("ports/absent"), d.filePath(QStringLiteral("ports/COM%1").arg(n)));
    // The default settings, as a first run leaves them: a session is an
    // ordinary start, without the missing-settings message.
    QFile ini(d.filePath("voltexa.ini"));
    if (ini.open(QIODevice::WriteOnly)) {
        ini.write("1\n0\n1 1 1 1 -1          \n1 1 1 1 -1          \n0.000000\n0\n");
        ini.write(d.path().toLocal8Bit() + "\n");
        ini.write("16711680\n65280\n16776960\n12632256\n128\n12632256\n16711680\n32768\n0\n255\n0\n"
                  "1\n38\n45\n460\n647\n0\n***\n");
    }
    fixer_repertoire_programme(dir_.path());
}

ProgrammeTest::~ProgrammeTest()
{
    fixer_repertoire_programme(QString());
}

SessionTest::SessionTest()
{
    remise_a_zero_globales();
    resultat = demarrage();
}

SessionTest::~SessionTest()
{
    arreter_voltexa();
}
