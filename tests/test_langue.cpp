// Language switching: error popups, menus, toolbar, headings, the Options
// and Help menus.
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "graph/panneaux.h"
#include "lang/ecran/panneaux.h"
#include "socle/platform.h"
#include "socle/ecran/platform_qt.h"
#include "socle/ecran/toolkit.h"
#include "graph/fenetres_voies.h"
#include "lang/ecran/langue.h"
#include "lang/textes.h"
#include "support/fake_platform.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QToolButton>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

const int items_relabelles[] = {
    BARRE_FICHIER, ITEM_NOUVEAU, ITEM_OUVRIR, ITEM_ENREGIST, ITEM_LANCER, ITEM_PAUSE, ITEM_STOP,
    ITEM_IMPRIMER, ITEM_QUITTER, BARRE_PARAMETRE, ITEM_CONNECTER, ITEM_TYPEMES, ITEM_INTERVAL,
    ITEM_TPSREEL, ITEM_TPSABS, ITEM_ECHELLE, ITEM_ALARME, BARRE_EDITION, ITEM_LIER, ITEM_TEXT1,
    ITEM_TEXT2, ITEM_TEXT3, ITEM_COPGRA, ITEM_RENGRA, BARRE_OPTIONS, ITEM_LANGUE, ITEM_ENREGIST2,
    BARRE_AFFICHAGE, ITEM_RETICULE, ITEM_CURSEUR, ITEM_LEGENDE, ITEM_COULEUR, ITEM_ZOOMPLUS,
    ITEM_ZOOMMOINS, BARRE_FENETRE, ITEM_CASCADE, ITEM_MOSAIQUE, ITEM_ECRAN, ITEM_CONTENU, ITEM_INDEX,
    ITEM_APROPOSD};

// The mnemonic letter of a Qt menu text, 0 when none.
QChar lettre(const QString& t)
{
    for (int i = 0; i + 1 < t.size(); ++i) {
        if (t[i] != '&')
            continue;
        if (t[i + 1] == '&') {
            ++i;
            continue;
        }
        return t[i + 1];
    }
    return QChar();
}

QString sans_marque(QString t)
{
    return t.remove('&');
}

} // namespace

class TestLangue : public QObject {
    Q_OBJECT

private slots:
    void popups_d_erreur()
    {
        PlateformeTest p;
        const char* titres[] = {"Erreur n° -104", "Error n° -104", "Fehler n° -104", "Error n° -104",
                                "Errore n° -104"};
        for (langue = 0; langue < 5; ++langue)
            Popup_erreur(4);
        QCOMPARE(p.popups->vus.size(), 5);
        for (int l = 0; l < 5; ++l) {
            QCOMPARE(p.popups->vus[l].titre, QString::fromUtf8(titres[l]));
            QVERIFY(p.popups->vus[l].texte.endsWith('\n'));
        }
        QCOMPARE(p.popups->vus[2].texte, QString::fromUtf8("Wählen Sie einen Diagramm\n"));
        QCOMPARE(p.popups->vus[0].texte, QString::fromUtf8("Aucun graphe n'a été sélectionné\n"));

        langue = 1;
        Popup_erreur(0);
        QCOMPARE(p.popups->vus.last().titre, QString::fromUtf8("Error n° -100"));
        Popup_erreur(33);
        QCOMPARE(p.popups->vus.last().titre, QString::fromUtf8("Error n° -133"));
        QCOMPARE(p.popups->vus.last().texte, QString("values out of limits\n"));

        // A language outside the tables shows nothing.
        int avant = p.popups->vus.size();
        langue = 5;
        Popup_erreur(4);
        QCOMPARE(p.popups->vus.size(), avant);
        langue = 1;
    }

    void menus_dans_les_cinq_langues()
    {
        SessionTest s;
        for (int l = 0; l < 5; ++l) {
            Gestion_options(menu, ITEM_FRANCAIS + l, nullptr, 0);
            QCOMPARE(langue, l);
            for (int i = 0; i < 5; ++i)
                QCOMPARE(tk::ItemChecked(ITEM_FRANCAIS + i), i == l);
            for (int id : items_relabelles) {
                QString t = tk::ItemName(id);
                QVERIFY2(!t.isEmpty(), qPrintable(QString("item %1 empty in language %2").arg(id).arg(l)));
                QVERIFY2(!t.contains("__"), qPrintable(t));
            }
            QCOMPARE(tk::ItemName(Info[0].item), QString::fromUtf8(tx::donnee[l]));
            QCOMPARE(tk::titre(Info[0].panel), QString::fromUtf8(tx::donnee[l]));
        }
        // Mnemonics stand where the tables put them.
        Gestion_options(menu, ITEM_ANGLAIS, nullptr, 0);
        QCOMPARE(tk::ItemName(ITEM_ENREGIST), QString("S&ave ..."));
        QCOMPARE(lettre(tk::ItemName(ITEM_QUITTER)), QChar('x'));
        Gestion_options(menu, ITEM_ALLEMAND, nullptr, 0);
        QCOMPARE(tk::ItemName(ITEM_ZOOMPLUS), QString::fromUtf8("Verg&rößern"));
        QCOMPARE(tk::ItemName(ITEM_TEXT1), QString("&1. Text"));
        Gestion_options(menu, ITEM_FRANCAIS, nullptr, 0);
        QCOMPARE(tk::ItemName(BARRE_FENETRE), QString::fromUtf8("Fe&nêtre"));
        QCOMPARE(tk::ItemName(ITEM_APROPOSD), QString("A &propos de VOLTEXA ..."));
        // The help menu's title is the resource file's, in every language.
        QCOMPARE(tk::ItemName(BARRE_AIDE), QString("&?"));
    }

    // A channel window's Window-menu item reads as its title after each switch.
    void fenetre_au_menu_sous_son_titre()
    {
        SessionTest s;
        Mesure.nb_voies = 1;
        Donnee[1].grandeur = CODE_TENSION;
        copie_texte(Donnee[1].libelle, "V(V)");
        Maj_connexion();
        QVERIFY(tk::panel_valide(Info[1].panel));
        for (int l : {0, 2, 1}) {
            Gestion_options(menu, ITEM_FRANCAIS + l, nullptr, 0);
            QCOMPARE(tk::ItemName(Info[1].item), tk::titre(Info[1].panel));
        }
    }

    void barre_d_outils()
    {
        SessionTest s;
        Gestion_options(menu, ITEM_ALLEMAND, nullptr, 0);
        QCOMPARE(Toolbar_NbItems(gToolbar), 23);
        int separateurs = 0;
        for (int i = 1; i <= 23; ++i)
            separateurs += Toolbar_Separateur(gToolbar, i);
        QCOMPARE(separateurs, 6);
        for (int pos : {7, 9, 11, 15, 18, 22})
            QVERIFY(Toolbar_Separateur(gToolbar, pos));
        QCOMPARE(Toolbar_InfoBulle(gToolbar, 16), QString("Verkleinern"));
        QCOMPARE(Toolbar_InfoBulle(gToolbar, 1), QString::fromUtf8("Öffnen"));
        QCOMPARE(Toolbar_InfoBulle(gToolbar, 23), QString("Hilfe"));
        for (int i = 1; i <= 23; ++i)
            QVERIFY(Toolbar_Separateur(gToolbar, i) || Toolbar_AUneImage(gToolbar, i));
        QVERIFY(s.plateforme.popups->messages().isEmpty());

        // Each button raises its menu item: Tile (position 20) re-tiles.
        tk::deplacer(Info[0].panel, 300, 300);
        Toolbar_Presser(gToolbar, 20);
        QCOMPARE(tk::geometrie(Info[0].panel).top, 70);
        // The help button opens the contents.
        Toolbar_Presser(gToolbar, 23);
        QCOMPARE(s.plateforme.aide->ouverts.size(), 1);
        QVERIFY(s.plateforme.aide->ouverts[0].startsWith("sommaire:"));
    }

    void images_manquantes()
    {
        SessionTest s;
        // A toolbar folder without two of its images.
        QDir d(s.programme.dir());
        QFile::remove(d.filePath("toolbar"));
        d.mkdir("toolbar");
        QDir bin(QString(VOLTEXA_BIN_DIR) + "/toolbar");
        for (const QString& f : bin.entryList({"*.png"}, QDir::Files))
            if (f != "grati.png" && f != "help.png")
                QVERIFY(QFile::copy(bin.filePath(f), d.filePath("toolbar/" + f)));

        s.plateforme.popups->vus.clear();
        Gestion_options(menu, ITEM_ANGLAIS, nullptr, 0);
        QStringList m = s.plateforme.popups->messages();
        QCOMPARE(m, QStringList({"Toolbar icon not found\n", "Toolbar icon not found\n"}));
        QCOMPARE(s.plateforme.popups->vus[0].titre, QString::fromUtf8("Error n° -102"));
        // The toolbar is whole; only those two buttons lack an image.
        QCOMPARE(Toolbar_NbItems(gToolbar), 23);
        QVERIFY(!Toolbar_AUneImage(gToolbar, 12));
        QVERIFY(!Toolbar_AUneImage(gToolbar, 23));
        QVERIFY(Toolbar_AUneImage(gToolbar, 13));
    }

    void entete_et_titres()
    {
        SessionTest s;
        Mesure.nb_voies = 2;
        copie_texte(Donnee[1].libelle, "V(V)");
        copie_texte(Donnee[2].libelle, "Pm(W)");
        int g1 = tk::DuplicatePanel(Fen_princ[PNL_PRINC], Fen_princ[PNL_GRAPHE], "x", 90, 25);
        Info[1].panel = g1;
        Gestion_options(menu, ITEM_FRANCAIS, nullptr, 0);
        QString e = liaison<PnlDonnees>(Info[0].panel).entete->text();
        // The heading a Run would give: the same builder.
        QCOMPARE(e.left(27), QString::fromUtf8(" N°   Date       Heure     "));
        QCOMPARE(e.mid(27), QString(" CH1: V(V)      CH2: Pm(W)    "));
        QCOMPARE(e.size(), 27 + 2 * 15);
        QCOMPARE(tk::titre(g1), QString("Canal 1 : ") + QString(10, ' '));

        Gestion_options(menu, ITEM_ALLEMAND, nullptr, 0);
        e = liaison<PnlDonnees>(Info[0].panel).entete->text();
        QCOMPARE(e.left(29), QString::fromUtf8(" N°   Datum       Stunde     "));
        QCOMPARE(e.size(), 29 + 30);

        // A label too long for its piece is cut to keep the piece 15 wide.
        Mesure.nb_voies = 1;
        copie_texte(Donnee[1].libelle, "ABCDEFGHI");
        QCOMPARE(entete_releves().mid(29), QString(" CH1: ABCDEFGHI"));
        QCOMPARE(Donnee[1].titre, "ABCDEFGHI");
    }

    void options_et_aide()
    {
        SessionTest s;
        QString aide = s.programme.dir() + "/voltexa.hlp";
        // English, the default, copied its help file at start-up.
        QFile en(aide);
        QVERIFY(en.open(QIODevice::ReadOnly));
        QByteArray contenu_en = en.readAll();
        en.close();
        QVERIFY(contenu_en.contains("lang=\"en\""));

        Gestion_options(menu, ITEM_ITALIEN, nullptr, 0);
        QFile it(aide);
        QVERIFY(it.open(QIODevice::ReadOnly));
        QVERIFY(it.readAll().contains("lang=\"it\""));
        it.close();
        // The wait cursor went on and off.
        QCOMPARE(s.plateforme.popups->attente, 0);

        // Choosing the language in force redoes the switch.
        QFile::remove(aide);
        Gestion_options(menu, ITEM_ITALIEN, nullptr, 0);
        QVERIFY(QFile::exists(aide));

        // A missing language file leaves no help file behind.
        QFile::remove(s.programme.dir() + "/voltexes.hhh");
        Gestion_options(menu, ITEM_ESPAGNOL, nullptr, 0);
        QVERIFY(!QFile::exists(aide));

        bool avant = tk::ItemChecked(ITEM_ENREGIST2);
        tk::declencher(ITEM_ENREGIST2);
        QCOMPARE(tk::ItemChecked(ITEM_ENREGIST2), !avant);
        tk::action(ITEM_ENREGIST2)->trigger();
        QCOMPARE(tk::ItemChecked(ITEM_ENREGIST2), avant);

        Gestion_aide(menu, ITEM_CONTENU, nullptr, 0);
        Gestion_aide(menu, ITEM_INDEX, nullptr, 0);
        QCOMPARE(s.plateforme.aide->ouverts,
                 QStringList({"sommaire:" + aide, "recherche:" + aide + ":"}));
    }

    void a_propos()
    {
        SessionTest s;
        Gestion_options(menu, ITEM_ESPAGNOL, nullptr, 0);
        Gestion_aide(menu, ITEM_APROPOSD, nullptr, 0);
        int p = Fen_princ[PNL_APROPOS];
        QVERIFY(p > 0);
        QVERIFY(tk::fenetre(p)->isVisible());
        QVERIFY(tk::ItemDimmed(BARRE_FICHIER));
        PnlApropos& a = liaison<PnlApropos>(p);
        QCOMPARE(a.develop->text(), QString("Creador :"));
        QCOMPARE(a.chefpro->text(), QString("Jeffe de Proyecto :"));
        a.quitter->click();
        QVERIFY(!tk::panel_valide(p));
        QCOMPARE(Fen_princ[PNL_APROPOS], 0);
        QVERIFY(!tk::ItemDimmed(BARRE_FICHIER));
    }

    void a_propos_dans_les_cinq_langues_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("attendus"); // description, developed by, authors, leader, leader's name, button
        QTest::newRow("French") << int(ITEM_FRANCAIS) << QStringList{
            QString::fromUtf8("Acquisition, affichage et enregistrement des mesures d'un wattmètre monophasé portable"),
            QString::fromUtf8("Développé par :"), QString::fromUtf8("les développeurs de VOLTEXA"),
            "Chef de projet :", QString::fromUtf8("l'équipe VOLTEXA"), "Quitter"};
        QTest::newRow("English") << int(ITEM_ANGLAIS) << QStringList{
            "Acquisition, display and recording of a portable single-phase wattmeter", "Developed by :",
            "the VOLTEXA developers", "Project leader :", "the VOLTEXA team", "Quit"};
        QTest::newRow("German") << int(ITEM_ALLEMAND) << QStringList{
            "Erfassung, Anzeige und Aufzeichnung der Messwerte eines tragbaren Einphasen-Wattmeters",
            "Entwickler :", "die Entwickler von VOLTEXA", "Projektleiter :", "das VOLTEXA-Team", "Beenden"};
        QTest::newRow("Spanish") << int(ITEM_ESPAGNOL) << QStringList{
            QString::fromUtf8("Adquisición, visualización y registro de las medidas de un vatímetro monofásico portátil"),
            "Creador :", "los desarrolladores de VOLTEXA", "Jeffe de Proyecto :", "el equipo de VOLTEXA", "Salir"};
        QTest::newRow("Italian") << int(ITEM_ITALIEN) << QStringList{
            "Acquisizione, visualizzazione e registrazione delle misure di un wattmetro monofase portatile",
            "Realizzato da :", "gli sviluppatori di VOLTEXA", "Responsabile di progetto :", "il team di VOLTEXA",
            "Esci"};
    }
    void a_propos_dans_les_cinq_langues()
    {
        QFETCH(int, item);
        QFETCH(QStringList, attendus);
        SessionTest s;
        // Shown once in another language first: the box is relabelled each time.
        Gestion_options(menu, item == ITEM_ANGLAIS ? ITEM_FRANCAIS : ITEM_ANGLAIS, nullptr, 0);
        Gestion_aide(menu, ITEM_APROPOSD, nullptr, 0);
        liaison<PnlApropos>(Fen_princ[PNL_APROPOS]).quitter->click();
        Gestion_options(menu, item, nullptr, 0);
        Gestion_aide(menu, ITEM_APROPOSD, nullptr, 0);
        PnlApropos& a = liaison<PnlApropos>(Fen_princ[PNL_APROPOS]);
        const QStringList vus{a.description->text(), a.develop->text(), a.auteurs->text(),
                              a.chefpro->text(),     a.chef->text(),    sans_marque(a.quitter->text())};
        a.quitter->click();
        QCOMPARE(vus, attendus);
    }

    // The file chooser is Qt's own dialog, so that it takes the language in
    // force whatever the desktop, and speaks it after each switch.
    void selecteur_de_fichiers_data()
    {
        QTest::addColumn<QList<int>>("langues"); // language items chosen in turn
        QTest::addColumn<int>("genre");
        // look in, file name, file type, accept button, cancel button, new folder
        QTest::addColumn<QStringList>("attendus");
        const int ouvrir = int(ChoixFichier::ouvrir), enregistrer = int(ChoixFichier::enregistrer);
        QTest::newRow("German: Open") << QList<int>{ITEM_ALLEMAND} << ouvrir << QStringList{
            "Suchen in:", "Dateiname:", "Dateien des Typs:", QString::fromUtf8("Öffnen"), "Abbrechen",
            "Neuen Ordner erstellen"};
        QTest::newRow("German: Save") << QList<int>{ITEM_ALLEMAND} << enregistrer << QStringList{
            "Suchen in:", "Dateiname:", "Dateien des Typs:", "Speichern", "Abbrechen", "Neuen Ordner erstellen"};
        QTest::newRow("German, then English") << QList<int>{ITEM_ALLEMAND, ITEM_ANGLAIS} << ouvrir << QStringList{
            "Look in:", "File name:", "Files of type:", "Open", "Cancel", "Create New Folder"};
        QTest::newRow("French: Save") << QList<int>{ITEM_FRANCAIS} << enregistrer << QStringList{
            "Voir dans :", "Nom de fichier :", "Fichiers de type :", "Enregistrer", "Annuler",
            QString::fromUtf8("Créer un nouveau dossier")};
        QTest::newRow("Spanish: Open") << QList<int>{ITEM_ESPAGNOL} << ouvrir << QStringList{
            "Ver en:", "Nombre de fichero:", "Ficheros de tipo:", "Abrir", "Cancelar", "Crear nueva carpeta"};
        QTest::newRow("Italian: Open") << QList<int>{ITEM_ITALIEN} << ouvrir << QStringList{
            "Cerca in:", "Nome del file:", "File di tipo:", "Apri", "Annulla", "Crea nuova cartella"};
    }
    void selecteur_de_fichiers()
    {
        QFETCH(QList<int>, langues);
        QFETCH(int, genre);
        QFETCH(QStringList, attendus);
        SessionTest s;
        for (int l : langues)
            Gestion_options(menu, l, nullptr, 0);
        const std::unique_ptr<QFileDialog> d =
            dialogue_fichier(ChoixFichier(genre), "x", s.programme.dir(), "*.dat;;*.cfg");
        QVERIFY(d->testOption(QFileDialog::DontUseNativeDialog));
        auto* boutons = d->findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(boutons);
        QPushButton* accepter = boutons->button(ChoixFichier(genre) == ChoixFichier::enregistrer
                                                    ? QDialogButtonBox::Save : QDialogButtonBox::Open);
        QPushButton* annuler = boutons->button(QDialogButtonBox::Cancel);
        auto* regarder = d->findChild<QLabel*>("lookInLabel");
        auto* nom = d->findChild<QLabel*>("fileNameLabel");
        auto* type = d->findChild<QLabel*>("fileTypeLabel");
        auto* dossier = d->findChild<QToolButton*>("newFolderButton");
        QVERIFY(accepter && annuler && regarder && nom && type && dossier);
        const QStringList vus{regarder->text(), sans_marque(nom->text()), sans_marque(type->text()),
                              sans_marque(accepter->text()), sans_marque(annuler->text()), dossier->toolTip()};
        QCOMPARE(vus, attendus);
    }
};

QTEST_MAIN(TestLangue)
#include "test_langue.moc"
