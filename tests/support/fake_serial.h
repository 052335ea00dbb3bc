// Serial port double: records what the transactions do and answers from a
// script, without waiting. A short read fails with the time-out error at
// once, as the real port does after its delay.
#pragma once

#include "link/serial.h"

#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class FakeSerialPort final : public SerialPort {
public:
    // What the port did, in order: "ouvrir <device>", "vider", "delai <s>",
    // "ecrire <n>", "lire <n>", "pause", "fermer".
    QStringList journal;
    std::vector<std::uint8_t> ecrit;     // every byte written, in order
    std::deque<std::uint8_t> a_lire;     // bytes waiting to be read
    // Called with each frame written; usually pushes the answer to a_lire.
    std::function<void(const std::vector<std::uint8_t>&)> repondre;

    int erreur_ouverture = SERIE_OK;     // error that ouvrir() reports
    int erreur_ecriture = SERIE_OK;      // error that ecrire() reports
    int file_sortie_restante = 0;        // queue length reported that many times before 0
    QString texte_erreur;                // the system's words given with any error

    void ouvrir(const QString& peripherique, int baud, int parite, int bits_donnees, int bits_stop,
                int file_entree, int file_sortie) override;
    void fermer() override;
    bool est_ouvert() const override { return ouvert_; }
    void vider_files() override;
    void fixer_delai(double secondes) override;
    double delai() const override { return delai_; }
    int ecrire(const std::uint8_t* octets, int nombre) override;
    int longueur_file_sortie() override;
    int lire(std::uint8_t* octets, int nombre, Instant echeance) override;
    void pause_ligne(double secondes) override;
    int erreur() const override { return erreur_; }
    QString texte_systeme() const override { return erreur_ ? texte_erreur : QString(); }

private:
    bool ouvert_ = false;
    double delai_ = 5.0;
    int erreur_ = SERIE_OK;
};

// Installs a FakeSerialPort for the life of the object, then puts the
// previous port back.
class PortSerieDeTest {
public:
    PortSerieDeTest();
    ~PortSerieDeTest();
    PortSerieDeTest(const PortSerieDeTest&) = delete;
    PortSerieDeTest& operator=(const PortSerieDeTest&) = delete;
    FakeSerialPort& operator*() { return *port_; }
    FakeSerialPort* operator->() { return port_; }

private:
    FakeSerialPort* port_;
    std::unique_ptr<SerialPort> precedent_;
};
