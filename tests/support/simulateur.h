// Runs voltexa-sim for a test: its COM link in a temporary program
// directory, commands through its standard input, ended by its PID.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Terminals (/dev/tty*, /dev/pts/*) this process has open: what the program
// really opened, whatever name it went through.
QStringList terminaux_ouverts();

class SimulateurDeTest {
public:
    SimulateurDeTest();
    // Ends the simulator (SIGTERM) if it still runs.
    ~SimulateurDeTest();
    SimulateurDeTest(const SimulateurDeTest&) = delete;
    SimulateurDeTest& operator=(const SimulateurDeTest&) = delete;

    // Starts it on COM `com` of repertoire() with these events, and waits
    // until it has announced its terminal. False if it did not.
    bool demarrer(const QStringList& evenements = {}, int com = 1);
    // Sends one command and waits for its answer; true for "ok".
    bool commande(const QString& texte);
    // SIGTERM, then waits for the end. Returns the exit code, -1 if it had
    // to be killed or did not end normally.
    int arreter();

    QString repertoire() const { return dossier_.path(); }
    QString terminal() const { return terminal_; }
    QString lien(int com = 1) const;
    QProcess& processus() { return processus_; }

private:
    // Next line of its output, or an empty text after `ms`.
    QString ligne(int ms);

    QTemporaryDir dossier_;
    QProcess processus_;
    QString terminal_;
};
