// The program's writers on a disk that fails (full from the first byte,
// full on the way, a sync refused, a device that takes nothing): the write
// is reported failed, the file that was there stays byte for byte and
// nothing is left beside it; on a sound disk the file is whole.
#include "files/format.h"
#include "files/journal.h"
#include "export/classeur.h"
#include "files/ecran/impression_qt.h"
#include "socle/ecriture.h"
#include "socle/platform.h"
#include "support/disque_simule.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

enum Ecrivain { paire, classeur, pdf };

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void poser(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(octets), octets.size());
}

// 1000 readings of 40 characters and their configuration.
QString ligne(int j)
{
    return QStringLiteral("%1 07-03-2026 07:00:00      4.000     ").arg(j + 1, 5).left(39);
}

Configuration configuration_mille()
{
    Configuration c;
    c.voies[0] = {1, 1, 2, 1, 1, "I(A)"};
    c.voies[1] = {1, 1, 2, 1, -1, ""};
    c.nb_points = 1000;
    for (int j = 0; j < 1000; ++j)
        c.x.push_back(j);
    return c;
}

Classeur classeur_mille()
{
    Classeur c;
    Feuille f;
    f.nom = "Mesures";
    for (int j = 0; j < 1000; ++j) {
        f.cellules.push_back({j, 0, true, double(j), {}, 0});
        f.cellules.push_back({j, 1, false, 0.0, ligne(j), 0});
    }
    c.feuilles.push_back(f);
    return c;
}

// Writes with writer `e` at `cible` (a data file for the pair), as the
// program does; true when it says it wrote.
bool ecrire_avec(Ecrivain e, const QString& cible)
{
    switch (e) {
    case paire: {
        const Configuration c = configuration_mille();
        return enregistrer_paire(cible, chemin_configuration(cible), [&c](QIODevice& f, int i) {
            return i == 0 ? ecrire_donnees(f, 1000, ligne) : ecrire_configuration(f, c);
        });
    }
    case classeur:
        return ecrire_xlsx(classeur_mille(), cible);
    case pdf: {
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(cible);
        QString texte;
        for (int j = 0; j < 1000; ++j)
            texte += ligne(j) + '\n';
        return imprimer_sur(p, [&texte](QPrinter& i) { return dessiner_texte(i, texte); }) == Printer::imprime;
    }
    }
    return false;
}

// The files a writer leaves for a target: the pair's two, or the one.
QStringList fichiers_de(Ecrivain e, const QString& cible)
{
    if (e == paire)
        return {cible, chemin_configuration(cible)};
    return {cible};
}

// Whole as the program reads it back.
bool complet(Ecrivain e, const QString& cible)
{
    switch (e) {
    case paire: {
        QFile fc(chemin_configuration(cible)), fd(cible);
        Configuration c;
        Releves r;
        return fc.open(QIODevice::ReadOnly) && lire_configuration(fc, true, c) == Lecture::Bonne &&
               fd.open(QIODevice::ReadOnly) && lire_donnees(fd, c.nb_points, 1, r) == Lecture::Bonne &&
               c.nb_points == 1000 && r.lignes.size() == 1000 && r.lignes.last() == ligne(999);
    }
    case classeur:
        return lire(cible).startsWith("PK\x03\x04") && lire(cible).size() > 4000;
    case pdf:
        return pdf_complet(cible);
    }
    return false;
}

// A real file system of 1 MB mounted over a temporary folder, for as long
// as the object lives (root only: `monte` false otherwise).
struct VraiDisque {
    QTemporaryDir d;
    bool monte = false;
    VraiDisque()
    {
        monte = ::geteuid() == 0 && d.isValid() &&
                QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", d.path()}) == 0;
    }
    ~VraiDisque()
    {
        if (monte)
            QProcess::execute("umount", {d.path()});
    }
    // Fills it but for `libres` bytes, with a file of its own.
    void remplir(qint64 libres)
    {
        QFile f(d.filePath("remplissage"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray bloc(4096, 'x');
        while (f.write(bloc) == bloc.size())
            ;
        f.close();
        QVERIFY(f.resize(std::max<qint64>(0, f.size() - libres)));
    }
    void liberer() { QFile::remove(d.filePath("remplissage")); }
};

struct DisqueSimule {
    DisqueSimule(qint64 place, bool synchro) { simuler_disque(place, synchro); }
    ~DisqueSimule() { simuler_disque(-1); }
};

} // namespace

class TestEcritures : public QObject {
    Q_OBJECT

private slots:
    void disque_en_panne_data()
    {
        QTest::addColumn<int>("ecrivain");
        QTest::addColumn<qint64>("place");   // bytes the disk still takes, -1 all
        QTest::addColumn<bool>("synchro");   // the sync refused
        QTest::addColumn<bool>("ecrit");

        // The data file is 40000 bytes: at 40010 only the configuration is cut.
        const struct {
            const char* nom;
            Ecrivain e;
        } ecrivains[] = {{"recording pair", paire}, {"workbook", classeur}, {"PDF print", pdf}};
        for (const auto& e : ecrivains) {
            QTest::addRow("%s, sound disk", e.nom) << int(e.e) << qint64(-1) << false << true;
            QTest::addRow("%s, disk full", e.nom) << int(e.e) << qint64(0) << false << false;
            QTest::addRow("%s, full after 2000 bytes", e.nom) << int(e.e) << qint64(2000) << false << false;
            QTest::addRow("%s, sync refused", e.nom) << int(e.e) << qint64(-1) << true << false;
        }
        QTest::addRow("recording pair, full within the configuration")
            << int(paire) << qint64(40010) << false << false;
    }

    void disque_en_panne()
    {
        QFETCH(int, ecrivain);
        QFETCH(qint64, place);
        QFETCH(bool, synchro);
        QFETCH(bool, ecrit);
        const auto e = Ecrivain(ecrivain);
        QTemporaryDir d;
        const QString cible = d.filePath(e == pdf ? "releves.pdf" : e == classeur ? "releves.xlsx" : "releves.dat");
        const QStringList fichiers = fichiers_de(e, cible);
        for (const QString& f : fichiers)
            poser(f, "old contents of " + f.toUtf8() + "\n");
        bool dit = false;
        {
            DisqueSimule disque(place, synchro);
            dit = ecrire_avec(e, cible);
        }
        QCOMPARE(dit, ecrit);
        if (ecrit) {
            QVERIFY(complet(e, cible));
        } else {
            for (const QString& f : fichiers)
                QCOMPARE(lire(f), "old contents of " + f.toUtf8() + "\n");
        }
        // Nothing beside them: no temporary file left.
        QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), fichiers.size());
    }

    // A device as the target (a PDF or a workbook "saved" to /dev/full):
    // its refusal is a failure, and nothing stays in the temporary folder.
    void peripherique_plein_data()
    {
        QTest::addColumn<int>("ecrivain");
        QTest::addColumn<QString>("cible");
        QTest::addColumn<bool>("ecrit");
        QTest::addRow("workbook to /dev/full") << int(classeur) << "/dev/full" << false;
        QTest::addRow("PDF to /dev/full") << int(pdf) << "/dev/full" << false;
        QTest::addRow("PDF to /dev/null") << int(pdf) << "/dev/null" << true;
    }

    void peripherique_plein()
    {
        QFETCH(int, ecrivain);
        QFETCH(QString, cible);
        QFETCH(bool, ecrit);
        if (!QFile::exists(cible))
            QSKIP("no such device here");
        QCOMPARE(ecrire_avec(Ecrivain(ecrivain), cible), ecrit);
        const QString provisoires = "." + QFileInfo(cible).fileName() + ".*.part";
        QCOMPARE(QDir(QDir::tempPath()).entryList({provisoires}, QDir::Files | QDir::Hidden), QStringList());
        // Still the device: never replaced by a file.
        QVERIFY(!QFileInfo(cible).isFile());
    }

    // The same on a real file system left with one page free.
    void vrai_disque_plein_data()
    {
        QTest::addColumn<int>("ecrivain");
        QTest::addRow("recording pair") << int(paire);
        QTest::addRow("workbook") << int(classeur);
        QTest::addRow("PDF print") << int(pdf);
    }

    void vrai_disque_plein()
    {
        QFETCH(int, ecrivain);
        const auto e = Ecrivain(ecrivain);
        VraiDisque disque;
        if (!disque.monte)
            QSKIP("mounting a small file system takes the administrator's account");
        const QString cible = disque.d.filePath(e == pdf ? "r.pdf" : e == classeur ? "r.xlsx" : "r.dat");
        const QStringList fichiers = fichiers_de(e, cible);
        for (const QString& f : fichiers)
            poser(f, "old contents\n");
        disque.remplir(4096);
        QVERIFY(!ecrire_avec(e, cible));
        for (const QString& f : fichiers)
            QCOMPARE(lire(f), QByteArray("old contents\n"));
        QCOMPARE(QDir(disque.d.path()).entryList(QDir::Files | QDir::Hidden).size(), fichiers.size() + 1);
        disque.liberer();
        QVERIFY(ecrire_avec(e, cible));
        QVERIFY(complet(e, cible));
    }

    // The journal on a real file system that fills: the appends refused
    // wait, and once room is made the next one writes them all, whole lines.
    void vrai_disque_plein_journal()
    {
        VraiDisque disque;
        if (!disque.monte)
            QSKIP("mounting a small file system takes the administrator's account");
        const QString dat = disque.d.filePath("acquisition.dat");
        Journal j;
        QVERIFY(j.ouvrir(dat, configuration_mille()));
        disque.remplir(4096);
        int refuses = 0;
        for (int k = 0; k < 1000; ++k)
            refuses += !j.ajouter(ligne(k));
        QVERIFY(refuses > 0);
        QVERIFY(j.lignes() < 1000);
        QCOMPARE(lire(dat).count('\n'), j.lignes());
        disque.liberer();
        QVERIFY(j.ajouter(ligne(1000)));
        QCOMPARE(j.lignes(), 1001);
        QVERIFY(j.attendre_synchro(3000));
        QStringList attendues;
        for (int k = 0; k <= 1000; ++k)
            attendues << ligne(k);
        QCOMPARE(QString::fromLatin1(lire(dat)), attendues.join('\n') + '\n');
        j.fermer();
    }

    // A PDF cut anywhere is not taken for a whole one.
    void pdf_tronque_refuse()
    {
        QTemporaryDir d;
        const QString cible = d.filePath("a.pdf");
        QVERIFY(ecrire_avec(pdf, cible));
        const QByteArray tout = lire(cible);
        for (qsizetype n : {qsizetype(0), qsizetype(100), tout.size() / 2, tout.size() - 8}) {
            poser(d.filePath("b.pdf"), tout.left(n));
            QVERIFY2(!pdf_complet(d.filePath("b.pdf")), qPrintable(QString::number(n)));
        }
        // Bytes lost in the middle move the closing table away from where it is said to be.
        poser(d.filePath("b.pdf"), tout.left(200) + tout.mid(1200));
        QVERIFY(!pdf_complet(d.filePath("b.pdf")));
    }
};

QTEST_MAIN(TestEcritures)
#include "test_ecritures.moc"
