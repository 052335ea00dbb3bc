// What the user reads in each of the five languages: every menu item, every
// toolbar button's tooltip and the item it raises, the spreadsheet panel's
// labels, the connection dialog's lines; and the recording a language switch
// clears.
#include "acquisition/connexion.h"
#include "acquisition/cycle.h"
#include "acquisition/selection.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "lang/ecran/langue.h"
#include "socle/ecran/barre_outils.h"
#include "socle/globals.h"
#include "socle/ecran/liste_releves.h"
#include "socle/ecran/menus.h"
#include "socle/minuterie.h"
#include "acquisition/ecran/panneaux.h"
#include "export/panneaux.h"
#include "graph/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "support/inspection.h"
#include "support/banc.h"
#include "support/enregistrement_ecrit.h"
#include "support/fake_platform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <qcustomplot.h>

#include <memory>

namespace {

const char* const noms_langues[5] = {"fr", "en", "de", "es", "it"};

// Menu texts as shown, the mnemonic marked with Qt's '&'. Item 0 stands for
// the Data window's entry of the Window menu.
struct TexteMenu {
    int item;
    const char* nom;
    const char* textes[5];
};

const TexteMenu textes_menus[] = {
    {BARRE_FICHIER, "File", {"&Fichier", "&File", "&Datei", "&Fichero", "&File"}},
    {ITEM_NOUVEAU, "New", {"&Nouveau", "&New", "&Neu", "&Nuevo", "&Nuovo"}},
    {ITEM_OUVRIR, "Open", {"&Ouvrir ...", "&Open ...", "&Öffnen ...", "&Abrir ...", "&Apri ..."}},
    {ITEM_ENREGIST, "Save", {"&Enregistrer ...", "S&ave ...", "Speic&hern ...", "&Guardar ...", "Sa&lva ..."}},
    {ITEM_LANCER, "Run", {"&Lancer", "&Run", "&Starten", "&Lanzar", "A&vvio"}},
    {ITEM_PAUSE, "Pause", {"&Pause", "&Pause", "&Pause", "&Pausa", "&Pausa"}},
    {ITEM_STOP, "Stop", {"&Stop", "&Stop", "S&toppen", "&Stop", "&Stop"}},
    {ITEM_IMPRIMER, "Print", {"&Imprimer ...", "Prin&t ...", "&Drucken ...", "&Imprimir ...", "S&tampa ..."}},
    {ITEM_QUITTER, "Exit", {"&Quitter", "E&xit", "&Beenden", "Sali&r", "&Esci"}},
    {BARRE_PARAMETRE, "Setup", {"&Paramètre", "&Setup", "&Setup", "&Parametrizado", "&Parametro"}},
    {ITEM_CONNECTER, "Communication",
     {"&Communication", "&Communication", "&Kommunikation", "&Communicacion", "&Communicazione"}},
    {ITEM_TYPEMES, "Type of measurement",
     {"T&ype de mesure ...", "Type of &mesurement ...", "&Meßart ...", "&Typo de medida ...",
      "&Tipo di misurazione ..."}},
    {ITEM_INTERVAL, "Reading interval",
     {"&Intervalle de lecture ...", "Reading &interval ...", "Lese&intervall ...", "&Intervalo de lectura ...",
      "&Intervallo di lettura ..."}},
    {ITEM_TPSREEL, "Relative time",
     {"Temps &relatif", "&Relative time", "&Relativzeit", "Tiempo &relativo", "Tempo &relativo"}},
    {ITEM_TPSABS, "Absolute time",
     {"Temps &absolu", "&Absolute time", "&Absolutzeit", "Tiempo &absoluto", "Tempo &assoluto"}},
    {ITEM_ECHELLE, "Scales", {"&Echelles ...", "&Scales ...", "&Skala ...", "&Escala ...", "S&cale ..."}},
    {ITEM_ALARME, "Alarm", {"A&larme ...", "A&larm ...", "A&larm ...", "A&larma ...", "A&llarme"}},
    {BARRE_EDITION, "Edit", {"&Edition", "&Edit", "&Bearbeiten", "&Edición", "&Modifica"}},
    {ITEM_LIER, "Link the cursors",
     {"&Lier les curseurs", "&To link the cursors", "&Die Cursoren verbinden", "&Vincular los cursores",
      "&Collega i cursori"}},
    {ITEM_TEXT1, "Text 1", {"Texte &1", "Text &1", "&1. Text", "&1o Texto", "&1° Testo"}},
    {ITEM_TEXT2, "Text 2", {"Texte &2", "Text &2", "&2. Text", "&2o Texto", "&2° Testo"}},
    {ITEM_TEXT3, "Text 3", {"Texte &3", "Text &3", "&3. Text", "&3o Texto", "&3° Testo"}},
    {ITEM_COPGRA, "Copy window",
     {"&Copier Fenêtre", "&Copy Window", "&Fenster Kopieren", "&Copiar Ventana", "Copia &Finestra"}},
    {ITEM_RENGRA, "Rename window",
     {"&Renommer Fenêtre", "&Rename Window", "&Ändern Fenster", "&Renombrar Ventana", "&Rinomina Finestra ..."}},
    {ITEM_EXPORTER_CSV, "Export to CSV",
     {"Exporter en C&SV ...", "Export to C&SV ...", "Als C&SV exportieren ...", "Exportar a C&SV ...",
      "Esporta in C&SV ..."}},
    {BARRE_OPTIONS, "Options", {"&Options", "&Options", "&Optionen", "&Optiones", "&Opzioni"}},
    {ITEM_LANGUE, "Language", {"&Langue", "&Language", "&Sprache", "&Idioma", "&Lingua"}},
    {ITEM_ENREGIST2, "Save settings on exit",
     {"&Enregistrer la configuration en quittant", "&Save settings on exit",
      "&Konfiguration Speicherung beim Beenden", "&Grabar la configuación antes de salir",
      "&Salva la configurazione ed esci"}},
    {BARRE_AFFICHAGE, "Display", {"&Affichage", "&Display", "&Anzeige", "&Visualización", "&Visualizza"}},
    {ITEM_RETICULE, "Graticule", {"Ré&ticule", "&Graticule", "&Gitter", "&Réticula", "&Griglia"}},
    {ITEM_CURSEUR, "Variation cursors",
     {"&Curseurs d'écart", "&Variation cursors", "&Abstandcursors", "&Cursores de diferencia",
      "&Cursori di scarto"}},
    {ITEM_LEGENDE, "Legend", {"&Légende", "&Legend", "&Legende", "&Leyenda", "&Legenda"}},
    {ITEM_COULEUR, "Colours", {"C&ouleurs ...", "&Colors ...", "&Farben ...", "C&olores ...", "Colo&ri ..."}},
    {ITEM_ZOOMPLUS, "Zoom in", {"Zoom A&vant", "Zoom &In", "Verg&rößern", "Zoom A&delante", "&Zoom +"}},
    {ITEM_ZOOMMOINS, "Zoom out", {"Zoom A&rrière", "Zoom &Out", "Ver&kleinern", "Zoom A&trás", "Z&oom -"}},
    {ITEM_STATISTIQUES, "Statistics",
     {"&Statistiques ...", "&Statistics ...", "&Statistik ...", "E&stadísticas ...", "&Statistiche ..."}},
    {BARRE_FENETRE, "Window", {"Fe&nêtre", "&Window", "&Fenster", "&Ventana", "&Finestra"}},
    {ITEM_CASCADE, "Cascade", {"&Cascade", "&Cascade", "Ü&berlappend", "&Cascada", "&Cascata"}},
    {ITEM_MOSAIQUE, "Tile", {"&Mosaïque", "&Tile", "&Unterteilt", "&Mosaico", "&Mosaico"}},
    {ITEM_ECRAN, "Full screen",
     {"&Plein écran", "&Full screen", "&Gesamter Bildschirm", "&Pantalla plena", "&Pieno schermo"}},
    {0, "Data window", {"Données", "Data", "Daten", "Datos", "Dati"}},
    {ITEM_CONTENU, "Contents", {"&Sommaire", "&Contents", "In&halt", "&Sumario", "&Sommario"}},
    {ITEM_INDEX, "Search for help on",
     {"&Aide sur ...", "&Search for Help on ...", "I&ndex ...", "&Indice ...", "&Aiuto su ..."}},
    {ITEM_APROPOSD, "About",
     {"A &propos de VOLTEXA ...", "&About VOLTEXA ...", "&Info über VOLTEXA ...", "&Acerca de VOLTEXA ...",
      "&Informazioni su VOLTEXA ..."}},
};

// Toolbar buttons by position (separators counted), the item each raises and
// its tooltip.
struct BoutonOutil {
    int position;
    int item;
    const char* nom;
    const char* bulles[5];
};

const BoutonOutil boutons_outils[] = {
    {1, ITEM_OUVRIR, "Open", {"Ouvrir", "Open", "Öffnen", "Abrir", "Apri"}},
    {2, ITEM_ENREGIST, "Save", {"Enregistrer", "Save", "Speichern", "Guardar", "Salva"}},
    {3, ITEM_LANCER, "Run", {"Lancer", "Run", "Starten", "Lanzar", "Avvio"}},
    {4, ITEM_PAUSE, "Pause", {"Pause", "Pause", "Pause", "Pausa", "Pausa"}},
    {5, ITEM_STOP, "Stop", {"Stop", "Stop", "Stoppen", "Stop", "Stop"}},
    {6, ITEM_IMPRIMER, "Print", {"Imprimer", "Print", "Drucken", "Imprimir", "Stampa"}},
    {8, ITEM_ECHELLE, "Scales", {"Echelles", "Scales", "Skalen", "Escalas", "Scale"}},
    {10, ITEM_EXPORTER, "Export",
     {"Exporter vers EXCEL", "Export to EXCEL", "Exportieren zu EXCEL", "Exportar hacia EXCEL", "Esporta in EXCEL"}},
    {12, ITEM_RETICULE, "Graticule", {"Réticule", "Graticule", "Gitter", "Réticula", "Griglia"}},
    {13, ITEM_CURSEUR, "Variation cursors",
     {"Curseurs d'écart", "Variation cursors", "Abstandcursors", "Cursores de diferencia", "Cursori di scarto"}},
    {14, ITEM_LEGENDE, "Legend", {"Légende", "Legend", "Legende", "Leyenda", "Legenda"}},
    {16, ITEM_ZOOMMOINS, "Zoom out", {"Zoom Arrière", "Zoom Out", "Verkleinern", "Zoom Atrás", "Zoom -"}},
    {17, ITEM_ZOOMPLUS, "Zoom in", {"Zoom Avant", "Zoom In", "Vergrößern", "Zoom Adelante", "Zoom +"}},
    {19, ITEM_CASCADE, "Cascade", {"Cascade", "Cascade", "Überlappend", "Cascada", "Cascata"}},
    {20, ITEM_MOSAIQUE, "Tile", {"Mosaïque", "Tile", "Unterteilt", "Mosaico", "Mosaico"}},
    {21, ITEM_ECRAN, "Full screen",
     {"Plein écran", "Full screen", "Gesamter Bildschirm", "Pantalla plena", "Pieno schermo"}},
    {23, ITEM_CONTENU, "Help", {"Aide", "Help", "Hilfe", "Ayunda", "Aiuto"}},
};

// Items raised since the recorder was put in place of every item's command.
QList<int> items_declenches;
void noter_item(int, int item, void*, int) { items_declenches << item; }

void passer_en(int l)
{
    if (langue != l)
        Gestion_options(menu, ITEM_FRANCAIS + l, nullptr, 0);
}

// Points of every curve in graph window w.
int points_traces(int w)
{
    QCustomPlot* g = liaison<PnlGraphe>(Info[w].panel).graphe;
    int n = 0;
    for (int i = 0; i < g->graphCount(); ++i)
        n += g->graph(i)->data()->size();
    return n;
}

} // namespace

class TestLibelles : public QObject {
    Q_OBJECT

    // One program for the tests that only read texts; the others start their own.
    std::unique_ptr<SessionTest> session_;
    void session()
    {
        if (!session_)
            session_ = std::make_unique<SessionTest>();
    }

private slots:
    void cleanupTestCase() { session_.reset(); }

    void texte_des_menus_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("attendu");
        for (int l = 0; l < 5; ++l)
            for (const TexteMenu& m : textes_menus)
                QTest::addRow("%s %s", noms_langues[l], m.nom) << l << m.item << QString::fromUtf8(m.textes[l]);
    }
    void texte_des_menus()
    {
        QFETCH(int, l);
        QFETCH(int, item);
        QFETCH(QString, attendu);
        session();
        passer_en(l);
        QCOMPARE(tk::ItemName(item ? item : Info[0].item), attendu);
    }

    void bulles_des_boutons_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("attendu");
        for (int l = 0; l < 5; ++l)
            for (const BoutonOutil& b : boutons_outils)
                QTest::addRow("%s %s", noms_langues[l], b.nom) << l << b.position << QString::fromUtf8(b.bulles[l]);
    }
    void bulles_des_boutons()
    {
        QFETCH(int, l);
        QFETCH(int, position);
        QFETCH(QString, attendu);
        session();
        passer_en(l);
        QVERIFY(!Toolbar_Separateur(gToolbar, position));
        QCOMPARE(Toolbar_InfoBulle(gToolbar, position), attendu);
    }

    // Pressing a button is choosing its menu item, and only that one.
    void item_de_chaque_bouton_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("item");
        for (const BoutonOutil& b : boutons_outils)
            QTest::newRow(b.nom) << b.position << b.item;
    }
    void item_de_chaque_bouton()
    {
        QFETCH(int, position);
        QFETCH(int, item);
        session();
        for (const NomMenu& n : noms_menus)
            tk::SetMenuItemCallback(n.id, noter_item);
        items_declenches.clear();
        Toolbar_Presser(gToolbar, position);
        // The commands are the program's own again for the next test.
        session_.reset();
        QCOMPARE(items_declenches, QList<int>{item});
    }

    void panneau_tableur_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<QStringList>("attendus"); // working directory, Browse, sheet, message, Run, Export, Close
        QTest::newRow("fr") << 0
                            << QStringList{"Répertoire de travail", "Parcourir", "Feuille (*.XLSX)", "Message",
                                           "&Lancer", "Exporter", "Quitter"};
        QTest::newRow("en") << 1
                            << QStringList{"Working Directory", "Browse", "Sheet (*.XLSX)", "Message", "&Run",
                                           "Export", "Quit"};
        QTest::newRow("de") << 2
                            << QStringList{"Arbeitsverzeichnis", "Blättern", "Blatt (*.XLSX)", "Nachricht",
                                           "&Starten", "Exportieren", "Beenden"};
        QTest::newRow("es") << 3
                            << QStringList{"Directorio de trabajo", "Recorrer", "Hoja (*.XLSX)", "Mensaje",
                                           "&Lanzar", "Exportar", "Salir"};
        QTest::newRow("it") << 4
                            << QStringList{"Directory di lavoro", "Sfoglia", "Foglio (*.XLSX)", "Messaggio",
                                           "&Avvio", "Esporta", "Esci"};
    }
    void panneau_tableur()
    {
        QFETCH(int, l);
        QFETCH(QStringList, attendus);
        session();
        passer_en(l);
        tk::declencher(ITEM_EXPORTER);
        const int p = Fen_princ[PNL_EXCEL];
        QVERIFY(tk::panel_valide(p));
        QVERIFY(tk::fenetre(p)->isVisible());
        const PnlExcel& x = liaison<PnlExcel>(p);
        const QStringList vus{x.travail->text(), x.parcour->text(), x.nom_feuil->text(), x.message->text(),
                              x.lancer->text(),  x.exporte->text(), x.quitter->text()};
        x.quitter->click();
        QCOMPARE(vus, attendus);
    }

    void dialogue_connexion_data()
    {
        QTest::addColumn<int>("l");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("annuler");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("fr") << 0 << "Connexion" << "Quitter"
                            << QStringList{"     Paramètres fixes : ", "     vitesse : 9600 bps ",
                                           "     - 1 bit de start ", "     - 8 bits de données",
                                           "     - 1 bit de stop ", "     - pas de parité "};
        QTest::newRow("en") << 1 << "Connection" << "Quit"
                            << QStringList{"     Fixed parameters : ", "     rate : 9600 bps ",
                                           "     - 1 start bit ", "     - 8 data bits ", "     - 1 stop bit ",
                                           "     - no parity "};
        QTest::newRow("de") << 2 << "Verbindung" << "Beenden"
                            << QStringList{"     Feste Parameter : ", "     Geschwindigkeit : 9600 bps ",
                                           "     - 1 Startbit ", "     - 8 Datenbits ", "     - 1 Stopbit ",
                                           "     - keine Parität  "};
        QTest::newRow("es") << 3 << "Conexión" << "Salir"
                            << QStringList{"     Parémetros fijos : ", "     velocidad : 9600 bps ",
                                           "     - 1 bit de start ", "     - 8 bits de datos ",
                                           "     - 1 bit de stop ", "     - ninguna paridad "};
        QTest::newRow("it") << 4 << "Connessione" << "Esci"
                            << QStringList{"     Parametri fissi : ", "     velocità : 9600 bps ",
                                           "     - 1 bit di start ", "     - 8 bit dati ", "     - 1 bit di stop ",
                                           "     - nessuna parità"};
    }
    void dialogue_connexion()
    {
        QFETCH(int, l);
        QFETCH(QString, titre);
        QFETCH(QString, annuler);
        QFETCH(QStringList, lignes);
        session();
        passer_en(l);
        tk::declencher(ITEM_CONNECTER);
        const int p = Fen_princ[PNL_CONNEXION];
        QVERIFY(p > 0 && tk::panel_valide(p));
        const PnlConnexion& d = liaison<PnlConnexion>(p);
        const QString vu_titre = tk::titre(p), vu_annuler = d.quitter->text();
        // The first line ends with a line break: a blank line follows it.
        QStringList vues = d.boite_info->toPlainText().split('\n');
        vues.removeAll(QString());
        d.quitter->click();
        QVERIFY(!tk::panel_valide(p));
        QCOMPARE(vu_titre, titre);
        QCOMPARE(vu_annuler, annuler);
        QCOMPARE(vues, lignes);
    }

    // Readings already kept in a file go without a word: the list is
    // emptied, the curves go and the title is the program's again.
    void changer_de_langue_efface_l_enregistrement_data()
    {
        QTest::addColumn<bool>("acquis"); // acquired then saved; otherwise opened from a file
        QTest::addColumn<int>("l");
        QTest::newRow("opened, to German") << false << 2;
        QTest::newRow("opened, same language") << false << 1;
        QTest::newRow("acquired and saved, to French") << true << 0;
    }
    void changer_de_langue_efface_l_enregistrement()
    {
        QFETCH(bool, acquis);
        QFETCH(int, l);
        session_.reset();
        BancSimulateur b;
        QVERIFY(b.pret);
        QCOMPARE(langue, 1);
        const QString dat = b.programme.dir() + "/mesure.dat";
        if (acquis) {
            selectionner_case(CODE_TENSION, 1);
            selectionner_case(CODE_P, 1);
            ModeEnCours_actuel = AFFICHAGE_INSTANTANE;
            flag_type_mesure = 1;
            Gestion_fichier(menu, ITEM_LANCER, nullptr, Fen_princ[PNL_PRINC]);
            activer_minuterie(false);
            for (int i = 0; i < 3; ++i)
                cadence(Fen_princ[PNL_PRINC], 0, EVENT_TIMER_TICK, nullptr, 0, 0);
            b.plateforme.popups->reponses << 1; // Yes to saving
            b.plateforme.popups->saisies << dat;
            Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
            QVERIFY(QFile::exists(dat));
        } else {
            ecrire_deux_voies(dat, 3, [](int j) { return colonne(230.0 + j); },
                              [](int j) { return colonne(1000.0 + j); });
            QCOMPARE(Ouverture_fichier(dat), 0);
        }
        ListeReleves* liste = liaison<PnlDonnees>(Info[0].panel).liste;
        QCOMPARE(liste->count(), 3);
        QCOMPARE(Mesure.nb_voies, 2);
        QVERIFY(points_traces(1) > 0);
        QVERIFY(points_traces(2) > 0);
        // An opened file names itself in the title; saving leaves the title.
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]) == "VOLTEXA", acquis);

        Gestion_options(menu, ITEM_FRANCAIS + l, nullptr, 0);
        QCOMPARE(liste->count(), 0);
        QCOMPARE(Acq.nb_points, 0);
        QCOMPARE(points_traces(1), 0);
        QCOMPARE(points_traces(2), 0);
        QCOMPARE(tk::titre(Fen_princ[PNL_PRINC]), QString("VOLTEXA"));
    }
};

QTEST_MAIN(TestLibelles)
#include "test_libelles.moc"
