#include "support/fake_serial.h"

void FakeSerialPort::ouvrir(const QString& peripherique, int, int, int, int, int, int)
{
    journal << QStringLiteral("ouvrir %1").arg(peripherique);
    erreur_ = erreur_ouverture;
    ouvert_ = erreur_ == SERIE_OK;
}

void FakeSerialPort::fermer()
{
    if (ouvert_)
        journal << QStringLiteral("fermer");
    ouvert_ = false;
    erreur_ = SERIE_OK;
}

void FakeSerialPort::vider_files()
{
    journal << QStringLiteral("vider");
    erreur_ = ouvert_ ? SERIE_OK : SERIE_ERREUR_PORT_FERME;
    a_lire.clear();
}

void FakeSerialPort::fixer_delai(double secondes)
{
    journal << QStringLiteral("delai %1").arg(secondes);
    erreur_ = secondes > 0.0 ? SERIE_OK : SERIE_ERREUR_PARAMETRE;
    if (erreur_ == SERIE_OK)
        delai_ = secondes;
}

int FakeSerialPort::ecrire(const std::uint8_t* octets, int nombre)
{
    journal << QStringLiteral("ecrire %1").arg(nombre);
    erreur_ = ouvert_ ? erreur_ecriture : SERIE_ERREUR_PORT_FERME;
    if (erreur_)
        return 0;
    std::vector<std::uint8_t> trame(octets, octets + nombre);
    ecrit.insert(ecrit.end(), trame.begin(), trame.end());
    if (repondre)
        repondre(trame);
    return nombre;
}

int FakeSerialPort::longueur_file_sortie()
{
    erreur_ = ouvert_ ? SERIE_OK : SERIE_ERREUR_PORT_FERME;
    if (file_sortie_restante > 0)
        return file_sortie_restante--;
    return 0;
}

int FakeSerialPort::lire(std::uint8_t* octets, int nombre, Instant)
{
    journal << QStringLiteral("lire %1").arg(nombre);
    erreur_ = ouvert_ ? SERIE_OK : SERIE_ERREUR_PORT_FERME;
    if (erreur_)
        return 0;
    int n = 0;
    while (n < nombre && !a_lire.empty()) {
        octets[n++] = a_lire.front();
        a_lire.pop_front();
    }
    if (n < nombre)
        erreur_ = SERIE_ERREUR_DELAI;
    return n;
}

void FakeSerialPort::pause_ligne(double)
{
    journal << QStringLiteral("pause");
    erreur_ = SERIE_OK;
}

PortSerieDeTest::PortSerieDeTest()
{
    auto p = std::make_unique<FakeSerialPort>();
    port_ = p.get();
    precedent_ = installer_port_serie(std::move(p));
}

PortSerieDeTest::~PortSerieDeTest()
{
    installer_port_serie(std::move(precedent_));
}
