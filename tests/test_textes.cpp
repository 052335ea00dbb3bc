#include <QStringDecoder>
#include <QTest>

#include <cstring>
#include <iterator>
#include <vector>

#include "socle/globals.h"
#include "lang/langue.h"
#include "lang/textes.h"

namespace {

struct Table {
    const char* nom;
    const char* const* textes;
    int lignes;
};

#define TABLE(t) Table{#t, tx::t, int(std::size(tx::t) / tx::NB_LANGUES)}

const std::vector<Table> tables_menus = {
    TABLE(barre_fichier), TABLE(item_nouveau), TABLE(item_ouvrir), TABLE(item_enregist),
    TABLE(item_lancer), TABLE(item_pause), TABLE(item_stop), TABLE(item_imprimer),
    TABLE(item_quitter), TABLE(barre_parametre), TABLE(item_connecter), TABLE(item_typemes),
    TABLE(item_interval), TABLE(item_tpsreel), TABLE(item_tpsabs), TABLE(item_echelle),
    TABLE(item_alarme), TABLE(barre_edition), TABLE(item_lier), TABLE(item_text1),
    TABLE(item_text2), TABLE(item_text3), TABLE(item_copgra), TABLE(item_rengra),
    TABLE(barre_options), TABLE(item_langue), TABLE(item_enregist2), TABLE(barre_affichag),
    TABLE(item_reticule), TABLE(item_curseur), TABLE(item_legende), TABLE(item_couleur),
    TABLE(item_zoomplus), TABLE(item_zoommoins), TABLE(barre_fenetre), TABLE(item_cascade),
    TABLE(item_mosaique), TABLE(item_ecran), TABLE(item_contenu), TABLE(item_index),
    TABLE(item_aproposd), TABLE(annuler), TABLE(defaut), TABLE(lancer),
};

const std::vector<Table> tables_bulles = {
    TABLE(ouvrir), TABLE(enregist), TABLE(lance), TABLE(pause), TABLE(stop), TABLE(imprimer),
    TABLE(echelle), TABLE(exporter), TABLE(reticule), TABLE(curseur), TABLE(legende),
    TABLE(zoommoins), TABLE(zoomplus), TABLE(cascade), TABLE(mosaique), TABLE(ecran), TABLE(aide),
};

const std::vector<Table> autres_tables = {
    TABLE(donnee), TABLE(couleur), TABLE(travail), TABLE(parcour), TABLE(nom_feuil),
    TABLE(message), TABLE(exporte), TABLE(quitter), TABLE(develop), TABLE(chefpro),
    TABLE(typemes), TABLE(choixmesure), TABLE(automatic), TABLE(manuel), TABLE(alarme),
    TABLE(insertext), TABLE(printdef), TABLE(interval), TABLE(duree), TABLE(capacite),
    TABLE(monocoup), TABLE(connex), TABLE(comunic1), TABLE(comunic2), TABLE(comunic3),
    TABLE(comunic4), TABLE(comunic5), TABLE(comunic6), TABLE(confir1), TABLE(confir2),
    TABLE(sauver_donnee), TABLE(reprise_trouvee), TABLE(journal_impossible), TABLE(journal_en_retard),
    TABLE(titre_releves_manquants), TABLE(config_endommagee), TABLE(config_trop_grande), TABLE(pas_un_fichier),
    TABLE(dossier_protege), TABLE(tete_optique), TABLE(tete_optique1), TABLE(port_absent),
    TABLE(port_occupe_voltexa), TABLE(port_occupe), TABLE(port_essaye), TABLE(port_par_defaut),
    TABLE(port_permission), TABLE(port_erreur_systeme), TABLE(port_muet), TABLE(port_reponse_invalide),
    TABLE(continuer),
    TABLE(attention), TABLE(information), TABLE(mode), TABLE(normal), TABLE(canal),
    TABLE(date), TABLE(heure), TABLE(jour), TABLE(texte), TABLE(valeurs), TABLE(outlimite),
    TABLE(Maj_titre_erreur), TABLE(titre_erreur), TABLE(renommer), TABLE(commande),
    TABLE(titre_feuille), TABLE(messag_ecras), TABLE(messag_pret), TABLE(messag_fin),
    TABLE(titres), TABLE(type_mesure), TABLE(erreur), TABLE(item_langues),
    TABLE(apropos_description), TABLE(apropos_auteurs), TABLE(apropos_chef),
};

int nb_marques(const char* texte)
{
    int n = 0;
    for (const char* p = std::strstr(texte, "__"); p; p = std::strstr(p + 2, "__"))
        ++n;
    return n;
}

// Entry of item k in language l, whatever the current language.
QByteArray entree(const char* const* table, int k, int l)
{
    return QByteArray(table[k * tx::NB_LANGUES + l]);
}

} // namespace

class TestTextes : public QObject {
    Q_OBJECT

private slots:
    void init() { langue = 0; }
    void cleanupTestCase() { langue = 0; }

    void chaque_article_a_cinq_textes_lisibles();
    void marques_de_raccourci();
    void textes_cites_exactement();
    void consultation_selon_la_langue();
    void entete_des_releves();
    void oui_non_par_langue();
    void unites_par_grandeur();
    void conversion_des_raccourcis();
};

void TestTextes::chaque_article_a_cinq_textes_lisibles()
{
    QCOMPARE(int(std::size(tx::erreur)), 34 * 5);
    QCOMPARE(int(std::size(tx::titres)), 9 * 5);
    QCOMPARE(int(std::size(tx::type_mesure)), 12 * 5);

    for (const auto* liste : {&tables_menus, &tables_bulles, &autres_tables}) {
        for (const Table& t : *liste) {
            for (int k = 0; k < t.lignes; ++k) {
                for (int l = 0; l < tx::NB_LANGUES; ++l) {
                    const char* texte = t.textes[k * tx::NB_LANGUES + l];
                    const QByteArray ou = QByteArray(t.nom) + " row " + QByteArray::number(k)
                                          + " language " + QByteArray::number(l);
                    QVERIFY2(texte != nullptr, ou.constData());
                    // Only the first colour role is blank, in every language.
                    const bool vide_attendu = t.textes == tx::titres && k == 0;
                    QVERIFY2((*texte == '\0') == vide_attendu, ou.constData());
                    QStringDecoder utf8(QStringDecoder::Utf8);
                    const QString decode = utf8(QByteArrayView(texte));
                    QVERIFY2(!utf8.hasError(), ou.constData());
                    QVERIFY2(!decode.contains(u'\r'), ou.constData());
                }
            }
        }
    }
}

void TestTextes::marques_de_raccourci()
{
    // Menu and button texts carry exactly one mnemonic marker, before a
    // visible character; tooltips and titles carry none.
    for (const Table& t : tables_menus) {
        for (int l = 0; l < tx::NB_LANGUES; ++l) {
            const char* texte = t.textes[l];
            const QByteArray ou = QByteArray(t.nom) + " language " + QByteArray::number(l);
            QVERIFY2(nb_marques(texte) == 1, ou.constData());
            const char* apres = std::strstr(texte, "__") + 2;
            QVERIFY2(*apres != '\0' && *apres != ' ', ou.constData());
        }
    }
    for (const auto* liste : {&tables_bulles, &autres_tables})
        for (const Table& t : *liste)
            for (int i = 0; i < t.lignes * tx::NB_LANGUES; ++i)
                QVERIFY2(nb_marques(t.textes[i]) == 0, t.nom);
}

void TestTextes::textes_cites_exactement()
{
    // Connection box: only its first line ends with a line break, and the
    // blanks are part of the layout.
    for (int l = 0; l < tx::NB_LANGUES; ++l) {
        QVERIFY(entree(tx::comunic1, 0, l).endsWith("\n"));
        QVERIFY(entree(tx::comunic1, 0, l).startsWith("     "));
        QVERIFY(!entree(tx::comunic2, 0, l).contains('\n'));
    }
    QCOMPARE(entree(tx::comunic1, 0, 0), QByteArray("     Paramètres fixes : \n"));
    QCOMPARE(entree(tx::comunic4, 0, 0), QByteArray("     - 8 bits de données"));
    QCOMPARE(entree(tx::comunic6, 0, 2), QByteArray("     - keine Parität  "));
    QCOMPARE(entree(tx::comunic6, 0, 4), QByteArray("     - nessuna parità"));

    // Questions shown with a line break, except the Italian overwrite question.
    for (int l = 0; l < tx::NB_LANGUES; ++l) {
        QVERIFY(entree(tx::confir1, 0, l).endsWith("\n"));
        QVERIFY(entree(tx::confir2, 0, l).endsWith("\n"));
        QVERIFY(entree(tx::messag_fin, 0, l).endsWith("\n"));
        QCOMPARE(entree(tx::messag_ecras, 0, l).endsWith("\n"), l != 4);
        // The rename prompt is padded to one width in every language.
        QCOMPARE(QString::fromUtf8(entree(tx::commande, 0, l)).size(), 41);
    }
    QCOMPARE(entree(tx::confir1, 0, 0), QByteArray("Êtes-vous sûr de vouloir quitter VOLTEXA ?\n"));
    QCOMPARE(entree(tx::normal, 0, 4), QByteArray(" normale"));
    QCOMPARE(entree(tx::tete_optique, 0, 1), QByteArray("Check if the optical head is connected "));

    QCOMPARE(entree(tx::erreur, 4, 2), QByteArray("Wählen Sie einen Diagramm"));
    QCOMPARE(entree(tx::erreur, 24, 1), QByteArray("Error writing file "));
    QCOMPARE(entree(tx::erreur, 2, 4),
             QByteArray("Impossibile trovare l\u2019icona della barra strumenti"));
    QCOMPARE(entree(tx::erreur, 0, 0), QByteArray("Fichier VOLTEXA.INI introuvable"));
    QCOMPARE(entree(tx::erreur, 33, 3), QByteArray("valores fuera de los limites"));
    QCOMPARE(entree(tx::titre_erreur, 0, 2), QByteArray("Fehler"));

    QCOMPARE(entree(tx::titres, 8, 0), QByteArray("Réticule"));
    QCOMPARE(entree(tx::type_mesure, 0, 0), QByteArray("Tension"));
    QCOMPARE(entree(tx::type_mesure, 11, 1), QByteArray("Average Power Factor"));
    QCOMPARE(entree(tx::zoommoins, 0, 2), QByteArray("Verkleinern"));
    QCOMPARE(entree(tx::item_enregist, 0, 1), QByteArray("S__ave ..."));
    QCOMPARE(entree(tx::item_aproposd, 0, 0), QByteArray("A __propos de VOLTEXA ..."));

    // Each language names itself, whatever the current language.
    const char* noms[] = {"Français", "English", "Deutsch", "Español", "Italiano"};
    for (int k = 0; k < 5; ++k)
        for (int l = 0; l < tx::NB_LANGUES; ++l)
            QCOMPARE(entree(tx::item_langues, k, l), QByteArray(noms[k]));
}

void TestTextes::consultation_selon_la_langue()
{
    langue = 0;
    QCOMPARE(QByteArray(txt(tx::erreur, 4)), QByteArray("Aucun graphe n'a été sélectionné"));
    QCOMPARE(QByteArray(txt(tx::barre_fichier)), QByteArray("__Fichier"));
    langue = 2;
    QCOMPARE(QByteArray(txt(tx::erreur, 4)), QByteArray("Wählen Sie einen Diagramm"));
    QCOMPARE(qtxt(tx::erreur, 4), QStringLiteral("Wählen Sie einen Diagramm"));
    QCOMPARE(qtxt(tx::type_mesure, 2), QStringLiteral("Strom"));
    langue = 4;
    QCOMPARE(qtxt(tx::titres, 1), QStringLiteral("Curva 1° misurazione"));
    QCOMPARE(QByteArray(txt(tx::barre_fichier)), QByteArray("__File"));

    // A language index out of range reads French instead of past the table.
    langue = 5;
    QCOMPARE(QByteArray(txt(tx::erreur, 33)), QByteArray("valeurs hors limites"));
    QCOMPARE(QByteArray(mot_oui()), QByteArray("Oui"));
    langue = -1;
    QCOMPARE(QByteArray(txt(tx::canal)), QByteArray("Canal"));
}

// The one heading builder, for the list and for printing: the words of the
// language, then a piece of exactly 15 characters per channel in use.
void TestTextes::entete_des_releves()
{
    remise_a_zero_globales();
    langue = 0;
    QCOMPARE(entete_releves(), QString::fromUtf8(" N°   Date       Heure     "));
    QCOMPARE(entete_releves(Entete::imprimee), QString::fromUtf8("   N°    Date     Heure     "));

    Mesure.nb_voies = 2;
    copie_texte(Donnee[1].libelle, "V(V)");
    copie_texte(Donnee[2].libelle, "Qm(Var)");
    langue = 2;
    const QString e = entete_releves();
    QCOMPARE(e, QString::fromUtf8(" N°   Datum       Stunde     " " CH1: V(V)     " " CH2: Qm(Var)  "));
    QCOMPARE(QString(Donnee[2].titre), QString("Qm(Var)")); // titles refreshed from the labels
    QCOMPARE(entete_releves(Entete::imprimee).mid(30), e.mid(29));

    // A label of nine characters fills its piece exactly; the blanks after it go.
    Mesure.nb_voies = 1;
    copie_texte(Donnee[1].libelle, "ABCDEFGHI");
    QCOMPARE(entete_releves().mid(29), QString(" CH1: ABCDEFGHI"));
    remise_a_zero_globales();
}

void TestTextes::oui_non_par_langue()
{
    QCOMPARE(int(std::size(tx::cmdOui)), 10);
    const char* attendus[5][2] = {
        {"Non", "Oui"}, {"No", "Yes"}, {"Nein", "Ja"}, {"No", "Si"}, {"No", "Si"}};
    for (int l = 0; l < tx::NB_LANGUES; ++l) {
        langue = l;
        QCOMPARE(QByteArray(tx::cmdOui[l * 2]), QByteArray(attendus[l][0]));
        QCOMPARE(QByteArray(mot_non()), QByteArray(attendus[l][0]));
        QCOMPARE(QByteArray(mot_oui()), QByteArray(attendus[l][1]));
    }
}

void TestTextes::unites_par_grandeur()
{
    // Indexed by quantity code: instantaneous and average share a unit, the
    // power factor has none.
    const char* attendus[13] = {" ", "V", "V", "A", "A", "W", "W",
                                "Var", "Var", "VA", "VA", " ", " "};
    QCOMPARE(int(std::size(tx::unite_typ)), 13);
    for (int code = 0; code < 13; ++code)
        QCOMPARE(QByteArray(tx::unite_typ[code]), QByteArray(attendus[code]));
}

void TestTextes::conversion_des_raccourcis()
{
    QCOMPARE(mnemonique("S__ave ..."), QStringLiteral("S&ave ..."));
    QCOMPARE(mnemonique("Zoom __In"), QStringLiteral("Zoom &In"));
    QCOMPARE(mnemonique("Verg__rößern"), QStringLiteral("Verg&rößern"));
    QCOMPARE(mnemonique("__Q&A"), QStringLiteral("&Q&&A"));
    QCOMPARE(mnemonique("Zoom Arrière"), QStringLiteral("Zoom Arrière"));
    QCOMPARE(mnemonique(""), QString());
    // A single underscore or a marker with nothing after it stays as written.
    QCOMPARE(mnemonique("a_b"), QStringLiteral("a_b"));
    QCOMPARE(mnemonique("fin__"), QStringLiteral("fin__"));
}

QTEST_APPLESS_MAIN(TestTextes)
#include "test_textes.moc"
