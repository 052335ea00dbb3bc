// Test doubles of the platform services: popups answer from a script and
// record what was shown; nothing ever blocks on a modal window.
#pragma once

#include "export/classeur.h"
#include "socle/platform.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <functional>
#include <QStringList>
#include <QTemporaryDir>

struct PopupVu {
    QString genre; // "message", "question", "texte", "fichier", "dossier"
    QString titre;
    QString texte;
    QStringList boutons;
    int defaut = 0;
    int echap = 0;
    int longueur_max = 0; // text input: the field's limit
};

class FakePopups : public Popups {
public:
    QList<PopupVu> vus;
    QList<int> reponses;                          // answers to questions, in order
    QList<std::optional<QString>> saisies;        // answers to text, file and folder choices
    // Once the scripted answers run out: questions get `reponse_suivante`
    // (0: their Escape answer), choices get `saisie_suivante`.
    int reponse_suivante = 0;
    std::optional<QString> saisie_suivante;
    int attente = 0;                              // wait cursor depth seen last
    std::function<void(const PopupVu&)> pendant;  // runs while a question is up
    int changements_attente = 0;

    void message(const QString& titre, const QString& texte) override;
    int question(const QString& titre, const QString& texte, const QStringList& boutons, int defaut,
                 int echap) override;
    std::optional<QString> texte(const QString& titre, const QString& invite, const QString& initial,
                                 const QStringList& boutons, int longueur_max) override;
    std::optional<QString> fichier(const QString& titre, const QString& dossier, const QString& filtre,
                                   bool enregistrer) override;
    std::optional<QString> dossier(const QString& titre, const QString& depart) override;
    void curseur_attente(bool actif) override;

    QStringList messages() const; // texts of the message popups, in order

private:
    std::optional<QString> saisie();
};

class FakeBeep : public Beep {
public:
    int bips = 0;
    void beep() override { ++bips; }
};

class FakeHelp : public HelpViewer {
public:
    QStringList ouverts; // "sommaire:<file>" or "recherche:<file>:<word>"
    void sommaire(const QString& f) override { ouverts << "sommaire:" + f; }
    void recherche(const QString& f, const QString& m) override { ouverts << "recherche:" + f + ":" + m; }
};

// Time stands still unless a test moves it; waiting moves it.
class FakeClock : public Clock {
public:
    double attendu = 0.0;
    QDateTime heure{QDate(2026, 3, 7), QTime(10, 0, 0)};
    std::function<void()> pendant; // runs during each wait (a notice is up)
    void attendre(double s) override
    {
        attendu += s;
        heure = heure.addMSecs(qint64(s * 1000));
        if (pendant)
            pendant();
    }
    QDateTime maintenant() override { return heure; }
};

// Keeps the last image and the last text put on the clipboard.
class FakePressePapiers : public PressePapiers {
public:
    QImage derniere;
    QString dernier_texte;
    int copies = 0;
    void image(const QImage& i) override
    {
        derniere = i;
        ++copies;
    }
    void texte(const QString& t) override
    {
        dernier_texte = t;
        ++copies;
    }
};

// A print job as the program handed it over.
struct ImpressionVue {
    QString genre; // "texte" or "widget"
    QString titre;
    QString texte;            // the text printed (under a widget: its foot)
    QWidget* widget = nullptr;
    QSize taille;             // the widget's size when it was printed
};

// Prints nothing; records each job and answers `reponse`.
class FakePrinter : public Printer {
public:
    QList<ImpressionVue> vues;
    Resultat reponse = imprime;
    std::function<void(const ImpressionVue&)> pendant; // runs while a job prints

    Resultat imprimer_texte(const QString& texte, const QString& titre) override;
    Resultat imprimer_widget(QWidget* w, const QString& titre, const QString& pied) override;
};

// A workbook as the program handed it over.
struct ClasseurVu {
    QString chemin;
    Classeur classeur;
};

// Keeps every workbook handed over and answers `reponse`; writes no file
// unless `ecrire` is set, when the real writer does and its answer counts.
// Opens nothing: each request is recorded.
class FakeTableur : public Tableur {
public:
    QList<ClasseurVu> enregistres;
    QStringList ouverts;
    bool reponse = true;
    bool ecrire = false;
    std::function<void(const ClasseurVu&)> pendant; // runs while a workbook is written

    bool enregistrer(const Classeur& c, const QString& chemin) override;
    void ouvrir(const QString& chemin) override { ouverts << chemin; }
};

// Installs the doubles for its lifetime and restores the previous services.
class PlateformeTest {
public:
    PlateformeTest();
    ~PlateformeTest();
    FakePopups* popups;
    FakeBeep* beep;
    FakeHelp* aide;
    FakeClock* horloge;
    FakePrinter* imprimante;
    FakeTableur* tableur;
    FakePressePapiers* presse_papiers;

private:
    Platform ancienne_;
};

// A program directory of its own in a temporary folder, holding links to the
// built panel file, toolbar images and help files, and ports/COM1 to COM4
// that lead nowhere. Becomes GetProjectDir().
class ProgrammeTest {
public:
    // With `avec_uir` false the panel resource file is left out.
    explicit ProgrammeTest(bool avec_uir = true);
    ~ProgrammeTest();
    QString dir() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Starts the program in a fresh program directory with test doubles; stops it
// and clears every global on destruction.
class SessionTest {
public:
    SessionTest();
    ~SessionTest();
    PlateformeTest plateforme;
    ProgrammeTest programme;
    int resultat = 0;
};
