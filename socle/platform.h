// Services of the desktop the program runs on, each behind a small
// interface: the Qt implementations are the real ones, tests install doubles
// (tests/support/fake_platform.h) that script answers and record what was shown.
#pragma once


#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QImage;
class QPrinter;
class QWidget;
struct Classeur;

// Modal popups. They block until answered; while one is open the event loop
// keeps running, as with any modal window.
class Popups {
public:
    virtual ~Popups() = default;
    // One OK button.
    virtual void message(const QString& title, const QString& text) = 0;
    // Up to three buttons with the caller's texts (an empty text is no
    // button). Returns the 1-based number of the button chosen. Enter answers
    // `defaut`, Escape answers `echap`.
    virtual int question(const QString& title, const QString& text, const QStringList& boutons,
                         int defaut, int echap) = 0;
    // A line of text of at most `longueur_max` characters (0: no limit)
    // with the focus, under `invite`; the first of `boutons` (default OK and
    // Cancel) answers with the text and Enter, the second cancels and
    // Escape; nullopt when cancelled.
    virtual std::optional<QString> texte(const QString& title, const QString& invite,
                                         const QString& initial, const QStringList& boutons = {},
                                         int longueur_max = 0) = 0;
    // A file to open (`enregistrer` false) or to save; nullopt when cancelled.
    virtual std::optional<QString> fichier(const QString& title, const QString& dossier,
                                           const QString& filtre, bool enregistrer) = 0;
    virtual std::optional<QString> dossier(const QString& title, const QString& depart) = 0;
    virtual void curseur_attente(bool actif) = 0;
};

// The system clipboard.
class PressePapiers {
public:
    virtual ~PressePapiers() = default;
    virtual void image(const QImage& image) = 0;
    // Plain text (a spreadsheet pastes tab-separated columns as cells).
    virtual void texte(const QString& texte) = 0;
};

class Beep {
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

// Shows the HTML help file at its contents, or with its keyword search open.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void sommaire(const QString& fichier) = 0;
    virtual void recherche(const QString& fichier, const QString& mot) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Waits, keeping the interface alive.
    virtual void attendre(double secondes) = 0;
    // The date and time of the computer's clock.
    virtual QDateTime maintenant() { return QDateTime::currentDateTime(); }
};

// Printing. Each call returns once the job is handed to the printer, or the
// user gave it up, or it could not start.
class Printer {
public:
    enum Resultat { imprime, annule, echec_imprimante, echec_fichier };
    virtual ~Printer() = default;
    // Plain text, one line per line end, in a fixed-pitch font, on the
    // default printer; the print dialog comes up only when the system has
    // none. `titre` names the job.
    virtual Resultat imprimer_texte(const QString& texte, const QString& titre) = 0;
    // The widget drawn whole and scaled to the page under `titre`, with the
    // lines of `pied` under it in a fixed-pitch font, after the print
    // dialog, whose printers include a PDF file.
    virtual Resultat imprimer_widget(QWidget* w, const QString& titre, const QString& pied) = 0;
};

// The spreadsheet service: a workbook (export/classeur.h) written as an
// Office Open XML file (.xlsx) and shown in the desktop's spreadsheet program.
class Tableur {
public:
    virtual ~Tableur() = default;
    // Writes the workbook at `chemin`, whole or not at all: it is built
    // beside the target and takes its place only once complete, so a failure
    // leaves an earlier file of that name as it was. False when it could not
    // be written.
    virtual bool enregistrer(const Classeur& c, const QString& chemin) = 0;
    // Shows the workbook in the desktop's spreadsheet program, when one is
    // registered; nothing happens otherwise.
    virtual void ouvrir(const QString& chemin) = 0;
};

struct Platform {
    std::unique_ptr<Popups> popups;
    std::unique_ptr<Beep> beep;
    std::unique_ptr<HelpViewer> aide;
    std::unique_ptr<Clock> horloge;
    std::unique_ptr<Printer> imprimante;
    std::unique_ptr<Tableur> tableur;
    std::unique_ptr<PressePapiers> presse_papiers;
};

// The services in force. Starts with the set the initial factory makes: the
// window library registers its Qt implementations of the ground's own
// services (socle/ecran/platform_qt.h) before main; a program without it
// starts with the clock alone. The printer (files/) and the spreadsheet
// (export/) are added by the program at start-up.
Platform& plateforme();
// Replaces every service at once (tests); returns the previous set.
Platform installer_plateforme(Platform p);
// The factory of the first set, when called before plateforme() is first used.
void fixer_plateforme_initiale(Platform (*fabrique)());
// The computer's clock, waiting in an event loop of Qt Core.
std::unique_ptr<Clock> horloge_systeme();
// The services of a program without windows: the clock only.
Platform plateforme_sans_ecran();

// The program's own directory: where the panel file, settings, help and
// toolbar images live. The executable's directory unless a test set another.
QString GetProjectDir();
void fixer_repertoire_programme(const QString& dir);

// The program's files, and where each one is.
enum class FichierProgramme {
    panneaux,    // VOLTEXA.uir
    image_outil, // toolbar/<nom>.png
    aide_langue, // voltex<nom>.hhh, nom the language suffix
    aide,        // voltexa.hlp, the help copy of the language in force
    reglages,    // voltexa.ini
    port,        // ports/<nom>, nom "COMn": a link to a serial device
    travail,     // the spreadsheet export's default working directory
    reprise,     // reprise/<nom>: the journal of the acquisition in hand
};
// The files the program only reads lie beside the executable when they are
// there (build folder, portable copy), otherwise in the installed data
// folder (<prefix>/share/voltexa beside <prefix>/bin). The files it writes,
// and the ports folder, lie beside the executable when the program is not an
// installed one and may write in that folder; otherwise in the user's folders:
// the settings in the configuration folder (AppConfigLocation), the help copy,
// the ports and the recovery folder in the data folder (AppDataLocation), the working directory
// in the documents folder (the home folder without one). A folder the
// program will write to is not created here.
QString chemin_programme(FichierProgramme f, const QString& nom = QString());
// True when a file can be created in `dossier` (tried, so that neither
// root's rights nor an immutable folder mislead).
bool dossier_inscriptible(const QString& dossier);
