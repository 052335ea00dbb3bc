// Help files and help window: the five language files must stay aligned
// (same sections, working contents), the keyword search must find sections
// whatever the accents and capitals, and the window must open any file,
// present or not, without a modal popup.
#include "socle/globals.h"
#include "socle/help_search.h"
#include "socle/ecran/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <sys/stat.h>

#include <algorithm>

namespace {

const char* const suffixes[] = {"fr", "gb", "al", "es", "it"};

// The help files as the build installs them beside the program, else in the sources.
QString fichier_aide(const QString& suffixe)
{
    const QString nom = QStringLiteral("voltex%1.hhh").arg(suffixe);
    const QString installe = QStringLiteral(VOLTEXA_BIN_DIR "/") + nom;
    if (QFileInfo::exists(installe))
        return installe;
    return QStringLiteral(VOLTEXA_SOURCE_DIR "/lang/help/") + nom;
}

QString lire(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QStringList ancres_de(const QList<SectionAide>& sections)
{
    QStringList a;
    for (const SectionAide& s : sections)
        a.append(s.ancre);
    return a;
}

const char* const page_essai = R"(<html><head><title>t</title><style>h2 { color: red; }</style></head><body>
<h1 id="top">Aide</h1><p>Intro &amp; présentation</p>
<h2 id="contents">Sommaire</h2><ul><li><a href="#port">Port</a></li><li><a href='#trop'>Problèmes</a></li></ul>
<h2 id="port">Port série</h2><p>Vitesse 9600, <b>pas de parité</b>, 8&nbsp;bits. Message court, réponse invalide.</p>
<h3>Sans ancre</h3><p>reste dans la section du port</p>
<h2><a name="trop"></a>Dépannage</h2><p>Message invalide ou Time Out. Meßart &#233;cran</p>
<h2 id="fin">Parité des fichiers</h2><p>Rien.</p>
</body></html>)";

QWidget* fenetre_aide()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("fenetre_aide"))
            return w;
    return nullptr;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void init() { langue = 1; }

    // ---- the five files -------------------------------------------------

    void fichiers_alignes()
    {
        const QStringList reference = ancres_de(sections_aide(lire(fichier_aide(QStringLiteral("gb")))));
        QVERIFY(reference.size() >= 25);
        QVERIFY(reference.contains(QLatin1String(ANCRE_SOMMAIRE)));
        QCOMPARE(QSet<QString>(reference.begin(), reference.end()).size(), reference.size());

        static const QRegularExpression lien(QStringLiteral("href\\s*=\\s*\"#([^\"]*)\""));
        for (const char* suffixe : suffixes) {
            const QString html = lire(fichier_aide(QLatin1String(suffixe)));
            QVERIFY2(!html.isEmpty(), suffixe);
            QVERIFY2(html.contains(QLatin1String("charset=\"utf-8\"")), suffixe);
            // Self-contained, and menu texts shown without their mnemonic markers.
            for (const char* interdit : {"src=", "http:", "https:", "<link", "__"})
                QVERIFY2(!html.contains(QLatin1String(interdit), Qt::CaseInsensitive), suffixe);

            const QList<SectionAide> sections = sections_aide(html);
            QCOMPARE(ancres_de(sections), reference);
            for (const SectionAide& s : sections)
                QVERIFY2(!s.titre.isEmpty() && s.texte.size() > 60,
                         qPrintable(QStringLiteral("%1 %2").arg(suffixe, s.ancre)));

            // The contents list leads to every main section; no link leads nowhere.
            const QStringList sommaire = liens_sommaire(html);
            for (const SectionAide& s : sections)
                if (s.niveau == 2 && s.ancre != QLatin1String(ANCRE_SOMMAIRE))
                    QVERIFY2(sommaire.contains(s.ancre), qPrintable(QStringLiteral("%1 %2").arg(suffixe, s.ancre)));
            const QStringList ancres = ancres_aide(html);
            auto it = lien.globalMatch(html);
            while (it.hasNext()) {
                const QString cible = it.next().captured(1);
                QVERIFY2(ancres.contains(cible), qPrintable(QStringLiteral("%1 #%2").arg(suffixe, cible)));
            }
        }
    }

    // Each file names the commands and messages in the program's own words.
    void fichiers_dans_leur_langue_data()
    {
        QTest::addColumn<QString>("suffixe");
        QTest::addColumn<QStringList>("textes");
        QTest::newRow("fr") << "fr" << QStringList{"Fichier ▸ Lancer", "Paramètre ▸ Communication",
                                                   "Message invalide ou Time Out", "valeurs hors limites",
                                                   "Enregistrer la configuration en quittant"};
        QTest::newRow("gb") << "gb" << QStringList{"File ▸ Run", "Setup ▸ Communication", "Invalid message or Time Out",
                                                   "values out of limits", "Save settings on exit"};
        QTest::newRow("al") << "al" << QStringList{"Datei ▸ Starten", "Setup ▸ Kommunikation",
                                                   "Kommunikationfehler oder Time Out", "Außer Grenze Werte",
                                                   "Konfiguration Speicherung beim Beenden"};
        QTest::newRow("es") << "es" << QStringList{"Fichero ▸ Lanzar", "Parametrizado ▸ Communicacion",
                                                   "Mensaje no válido o Time Out", "valores fuera de los limites",
                                                   "Grabar la configuación antes de salir"};
        QTest::newRow("it") << "it" << QStringList{"File ▸ Avvio", "Parametro ▸ Communicazione",
                                                   "Messaggio non valido o Time Out", "valori fuori limiti",
                                                   "Salva la configurazione ed esci"};
    }

    void fichiers_dans_leur_langue()
    {
        QFETCH(QString, suffixe);
        QFETCH(QStringList, textes);
        const QString texte = texte_html(lire(fichier_aide(suffixe)));
        for (const QString& t : textes)
            QVERIFY2(texte.contains(t), qPrintable(t));
    }

    // Each file says where the program keeps the user's files, for a build
    // folder and for the installed program, and how to remove them.
    void emplacements_des_fichiers_data()
    {
        QTest::addColumn<QString>("suffixe");
        for (const char* s : suffixes)
            QTest::newRow(s) << QString::fromLatin1(s);
    }

    void emplacements_des_fichiers()
    {
        QFETCH(QString, suffixe);
        const QList<SectionAide> sections = sections_aide(lire(fichier_aide(suffixe)));
        const auto it = std::find_if(sections.begin(), sections.end(),
                                     [](const SectionAide& s) { return s.ancre == QLatin1String("locations"); });
        QVERIFY(it != sections.end());
        for (const char* chemin :
             {"build/bin/voltexa.ini", "~/.config/VOLTEXA/voltexa.ini", "build/bin/voltexa.hlp",
              "~/.local/share/VOLTEXA/voltexa.hlp", "build/bin/ports/", "~/.local/share/VOLTEXA/ports/",
              "build/bin/reprise/", "~/.local/share/VOLTEXA/reprise/", "/usr/share/voltexa/",
              "rm -r ~/.config/VOLTEXA ~/.local/share/VOLTEXA"})
            QVERIFY2(it->texte.contains(QLatin1String(chemin)), chemin);
    }

    // ---- sections and search ----------------------------------------------

    void decoupage_en_sections()
    {
        const QList<SectionAide> s = sections_aide(QString::fromUtf8(page_essai));
        QCOMPARE(ancres_de(s), (QStringList{"top", "contents", "port", "trop", "fin"}));
        QCOMPARE(s[0].texte, QStringLiteral("Intro & présentation"));
        QCOMPARE(s[3].titre, QStringLiteral("Dépannage"));
        // Tags and entities gone; a heading without anchor stays in its section.
        QCOMPARE(s[2].texte,
                 QStringLiteral("Vitesse 9600, pas de parité , 8 bits. Message court, réponse invalide. Sans ancre reste "
                                "dans la section du port"));
        QVERIFY(s[3].texte.endsWith(QStringLiteral("Meßart écran")));

        QCOMPARE(liens_sommaire(QString::fromUtf8(page_essai)), (QStringList{"port", "trop"}));
        QCOMPARE(ancres_aide(QString::fromUtf8(page_essai)), (QStringList{"top", "contents", "port", "trop", "fin"}));
        QVERIFY(sections_aide(QStringLiteral("<p>no headings</p>")).isEmpty());

        // Headings never closed are not headings; the first closing of the
        // same level ends one, and one inside another is part of it.
        const QString ouvertes = QStringLiteral("<h2 id=\"a\">A</h2><p>x</p>") +
                                 QStringLiteral("<h4 id=\"n\">never closed ").repeated(20000) +
                                 QStringLiteral("<h3 id=\"b\">B <h2 id=\"c\">inner</h2></h3><p>y</p>");
        const QList<SectionAide> o = sections_aide(ouvertes);
        QCOMPARE(ancres_de(o), (QStringList{"a", "b"}));
        QVERIFY(o[0].texte.startsWith(QStringLiteral("x never closed")));
        QVERIFY(liens_sommaire(QStringLiteral("<h2 id=\"x\">X</h2><a href=\"#y\">y</a>")).isEmpty());
    }

    void recherche_par_mot_cle()
    {
        QCOMPARE(replier(QStringLiteral("ÉCRAN Größe Œuvre l’icona")), QStringLiteral("ecran grosse oeuvre l'icona"));
        const QList<SectionAide> s = sections_aide(QString::fromUtf8(page_essai));
        // Accents and capitals ignored; the contents section is never listed.
        QCOMPARE(ancres_de(chercher_sections(s, QStringLiteral("parite"))), (QStringList{"fin", "port"}));
        QCOMPARE(ancres_de(chercher_sections(s, QStringLiteral("PARITÉ"))), (QStringList{"fin", "port"}));
        QCOMPARE(ancres_de(chercher_sections(s, QStringLiteral("depannage"))), QStringList{"trop"});
        QCOMPARE(ancres_de(chercher_sections(s, QStringLiteral("messart"))), QStringList{"trop"});
        // Several words: all of them, anywhere in the section.
        QCOMPARE(ancres_de(chercher_sections(s, QStringLiteral("  time   invalide "))), QStringList{"trop"});
        QVERIFY(chercher_sections(s, QStringLiteral("time parité")).isEmpty());
        // The words as a phrase rank before the same words scattered.
        QCOMPARE(ancres_de(chercher_sections(s, QStringLiteral("message invalide"))), (QStringList{"trop", "port"}));
        QVERIFY(chercher_sections(s, QStringLiteral("   ")).isEmpty());
        QVERIFY(chercher_sections(s, QStringLiteral("problemes")).isEmpty());
    }

    void recherche_dans_les_vrais_fichiers_data()
    {
        QTest::addColumn<QString>("suffixe");
        QTest::addColumn<QString>("mot");
        QTest::addColumn<QString>("ancre");
        QTest::newRow("fr parite") << "fr" << "parite" << "connection";
        QTest::newRow("gb timeout") << "gb" << "time out" << "trouble-communication";
        QTest::newRow("gb capacity") << "gb" << "recording capacity" << "interval";
        QTest::newRow("al messart") << "al" << "messart" << "measurement";
        QTest::newRow("al grosse") << "al" << "vergroßern" << "zoom";
        QTest::newRow("es grafico") << "es" << "grafico" << "graphs";
        QTest::newRow("it parita") << "it" << "parita" << "connection";
        // The energy figures and the command-line logger, by the words a user
        // of each language would type.
        QTest::newRow("gb kwh") << "gb" << "kWh" << "statistics";
        QTest::newRow("fr energie") << "fr" << "energie" << "statistics-energy";
        QTest::newRow("al energie") << "al" << "Energie" << "statistics-energy";
        QTest::newRow("es energia") << "es" << "energía" << "statistics-energy";
        QTest::newRow("it energia") << "it" << "energia" << "statistics-energy";
        QTest::newRow("gb command line") << "gb" << "command line" << "logger";
        QTest::newRow("fr ligne de commande") << "fr" << "ligne de commande" << "logger";
        QTest::newRow("al kommandozeile") << "al" << "Kommandozeile" << "logger";
        QTest::newRow("es linea de comandos") << "es" << "linea de comandos" << "logger";
        QTest::newRow("it riga di comando") << "it" << "riga di comando" << "logger";
    }

    void recherche_dans_les_vrais_fichiers()
    {
        QFETCH(QString, suffixe);
        QFETCH(QString, mot);
        QFETCH(QString, ancre);
        const QList<SectionAide> s = sections_aide(lire(fichier_aide(suffixe)));
        const QStringList trouvees = ancres_de(chercher_sections(s, mot));
        QVERIFY2(!trouvees.isEmpty(), qPrintable(mot));
        QCOMPARE(trouvees.first(), ancre);
    }

    // ---- the window -------------------------------------------------------

    void fenetre_au_sommaire()
    {
        QtHelpViewer aide;
        aide.sommaire(fichier_aide(QStringLiteral("gb")));
        QWidget* f = fenetre_aide();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QVERIFY(!f->isModal());
        auto* texte = f->findChild<QTextBrowser*>(QStringLiteral("aide_texte"));
        auto* liste = f->findChild<QListWidget*>(QStringLiteral("aide_rubriques"));
        auto* debut = f->findChild<QToolButton*>(QStringLiteral("aide_sommaire"));
        auto* precedent = f->findChild<QToolButton*>(QStringLiteral("aide_precedent"));
        QVERIFY(texte);
        QVERIFY(liste);
        QVERIFY(debut);
        QVERIFY(precedent);
        QCOMPARE(texte->documentTitle(), QStringLiteral("VOLTEXA Help"));
        QCOMPARE(texte->verticalScrollBar()->value(), 0);
        QVERIFY(liste->count() >= 25); // no keyword: an index of every section

        // Internal links move through the file; Contents comes back to the top.
        texte->setSource(QUrl(texte->source().toString() + QStringLiteral("#troubleshooting")));
        QTRY_VERIFY(texte->verticalScrollBar()->value() > 0);
        debut->click();
        QCOMPARE(texte->verticalScrollBar()->value(), 0);
        QVERIFY(precedent->isEnabled());

        // A second call reuses the window, in the language then in force.
        langue = 2;
        aide.sommaire(fichier_aide(QStringLiteral("al")));
        QCOMPARE(fenetre_aide(), f);
        QCOMPARE(texte->documentTitle(), QStringLiteral("VOLTEXA Hilfe"));
        QCOMPARE(f->windowTitle(), QStringLiteral("VOLTEXA Hilfe"));
        QCOMPARE(precedent->text(), QStringLiteral("Zurück"));
    }

    void fenetre_en_recherche()
    {
        QtHelpViewer aide;
        aide.recherche(fichier_aide(QStringLiteral("fr")), QStringLiteral("parite"));
        QWidget* f = fenetre_aide();
        QVERIFY(f);
        auto* champ = f->findChild<QLineEdit*>(QStringLiteral("aide_recherche"));
        auto* liste = f->findChild<QListWidget*>(QStringLiteral("aide_rubriques"));
        auto* texte = f->findChild<QTextBrowser*>(QStringLiteral("aide_texte"));
        QVERIFY(champ);
        QVERIFY(liste);
        QVERIFY(texte);
        QCOMPARE(champ->text(), QStringLiteral("parite"));
        QCOMPARE(f->focusWidget(), champ);
        QVERIFY(liste->count() >= 1);
        QVERIFY(liste->count() < 10);

        // The list follows the typing; choosing a section scrolls to it.
        champ->setText(QStringLiteral("dépannage"));
        QVERIFY(liste->count() >= 1);
        QCOMPARE(liste->item(0)->data(Qt::UserRole).toString(), QStringLiteral("troubleshooting"));
        emit liste->itemActivated(liste->item(0));
        QCOMPARE(texte->source().fragment(), QStringLiteral("troubleshooting"));
        QTRY_VERIFY(texte->verticalScrollBar()->value() > 0);

        champ->setText(QStringLiteral("xyzzy")); // one dimmed line says nothing was found
        QCOMPARE(liste->count(), 1);
        QVERIFY(!(liste->item(0)->flags() & Qt::ItemIsEnabled));
    }

    void fichier_absent()
    {
        QTemporaryDir dir;
        const QString absent = dir.filePath(QStringLiteral("voltexa.hlp"));
        QtHelpViewer aide;
        aide.sommaire(absent);
        QWidget* f = fenetre_aide();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        auto* texte = f->findChild<QTextBrowser*>(QStringLiteral("aide_texte"));
        QVERIFY(texte->toPlainText().contains(QStringLiteral("Help file not found")));
        QVERIFY(texte->toPlainText().contains(QDir::toNativeSeparators(absent)));
        aide.recherche(absent, QStringLiteral("port"));
        QCOMPARE(f->findChild<QListWidget*>(QStringLiteral("aide_rubriques"))->count(), 0);

        // A language chosen later copies its file under the same name: it is read afresh.
        QVERIFY(QFile::copy(fichier_aide(QStringLiteral("it")), absent));
        aide.sommaire(absent);
        QVERIFY(texte->toPlainText().contains(QStringLiteral("Sommario")));
        QVERIFY(QFile::remove(absent));
        QVERIFY(QFile::copy(fichier_aide(QStringLiteral("al")), absent));
        aide.sommaire(absent);
        QVERIFY(texte->toPlainText().contains(QStringLiteral("Inhalt")));
    }

    // A help file past 16 MB (sparse here) is not read nor laid out: the
    // window says so at once. A pipe or a folder in its place is no file:
    // nothing waits on the pipe.
    void fichier_d_aide_refuse_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<QString>("raison");
        QTest::newRow("16 MB and one byte") << "grand" << "Help file too large (over 16 MB):";
        QTest::newRow("pipe") << "tube" << "Help file not found:";
        QTest::newRow("folder") << "dossier" << "Help file not found:";
    }
    void fichier_d_aide_refuse()
    {
        QFETCH(QString, genre);
        QFETCH(QString, raison);
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("voltexa.hlp"));
        if (genre == "grand") {
            QVERIFY(QFile::copy(fichier_aide(QStringLiteral("gb")), chemin));
            QFile f(chemin);
            QVERIFY(f.resize((qint64(16) << 20) + 1));
        } else if (genre == "tube") {
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        } else {
            QVERIFY(QDir().mkdir(chemin));
        }
        QtHelpViewer aide;
        aide.recherche(chemin, QStringLiteral("port"));
        QWidget* f = fenetre_aide();
        QVERIFY(f);
        QVERIFY(!QApplication::activeModalWidget());
        auto* texte = f->findChild<QTextBrowser*>(QStringLiteral("aide_texte"));
        QCOMPARE(texte->toPlainText(), raison + "\n" + chemin);
        QCOMPARE(f->findChild<QListWidget*>(QStringLiteral("aide_rubriques"))->count(), 0);
        QVERIFY(!f->findChild<QToolButton*>(QStringLiteral("aide_sommaire"))->isEnabled());
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
