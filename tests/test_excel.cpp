// Spreadsheet export: the sheet built from the readings list, the panel's
// states, names and questions through the test doubles, and real workbooks
// read back by an independent reader.
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "export/panneaux.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "app/quitter.h"
#include "socle/ecran/toolkit.h"
#include "export/excel.h"
#include "export/tableur.h"
#include "graph/fenetres_voies.h"
#include "acquisition/ligne.h"
#include "lang/ecran/langue.h"
#include "lang/textes.h"
#include "support/inspection.h"
#include "support/fake_platform.h"
#include "support/releves_ranges.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <cmath>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <map>

namespace {

QString erreur(int code)
{
    return QString::fromUtf8(tx::erreur[code * 5 + langue]) + "\n";
}

using Grille = std::map<std::pair<int, int>, Cellule>;

Grille grille(const Classeur& c)
{
    Grille g;
    for (const Cellule& x : c.feuilles.at(0).cellules)
        g[{x.ligne, x.colonne}] = x;
    return g;
}

QString texte(const Grille& g, int ligne, int colonne)
{
    auto it = g.find({ligne, colonne});
    return it == g.end() || it->second.est_nombre ? QString() : it->second.texte;
}

double nombre(const Grille& g, int ligne, int colonne)
{
    auto it = g.find({ligne, colonne});
    return it == g.end() || !it->second.est_nombre ? qQNaN() : it->second.nombre;
}

// The workbook at `chemin` as the independent reader sees it.
QJsonObject relire(const QString& chemin)
{
    QProcess lecteur;
    const QString script = QStringLiteral(VOLTEXA_SOURCE_DIR "/tests/support/lire_classeur.py");
    lecteur.start("/usr/bin/python3", {script, chemin});
    if (!lecteur.waitForFinished(60000) || lecteur.exitCode() != 0) {
        qWarning() << lecteur.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(lecteur.readAllStandardOutput()).object();
}

// The program with n readings of one or two channels listed (NaN: undefined),
// one a second from 10:00:00 on `jour`, the lines written in `langue_lignes`
// (-1: the language in force) with clock times or elapsed times, the panel
// opened from the Edit menu; the working directory is a folder of its own.
struct Poste {
    SessionTest session;
    FakePopups& popups = *session.plateforme.popups;
    FakeTableur& tableur = *session.plateforme.tableur;
    QTemporaryDir travail{QDir::tempPath() + "/vtexport-XXXXXX"};
    int panel = Fen_princ[PNL_EXCEL];
    PnlExcel& x = liaison<PnlExcel>(Fen_princ[PNL_EXCEL]);

    Poste(int voies, const QList<QPair<double, double>>& valeurs, int langue_ = 1, int langue_lignes = -1,
          bool relatif = false, QDate jour = QDate(2026, 3, 7))
    {
        langue = langue_;
        Mesure.port = 1;
        Mesure.nb_voies = voies;
        Donnee[1].grandeur = 1;
        Donnee[2].grandeur = 5;
        copie_texte(Donnee[1].libelle, "V(V)");
        copie_texte(Donnee[2].libelle, "P(W)");
        Acq.temps_relatif = relatif ? 1 : 0;
        Maj_connexion();
        for (int j = 0; j < valeurs.size(); ++j) {
            const auto [a, b] = valeurs[j];
            ranger_essai(j, jour, relatif ? QTime(0, 0, j) : QTime(10, 0, j), relatif,
                         langue_lignes >= 0 ? langue_lignes : langue, voies, a, b);
        }
        Acq.nb_points = int(valeurs.size());
        copie_texte(Excel.repertoire, travail.path().toLocal8Bit().constData());
        tk::declencher(ITEM_EXPORTER);
        popups.vus.clear();
    }
    QString chemin(const QString& nom) const { return travail.path() + "/" + nom; }
    bool repos() const
    {
        return x.lancer->isEnabled() && x.repertoire->isEnabled() && x.parcour->isEnabled() &&
               !x.exporte->isEnabled();
    }
    bool pret() const
    {
        return !x.lancer->isEnabled() && !x.repertoire->isEnabled() && !x.parcour->isEnabled() &&
               x.exporte->isEnabled() && x.quitter->isEnabled();
    }
    // Launch, then Export answering the file popup with `choix`.
    void exporter(std::optional<QString> choix)
    {
        if (!Excel.lance)
            x.lancer->click();
        popups.saisies << choix;
        x.exporte->click();
    }
};

} // namespace

class TestExcel : public QObject {
    Q_OBJECT

private slots:
    void une_voie_chaque_ligne_et_e_pour_son_entete_seul()
    {
        Poste p(1, {{231.4, 0}, {qQNaN(), 0}, {-6300.0, 0}});
        QVERIFY(tk::fenetre(p.panel)->isVisible());
        p.exporter(p.chemin("mesure"));
        QCOMPARE(p.tableur.enregistres.size(), 1);
        QCOMPARE(p.tableur.enregistres[0].chemin, p.chemin("mesure.xlsx"));
        QCOMPARE(p.tableur.ouverts, QStringList{p.chemin("mesure.xlsx")});
        const Classeur& c = p.tableur.enregistres[0].classeur;
        const Grille g = grille(c);
        QCOMPARE(c.feuilles[0].nom, QString("Data"));
        QCOMPARE(c.feuilles[0].lignes_figees, 1);
        QCOMPARE(texte(g, 0, 0), QString("N°"));
        QCOMPARE(texte(g, 0, 3), QString("CH1: V(V)"));
        QCOMPARE(c.styles[std::size_t(g.at({0, 3}).style)].gras, true);
        QCOMPARE(nombre(g, 1, 0), 1.0);
        // Date and time are numbers shown as the English list shows them.
        QCOMPARE(c.styles[std::size_t(g.at({3, 1}).style)].format_nombre, QString("mm-dd-yyyy"));
        QCOMPARE(c.styles[std::size_t(g.at({3, 2}).style)].format_nombre, QString("hh:mm:ss"));
        QVERIFY(nombre(g, 3, 2) - nombre(g, 1, 2) > 1.9 / 86400 && nombre(g, 3, 2) - nombre(g, 1, 2) < 2.1 / 86400);
        QCOMPARE(nombre(g, 1, 3), 231.4);
        QCOMPARE(c.styles[std::size_t(g.at({1, 3}).style)].format_nombre, QString("0.000"));
        QCOMPARE(texte(g, 2, 3), QString("----"));
        QCOMPARE(nombre(g, 3, 3), -6300.0);
        // Four columns of three readings and a header; nothing in E.
        QCOMPARE(g.size(), std::size_t(4 * 4));
        QCOMPARE(c.graphiques.size(), std::size_t(1));
        QCOMPARE(c.graphiques[0].series.size(), std::size_t(1));
        QCOMPARE(c.graphiques[0].series[0].derniere_ligne, 3);
        QCOMPARE(c.graphiques[0].titre, QString("CH1: V(V)"));
        QCOMPARE(c.graphiques[0].titre_y, QString("Voltage (V)"));
        QVERIFY(c.graphiques[0].titre_y2.isEmpty());
        QCOMPARE(p.x.zone_message->toPlainText(), "Sheet ready.\n" + p.chemin("mesure.xlsx") + "\n");
    }

    void deux_voies_valeurs_larges_de_la_voie_2_entieres()
    {
        Poste p(2, {{230.0, 1234.567}, {qQNaN(), -250.125}, {229.5, qQNaN()}});
        p.exporter(p.chemin("deux.XLSX"));
        QCOMPARE(p.tableur.enregistres[0].chemin, p.chemin("deux.XLSX"));
        const Classeur& c = p.tableur.enregistres[0].classeur;
        const Grille g = grille(c);
        QCOMPARE(texte(g, 0, 4), QString("CH2: P(W)"));
        QCOMPARE(nombre(g, 1, 4), 1234.567);
        QCOMPARE(nombre(g, 2, 4), -250.125);
        QCOMPARE(texte(g, 2, 3), QString("----"));
        QCOMPARE(texte(g, 3, 4), QString("----"));
        QCOMPARE(g.size(), std::size_t(4 * 5));
        QCOMPARE(c.graphiques[0].series.size(), std::size_t(2));
        QCOMPARE(c.graphiques[0].series[1].colonne_y, 4);
    }

    // The workbook is made from the readings themselves: a readings list
    // showing other text does not change it.
    void liste_alteree_sans_effet()
    {
        Poste p(2, {{230.0, 1234.567}, {qQNaN(), -250.125}}, 0, 0, false, QDate(2026, 3, 13));
        ListeReleves* l = liaison<PnlDonnees>(Info[0].panel).liste;
        l->clear();
        for (int j = 0; j < 2; ++j)
            l->addItem(QString("%1 01-01-1999 00:00:00      9.000          9.000         ").arg(j + 1, 5), j);
        p.exporter(p.chemin("m"));
        const Grille g = grille(p.tableur.enregistres[0].classeur);
        QCOMPARE(nombre(g, 1, 1), double(QDate(2026, 3, 13).toJulianDay() - QDate(1899, 12, 30).toJulianDay()));
        QCOMPARE(qRound64(nombre(g, 2, 2) * 86400) % 86400, 10 * 3600 + 1);
        QCOMPARE(nombre(g, 1, 3), 230.0);
        QCOMPARE(nombre(g, 1, 4), 1234.567);
        QCOMPARE(texte(g, 2, 3), QString("----"));
        QCOMPARE(nombre(g, 2, 4), -250.125);
    }

    // Each language puts the channel pieces of the label elsewhere.
    void entetes_de_voie_dans_chaque_langue()
    {
        for (int l = 0; l < 5; ++l) {
            Poste p(2, {{1.0, 2.0}}, l);
            // Built on a new set-up, then on a change of language.
            for (int fois = 0; fois < 2; ++fois) {
                if (fois == 1)
                    Changement_langue(menu);
                const QString etiquette = liaison<PnlDonnees>(Info[0].panel).entete->text();
                QCOMPARE(piece_etiquette(etiquette, 1), QString("CH1: V(V)"));
                QCOMPARE(piece_etiquette(etiquette, 2), QString("CH2: P(W)"));
            }
        }
        QCOMPARE(piece_etiquette(QString(30, 'x') + "abc", 2), QString());
    }

    void sans_releves_la_ligne_d_entete_seule()
    {
        int jauge = -1;
        const auto lire_jauge = [&](const ClasseurVu&) {
            jauge = liaison<PnlProgression>(Fen_princ[PNL_PROGRESS]).jauge->value();
        };
        {
            Poste p(1, {});
            p.tableur.pendant = lire_jauge;
            p.exporter(p.chemin("vide.xlsx"));
            const Classeur& c = p.tableur.enregistres[0].classeur;
            for (const Cellule& x : c.feuilles[0].cellules) {
                QVERIFY(x.ligne == 0); // A1:W1
                QVERIFY(x.colonne < 23);
            }
            QCOMPARE(c.feuilles[0].cellules.size(), std::size_t(4));
            QVERIFY(c.graphiques.empty());
            QCOMPARE(jauge, 0);
            QCOMPARE(Fen_princ[PNL_PROGRESS], 0);
        }
        // With readings the gauge ends at 100 %.
        Poste q(1, {{1, 0}, {2, 0}, {3, 0}});
        q.tableur.pendant = lire_jauge;
        q.exporter(q.chemin("plein.xlsx"));
        QCOMPARE(jauge, 100);
        QCOMPARE(pourcentage(0, 3), 33);
        QCOMPARE(pourcentage(29999, 30000), 100);
    }

    void noms_nettoyes_proposes_et_completes()
    {
        QCOMPARE(compres(u"mes  essais"), QString("mes "));
        QCOMPARE(compres(u"essai_1,2"), QString("essai12"));
        QCOMPARE(compres(u"C:\\mes\tdonnées/=+*-.x"), QString("C:\\mes\tdonnes/=+*-.x"));
        QCOMPARE(compres(QString(400, 'a')), QString(300, 'a'));
        QCOMPARE(compres(QStringView(u"ab  ").left(3)), QString("ab "));
        QCOMPARE(nom_propose("vtex", 1), QString("vtex01"));
        QCOMPARE(nom_propose("vtex", 99), QString("vtex99"));
        QCOMPARE(nom_propose("vtex", 100), QString("vtex100"));
        QCOMPARE(completer_nom("Data"), QString("Data.xlsx"));
        QCOMPARE(completer_nom("Data.XLSX"), QString("Data.XLSX"));
        QCOMPARE(completer_nom("Data.xls"), QString("Data.xlsx"));
    }

    void compteur_annulation_et_nom_de_feuille()
    {
        Poste p(1, {{1, 0}});
        p.exporter(std::nullopt);
        QCOMPARE(p.popups.vus[0].genre, QString("fichier"));
        QCOMPARE(p.popups.vus[0].titre, QString("Save"));
        QCOMPARE(p.popups.vus[0].texte, p.chemin("vtex01"));
        // Cancelled: nothing written, the export still ends and counts.
        QVERIFY(p.tableur.enregistres.isEmpty());
        QVERIFY(p.tableur.ouverts.isEmpty());
        QCOMPARE(p.popups.vus.size(), 1);
        QVERIFY(p.pret());
        QCOMPARE(p.x.zone_message->toPlainText(), QString("Sheet ready.\n"));

        p.x.feuille->setText("essai_1,2");
        p.exporter(std::nullopt);
        QCOMPARE(p.popups.vus[1].texte, p.chemin("essai1202"));
        QCOMPARE(p.x.feuille->text(), QString("essai12"));

        Excel.numero = 100;
        p.exporter(std::nullopt);
        QCOMPARE(p.popups.vus[2].texte, p.chemin("essai12100"));
        QCOMPARE(Excel.numero, 101);
        // Opening the panel again starts from the default base name.
        tk::declencher(ITEM_EXPORTER);
        QCOMPARE(p.x.feuille->text(), QString("vtex"));
    }

    void ecraser_oui_ou_non()
    {
        Poste p(1, {{1, 0}});
        QFile f(p.chemin("vieux.xlsx"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        p.popups.reponses << 2;
        p.exporter(p.chemin("vieux"));
        QCOMPARE(p.popups.vus.size(), 2);
        const PopupVu& q = p.popups.vus[1];
        QCOMPARE(q.titre, QString("EXCEL Sheet"));
        QCOMPARE(q.texte, QString("Sheet already exist !    Overwrite Data ?\n"));
        QCOMPARE(q.boutons, (QStringList{"Yes", "No", ""}));
        QCOMPARE(q.defaut, 1);
        QCOMPARE(q.echap, 2);
        QVERIFY(p.tableur.enregistres.isEmpty());
        QVERIFY(QFile::exists(p.chemin("vieux.xlsx")));

        p.popups.reponses << 1;
        p.exporter(p.chemin("vieux.xlsx"));
        QCOMPARE(p.tableur.enregistres.size(), 1);
        QCOMPARE(p.tableur.ouverts.size(), 1);
    }

    void etats_du_panneau_lancer_exporter_quitter()
    {
        Poste p(1, {{1, 0}}, 0);
        QCOMPARE(p.x.travail->text(), QString("Répertoire de travail"));
        QCOMPARE(p.x.repertoire->text(), p.travail.path());
        QVERIFY(p.repos());
        p.x.exporte->setEnabled(true); // Export before Launch does nothing
        p.x.exporte->click();
        QVERIFY(p.popups.vus.isEmpty());
        p.x.exporte->setEnabled(false);

        p.x.lancer->click();
        QVERIFY(p.pret());
        QCOMPARE(Excel.lance, 1);
        QCOMPARE(p.x.zone_message->toPlainText(), QString::fromUtf8("EXCEL Prêt !\n"));
        // A second Launch starts no second session.
        Lancer_excel(p.panel, EXCEL_LANCER, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(Excel.lance, 1);

        bool occupe = false;
        p.tableur.pendant = [&](const ClasseurVu&) {
            occupe = !p.x.exporte->isEnabled() && !p.x.quitter->isEnabled() &&
                     tk::fenetre(Fen_princ[PNL_PROGRESS])->windowModality() == Qt::ApplicationModal;
        };
        p.exporter(p.chemin("a"));
        QVERIFY(occupe);
        QVERIFY(p.pret());
        QCOMPARE(p.x.zone_message->toPlainText(), QString::fromUtf8("Feuille prête.\n") + p.chemin("a.xlsx") + "\n");

        p.x.quitter->click();
        QVERIFY(!tk::fenetre(p.panel)->isVisible());
        QVERIFY(p.repos());
        QCOMPARE(Excel.lance, 0);
        QVERIFY(p.popups.messages().isEmpty());

        // The toolbar's button opens the panel as the Edit menu does.
        tk::HidePanel(p.panel);
        Toolbar_Presser(gToolbar, 10);
        QVERIFY(tk::fenetre(p.panel)->isVisible());
    }

    void repertoire_introuvable_et_parcourir()
    {
        Poste p(1, {{1, 0}});
        const QByteArray avant(Excel.repertoire);
        p.x.repertoire->setText(p.chemin("absent"));
        p.x.lancer->click();
        QCOMPARE(p.popups.messages(), QStringList{erreur(6)});
        QCOMPARE(QByteArray(Excel.repertoire), avant);
        QCOMPARE(Excel.lance, 0);
        QVERIFY(p.repos());

        QVERIFY(QDir(p.travail.path()).mkdir("autre"));
        p.popups.saisies << p.chemin("autre");
        p.x.parcour->click();
        QCOMPARE(p.x.repertoire->text(), p.chemin("autre"));
        QCOMPARE(QString::fromLocal8Bit(Excel.repertoire), p.chemin("autre"));

        // A folder whose name has characters the sheet name may not keep.
        const QString dossier = p.chemin(QString::fromUtf8("relevés_2026, été"));
        QVERIFY(QDir().mkdir(dossier));
        p.popups.saisies << dossier;
        p.x.parcour->click();
        p.exporter(std::nullopt);
        QCOMPARE(p.popups.vus.last().genre, QString("fichier"));
        QCOMPARE(p.popups.vus.last().texte, dossier + "/vtex01");
    }

    // Launch with a working directory that is missing, or that exists but
    // cannot be written: each says which, and the export does not start.
    void repertoire_de_travail_refuse_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<QString>("message"); // %1: the directory
        QTest::newRow("missing") << "absent" << "Working directory not found\n";
        QTest::newRow("a file") << "fichier" << "Working directory not found\n";
        QTest::newRow("read-only") << "lecture_seule" << "The working directory %1 cannot be written: choose another one.";
    }
    void repertoire_de_travail_refuse()
    {
        QFETCH(QString, genre);
        QFETCH(QString, message);
        Poste p(1, {{1, 0}});
        const QString dossier = p.chemin("dossier");
        int fd = -1, drapeaux = 0;
        if (genre == "fichier") {
            QFile f(dossier);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (genre == "lecture_seule") {
            QVERIFY(QDir().mkdir(dossier));
            QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner);
            // Root writes through permissions: the folder is then made immutable.
            if (geteuid() == 0) {
                fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY);
                int fige = 0;
                if (fd < 0 || ioctl(fd, FS_IOC_GETFLAGS, &drapeaux) != 0 ||
                    (fige = drapeaux | FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &fige) != 0)) {
                    if (fd >= 0)
                        ::close(fd);
                    QSKIP("no way to make a folder read-only for root here");
                }
            }
        }
        const QByteArray avant(Excel.repertoire);
        p.x.repertoire->setText(dossier);
        p.x.lancer->click();
        if (fd >= 0) {
            ioctl(fd, FS_IOC_SETFLAGS, &drapeaux);
            ::close(fd);
        }
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(p.popups.messages(), QStringList{message.contains("%1") ? message.arg(dossier) : message});
        QCOMPARE(QByteArray(Excel.repertoire), avant);
        QCOMPARE(Excel.lance, 0);
        QVERIFY(p.repos());
    }

    void echec_d_ecriture_et_fermeture_en_quittant()
    {
        Poste p(1, {{1, 0}});
        p.tableur.reponse = false;
        p.exporter(p.chemin("b"));
        QCOMPARE(p.popups.messages(), QStringList{erreur(12)});
        QVERIFY(p.tableur.ouverts.isEmpty());
        QVERIFY(p.pret());

        // Quitting while an export waits on the overwrite question drops
        // its workbook with the warning; the export then writes nothing.
        p.tableur.reponse = true;
        QFile f(p.chemin("c.xlsx"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        p.popups.vus.clear();
        p.popups.pendant = [](const PopupVu&) { Fermeture_Excel(); };
        p.popups.reponses << 1;
        p.exporter(p.chemin("c.xlsx"));
        QCOMPARE(p.popups.messages(), (QStringList{erreur(17), erreur(12)}));
        QCOMPARE(p.tableur.enregistres.size(), 1);
        p.popups.pendant = nullptr;

        // Quitting with the export ready ends it without a warning; No keeps it.
        p.x.quitter->click();
        p.x.lancer->click();
        p.popups.vus.clear();
        p.popups.reponses << 2;
        sortir(Fen_princ[PNL_PRINC], 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(Excel.lance, 1);
        p.popups.reponses << 1;
        sortir(Fen_princ[PNL_PRINC], 0, EVENT_COMMIT, nullptr, 0, 0);
        QCOMPARE(Excel.lance, 0);
        QVERIFY(p.popups.messages().isEmpty());
    }

    void vrai_classeur_relu_par_un_lecteur_independant()
    {
        Poste p(2, {{231.4, 1234.567}, {qQNaN(), -250.125}, {229.5, 0.5}});
        p.tableur.ecrire = true;
        p.exporter(p.chemin("vrai"));
        QVERIFY(p.popups.messages().isEmpty());

        const QJsonObject lu = relire(p.chemin("vrai.xlsx"));
        QVERIFY(!lu.isEmpty());
        const QJsonArray feuilles = lu["feuilles"].toArray();
        // The readings, their statistics, the chart.
        QCOMPARE(feuilles.size(), 3);
        const QJsonObject donnees = feuilles[0].toObject();
        QCOMPARE(lu["active"].toString(), QString("Data"));
        QCOMPARE(donnees["fige"].toString(), QString("A2"));
        std::map<QString, QJsonArray> cellules;
        for (const QJsonValue v : donnees["cellules"].toArray())
            cellules[v.toArray()[0].toString()] = v.toArray();
        QCOMPARE(cellules.size(), std::size_t(4 * 5));
        const auto vu = [&](const char* ref) { return cellules[ref]; };
        QCOMPARE(vu("A1"), (QJsonArray{"A1", "str", "N°", "General", true}));
        QCOMPARE(vu("E1")[2].toString(), QString("CH2: P(W)"));
        QCOMPARE(vu("A4"), (QJsonArray{"A4", "int", 3, "General", false}));
        QCOMPARE(vu("B2"), (QJsonArray{"B2", "datetime", "2026-03-07T00:00:00", "mm-dd-yyyy", false}));
        QCOMPARE(vu("C3"), (QJsonArray{"C3", "datetime", "2026-03-07T10:00:01", "hh:mm:ss", false}));
        QCOMPARE(vu("D2"), (QJsonArray{"D2", "float", 231.4, "0.000", false}));
        QCOMPARE(vu("E2")[2].toDouble(), 1234.567);
        QCOMPARE(vu("E3")[2].toDouble(), -250.125);
        QCOMPARE(vu("D3"), (QJsonArray{"D3", "str", "----", "General", false}));
        QVERIFY(donnees["largeurs"].toObject()["C"].toDouble() >= 8);

        // Energy of P: (1234.567 - 250.125) / 2 + (-250.125 + 0.5) / 2 = 367.4085 W.s
        // over the two seconds; V: three readings, one undefined, 230.45 V mean.
        std::map<QString, QJsonArray> stat;
        for (const QJsonValue v : feuilles[1].toObject()["cellules"].toArray())
            stat[v.toArray()[0].toString()] = v.toArray();
        QCOMPARE(stat["A10"][2].toString(), QString("Energy"));
        QVERIFY(std::fabs(stat["D10"][2].toDouble() - 367.4085 / 3600) < 1e-12);
        QCOMPARE(stat["E10"][2].toString(), QString("Wh"));
        QCOMPARE(stat["B5"][2].toInt(), 3);
        QCOMPARE(stat["B6"][2].toInt(), 1);
        QVERIFY(std::fabs(stat["B7"][2].toDouble() - 230.45) < 1e-12);
        QCOMPARE(stat["C7"][2].toString(), QString("V"));

        const QJsonObject graphe = feuilles[2].toObject();
        QCOMPARE(graphe["cellules"].toArray().size(), 0);
        // This reader keeps a chart's first group of curves only.
        const QJsonArray series = graphe["graphiques"].toArray()[0].toObject()["series"].toArray();
        QCOMPARE(series.size(), 1);
        QCOMPARE(series[0].toObject()["nom"].toString(), QString("CH1: V(V)"));
        QCOMPARE(series[0].toObject()["x"].toString(), QString("Data!$C$2:$C$4"));

        // The chart's own XML: each channel against time in a group of its
        // own, each group with its vertical axis, channel 2's on the right.
        const QJsonObject xml = lu["xml_graphiques"].toArray()[0].toObject();
        const QJsonArray groupes = xml["groupes"].toArray();
        const QJsonObject axes = xml["axes"].toObject();
        QCOMPARE(groupes.size(), 2);
        QCOMPARE(axes.size(), 4);
        const QString noms[2] = {"CH1: V(V)", "CH2: P(W)"};
        const QString y[2] = {"Data!$D$2:$D$4", "Data!$E$2:$E$4"};
        const QString titres[2] = {"Voltage (V)", "Active power (W)"};
        const QString cotes[2] = {"l", "r"};
        for (int v = 0; v < 2; ++v) {
            const QJsonObject groupe = groupes[v].toObject();
            QCOMPARE(groupe["genre"].toString(), QString("scatterChart"));
            const QJsonArray s = groupe["series"].toArray();
            QCOMPARE(s.size(), 1);
            QCOMPARE(s[0].toObject()["nom"].toString(), noms[v]);
            QCOMPARE(s[0].toObject()["x"].toString(), QString("Data!$C$2:$C$4"));
            QCOMPARE(s[0].toObject()["y"].toString(), y[v]);
            const QJsonObject ax = axes[groupe["axes"].toArray()[0].toString()].toObject();
            const QJsonObject ay = axes[groupe["axes"].toArray()[1].toString()].toObject();
            QCOMPARE(ay["genre"].toString(), QString("valAx"));
            QCOMPARE(ay["position"].toString(), cotes[v]);
            QCOMPARE(ay["titre"].toString(), titres[v]);
            QCOMPARE(ay["cache"].toBool(), false);
            QCOMPARE(ax["genre"].toString(), QString("valAx"));
            // One time axis is shown: the first group's, at the bottom.
            QCOMPARE(ax["cache"].toBool(), v == 1);
            if (v == 0) {
                QCOMPARE(ax["position"].toString(), QString("b"));
                QCOMPARE(ax["titre"].toString(), QString("Time"));
                QCOMPARE(ax["format"].toString(), QString("hh:mm:ss"));
            } else {
                QCOMPARE(ay["croisement"].toString(), QString("max"));
            }
        }
    }

    // Dates and times read back as date-times and durations, shown as the
    // list shows them in the language in force, whatever language the
    // lines were written in when a date tells which number is the day.
    void dates_et_heures_relues_data()
    {
        QTest::addColumn<int>("langue_export");
        QTest::addColumn<int>("langue_lignes");
        QTest::addColumn<bool>("relatif");
        QTest::addColumn<QDate>("jour");
        QTest::addColumn<QString>("format_date");
        QTest::addColumn<QString>("type_heure");    // of C3, the second reading
        QTest::addColumn<QString>("heure");         // its value: ISO date-time, or seconds
        QTest::addColumn<QString>("format_heure");  // of C3 and of the chart's time axis
        QTest::addColumn<QString>("titre_temps");
        QTest::addColumn<QString>("titre_y");
        QTest::newRow("English") << 1 << 1 << false << QDate(2026, 3, 7) << "mm-dd-yyyy" << "datetime"
                                 << "2026-03-07T10:00:01" << "hh:mm:ss" << "Time" << "Voltage (V)";
        QTest::newRow("French") << 0 << 0 << false << QDate(2026, 3, 7) << "dd-mm-yyyy" << "datetime"
                                << "2026-03-07T10:00:01" << "hh:mm:ss" << "Heure" << "Tension (V)";
        QTest::newRow("French lines, English export") << 1 << 0 << false << QDate(2026, 3, 13) << "mm-dd-yyyy"
                                                      << "datetime" << "2026-03-13T10:00:01" << "hh:mm:ss" << "Time"
                                                      << "Voltage (V)";
        QTest::newRow("English lines, German export") << 2 << 1 << false << QDate(2026, 12, 24) << "dd-mm-yyyy"
                                                      << "datetime" << "2026-12-24T10:00:01" << "hh:mm:ss"
                                                      << "Stunde" << "Spannung (V)";
        QTest::newRow("relative time") << 1 << 1 << true << QDate(2026, 3, 7) << "mm-dd-yyyy" << "timedelta"
                                       << "1" << "[h]:mm:ss" << "Time" << "Voltage (V)";
    }
    void dates_et_heures_relues()
    {
        QFETCH(int, langue_export);
        QFETCH(int, langue_lignes);
        QFETCH(bool, relatif);
        QFETCH(QDate, jour);
        QFETCH(QString, format_date);
        QFETCH(QString, type_heure);
        QFETCH(QString, heure);
        QFETCH(QString, format_heure);
        QFETCH(QString, titre_temps);
        QFETCH(QString, titre_y);
        Poste p(1, {{230.0, 0}, {qQNaN(), 0}, {231.5, 0}}, langue_export, langue_lignes, relatif, jour);
        p.tableur.ecrire = true;
        p.exporter(p.chemin("temps"));
        QVERIFY(p.popups.messages().isEmpty());
        const QJsonObject lu = relire(p.chemin("temps.xlsx"));
        QVERIFY(!lu.isEmpty());
        std::map<QString, QJsonArray> cellules;
        for (const QJsonValue v : lu["feuilles"].toArray()[0].toObject()["cellules"].toArray())
            cellules[v.toArray()[0].toString()] = v.toArray();
        const QJsonArray b = cellules["B3"], c = cellules["C3"];
        QCOMPARE(b[1].toString(), QString("datetime"));
        QCOMPARE(b[2].toString(), jour.toString(Qt::ISODate) + "T00:00:00");
        QCOMPARE(b[3].toString(), format_date);
        QCOMPARE(c[1].toString(), type_heure);
        QCOMPARE(c[1].toString() == "timedelta" ? QString::number(c[2].toDouble()) : c[2].toString(), heure);
        QCOMPARE(c[3].toString(), format_heure);
        // The undefined reading stays text; the values stay numbers.
        QCOMPARE(cellules["D3"][2].toString(), QString("----"));
        QCOMPARE(cellules["D4"], (QJsonArray{"D4", "float", 231.5, "0.000", false}));

        const QJsonObject xml = lu["xml_graphiques"].toArray()[0].toObject();
        const QJsonArray groupe = xml["groupes"].toArray();
        QCOMPARE(groupe.size(), 1);
        const QJsonObject axes = xml["axes"].toObject();
        const QJsonObject ax = axes[groupe[0].toObject()["axes"].toArray()[0].toString()].toObject();
        const QJsonObject ay = axes[groupe[0].toObject()["axes"].toArray()[1].toString()].toObject();
        QCOMPARE(ax["titre"].toString(), titre_temps);
        QCOMPARE(ax["format"].toString(), format_heure);
        QCOMPARE(ay["titre"].toString(), titre_y);
    }

    // A typed ".xls" names the workbook format it is not: it becomes
    // ".xlsx"; the panel then says where the workbook went.
    void nom_tape_et_chemin_ecrit_data()
    {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("ecrit");
        QTest::newRow("Data.xls") << "Data.xls" << "Data.xlsx";
        QTest::newRow("Data.XLS") << "Data.XLS" << "Data.xlsx";
        QTest::newRow("Data") << "Data" << "Data.xlsx";
        QTest::newRow("Data.Xlsx") << "Data.Xlsx" << "Data.Xlsx";
        QTest::newRow("Data.xls.old") << "Data.xls.old" << "Data.xls.old.xlsx";
    }
    void nom_tape_et_chemin_ecrit()
    {
        QFETCH(QString, tape);
        QFETCH(QString, ecrit);
        Poste p(1, {{1, 0}});
        p.exporter(p.chemin(tape));
        QCOMPARE(p.tableur.enregistres.size(), 1);
        QCOMPARE(p.tableur.enregistres[0].chemin, p.chemin(ecrit));
        QCOMPARE(p.x.zone_message->toPlainText(), "Sheet ready.\n" + p.chemin(ecrit) + "\n");
        // The workbook already there under the completed name is asked about.
        p.popups.reponses << 2;
        QFile f(p.chemin(ecrit));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        p.exporter(p.chemin(tape));
        QCOMPARE(p.popups.vus.last().titre, QString("EXCEL Sheet"));
        QCOMPARE(p.tableur.enregistres.size(), 1);
        QCOMPARE(p.x.zone_message->toPlainText(), QString("Sheet ready.\n"));
    }

    // A folder the program cannot write: the earlier workbook stays whole.
    void dossier_en_lecture_seule_message_12_ancien_intact()
    {
        Poste p(1, {{1, 0}});
        p.tableur.ecrire = true;
        QVERIFY(QDir(p.travail.path()).mkdir("fige"));
        const QString dossier = p.chemin("fige");
        p.exporter(dossier + "/ancien.xlsx");
        QFile ancien(dossier + "/ancien.xlsx");
        QVERIFY(ancien.open(QIODevice::ReadOnly));
        const QByteArray contenu = ancien.readAll();
        ancien.close();
        QVERIFY(contenu.startsWith("PK"));

        // Root writes through permissions: the folder is then made immutable.
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner);
        int fd = -1, drapeaux = 0;
        if (geteuid() == 0) {
            fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY);
            if (fd < 0 || ioctl(fd, FS_IOC_GETFLAGS, &drapeaux) != 0)
                QSKIP("no way to make a folder read-only for root here");
            int fige = drapeaux | FS_IMMUTABLE_FL;
            if (ioctl(fd, FS_IOC_SETFLAGS, &fige) != 0) {
                ::close(fd);
                QSKIP("no way to make a folder read-only for root here");
            }
        }
        p.popups.reponses << 1;
        p.exporter(dossier + "/ancien.xlsx");
        const QStringList restes = QDir(dossier).entryList(QDir::Files | QDir::Hidden);
        if (fd >= 0) {
            ioctl(fd, FS_IOC_SETFLAGS, &drapeaux);
            ::close(fd);
        }
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(p.popups.messages(), QStringList{erreur(12)});
        QCOMPARE(restes, QStringList{"ancien.xlsx"});
        QVERIFY(ancien.open(QIODevice::ReadOnly));
        QCOMPARE(ancien.readAll(), contenu);
        QCOMPARE(p.tableur.ouverts.size(), 1);
    }
};

QTEST_MAIN(TestExcel)
#include "test_excel.moc"
