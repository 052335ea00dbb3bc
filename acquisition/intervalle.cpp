#include "acquisition/intervalle.h"

#include "socle/globals.h"
#include "socle/menus.h"
#include "socle/minuterie.h"
#include "socle/panels_dialogues.h"
#include "socle/toolkit.h"
#include "socle/ctrl_menu.h"
#include "lang/langue.h"
#include "lang/textes.h"
#include "link/jbus.h"
#include "link/serial.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPortInfo>

#include <algorithm>

int check = 0;
char s1[20] = {};
int retour_com = 0;

namespace {

constexpr long long SECONDES_JOUR = 86400;
constexpr double QUATRE_JOURS = 4.0 * SECONDES_JOUR;
constexpr int JOURS_AVEC_HEURES = 10;    // up to 10 days the capacity still shows the hours
constexpr int LONGUEUR_DUREE = 12;       // "DDD hh:mm:ss"
constexpr int PORTS_LISTES = 16;         // COM1..COM16, more when the port in force is beyond
constexpr int LARGEUR_CHEMIN_MAX = 300;  // pixels of a device path before it is elided

// Capacity before the dialog opened: Cancel puts it back, so that a period
// tried and abandoned does not become the time limit of the next acquisition.
double val_a_l_ouverture = 0.0;

// ---- interval dialog --------------------------------------------------------

bool est_intervalle(int p)
{
    return p > 0 && tk::panel_valide(p) && tk::type_panel(p) == PNL_INTERVAL;
}

int periode_anneau(const PnlIntervalle& d)
{
    const QVariant v = d.anneau_intervalle->currentData();
    return v.isValid() ? v.toInt() : -1;
}

// Shows `periode` in the ring. A period the ring does not offer (from a
// settings or configuration file) is added in its place among the others
// rather than shown as another one that OK would then apply.
void choisir_periode(PnlIntervalle& d, int periode)
{
    QComboBox* r = d.anneau_intervalle;
    int i = r->findData(periode);
    if (i < 0 && periode > 0) {
        i = 0;
        while (i < r->count() && r->itemData(i).toInt() < periode)
            ++i;
        r->insertItem(i, QStringLiteral("%1 s").arg(periode), periode);
    }
    r->setCurrentIndex(std::max(i, 0));
}

// The duration box and its label are dimmed together.
void activer_case_duree(PnlIntervalle& d, bool actif)
{
    d.case_duree->setEnabled(actif);
    d.duree->setEnabled(actif);
}

// The period ring was committed: capacity for the new period, or nothing to
// limit in the on-request mode.
void etape_anneau(PnlIntervalle& d)
{
    const int p = periode_anneau(d);
    activer_case_duree(d, true);
    if (p == -1) {
        d.texte_capacite->clear();
        d.case_duree->setChecked(false);
        activer_case_duree(d, false);
        d.champ_duree->setEnabled(false);
        return;
    }
    val = capacite_periode(p);
    d.texte_capacite->setText(texte_capacite(val));
}

void fermer_intervalle(int panel)
{
    tk::RemovePopup(panel);
    tk::DiscardPanel(panel);
    if (Fen_princ[PNL_INTERVAL] == panel)
        Fen_princ[PNL_INTERVAL] = 0;
    Ctrl_menu(0);
}

// OK: nothing is applied unless everything is; a refused duration leaves the
// dialog open and the settings as they were.
void appliquer_intervalle(int panel, PnlIntervalle& d)
{
    const int p = periode_anneau(d);
    // The on-request mode takes one reading per Run: a duration means nothing there.
    const bool limite = p != -1 && d.case_duree->isChecked();
    int nb_max = NB_RELEVES_MAX;
    if (limite) {
        const QString texte = d.champ_duree->text();
        const ControleDuree c = controler_duree(texte, p, capacite_periode(p));
        if (c.erreur != 0) {
            Popup_erreur(c.erreur);
            return;
        }
        nb_max = c.nb_max;
        copie_texte(s1, texte.toLatin1().constData());
    }
    Acq.periode = p;
    if (p != -1)
        fixer_intervalle_minuterie(p == 0 ? 0.5 : double(p));
    check = limite ? 1 : 0;
    Acq.nb_max = nb_max;
    // The cycle's time limit follows the period applied, whatever the ring
    // showed on the way; none in the on-request mode.
    val = capacite_periode(p);
    ResetTimer();
    fermer_intervalle(panel);
    tk::declencher(ITEM_NOUVEAU);
}

// ---- connection dialog ----------------------------------------------------------

bool est_connexion(int p)
{
    return p > 0 && tk::panel_valide(p) && tk::type_panel(p) == PNL_CONNEXION;
}

void fermer_connexion(int panel)
{
    tk::RemovePopup(panel);
    tk::DiscardPanel(panel);
    if (Fen_princ[PNL_CONNEXION] == panel)
        Fen_princ[PNL_CONNEXION] = 0;
    Ctrl_menu(0);
}

// The serial port's own description (a USB adapter's product name), if the
// system knows one for this device.
QString description_port(const QString& chemin, const QList<QSerialPortInfo>& ports)
{
    const QString canonique = QFileInfo(chemin).canonicalFilePath();
    for (const QSerialPortInfo& i : ports)
        if (i.systemLocation() == chemin || (!canonique.isEmpty() && i.systemLocation() == canonique))
            return i.description();
    return {};
}

// Row n - 1 is COM n: its number, then where it leads here. An arrow marks a
// link of the program's ports/ folder; a device that is not there is greyed
// but stays selectable, as it may be plugged in before OK.
void remplir_ports(PnlConnexion& d)
{
    QListWidget* l = d.liste_ports;
    // Fixed pitch, so that the paths stand in one column after COM1 and COM10 alike.
    l->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int lignes = std::max({PORTS_LISTES, l->count(), comport});
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    const QFontMetrics fm(l->font());
    const QColor absent = l->palette().color(QPalette::Disabled, QPalette::Text);
    int largeur = 0;
    l->clear();
    for (int n = 1; n <= lignes; ++n) {
        const PortResolu r = resoudre_port(n);
        QString texte = QStringLiteral("COM%1").arg(n).leftJustified(6);
        QString complet = texte;
        if (r.chemin != QStringLiteral("COM%1").arg(n)) {
            const QString desc = description_port(r.chemin, infos);
            const QString suite = (r.lien ? QStringLiteral("-> ") : QStringLiteral("   ")) + r.chemin +
                                  (desc.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(desc));
            complet += suite;
            texte += fm.elidedText(suite, Qt::ElideMiddle, LARGEUR_CHEMIN_MAX);
        }
        auto* item = new QListWidgetItem(texte, l);
        item->setData(Qt::UserRole, n);
        item->setToolTip(complet);
        if (!r.present)
            item->setForeground(absent);
        largeur = std::max(largeur, fm.horizontalAdvance(texte));
    }
    // Wide enough for the longest entry without a horizontal scroll bar.
    const int w = largeur + 2 * l->frameWidth() + l->verticalScrollBar()->sizeHint().width() + 16;
    l->setMinimumWidth(std::max(w, l->minimumWidth()));
    l->setMaximumWidth(std::max(w, l->minimumWidth()));
}

int port_choisi(const PnlConnexion& d)
{
    const QListWidgetItem* i = d.liste_ports->currentItem();
    return i ? i->data(Qt::UserRole).toInt() : comport;
}

void selectionner_port(PnlConnexion& d, int numero)
{
    if (numero >= 1 && numero <= d.liste_ports->count())
        d.liste_ports->setCurrentRow(numero - 1);
}

} // namespace

// ---- interval dialog --------------------------------------------------------------

double capacite_periode(int periode)
{
    if (periode < 0)
        return 0.0;
    if (periode == 0)
        return NB_RELEVES_MAX / 2.0;
    return double(NB_RELEVES_MAX) * periode;
}

QString texte_capacite(double secondes)
{
    const long long v = static_cast<long long>(secondes);
    const auto deux = [](long long x) { return QStringLiteral("%1").arg(x, 2, 10, QLatin1Char('0')); };
    if (secondes < QUATRE_JOURS) {
        const long long reste = v % 3600;
        return deux(v / 3600) + ':' + deux(reste / 60) + ':' + deux(reste % 60);
    }
    const long long jours = v / SECONDES_JOUR;
    const long long heures = (v % SECONDES_JOUR) / 3600;
    const QString j = qtxt(tx::jour);
    if (jours <= JOURS_AVEC_HEURES)
        return QString::number(jours) + j + ' ' + deux(heures) + QStringLiteral(":00");
    return QString::number(jours) + j;
}

ControleDuree controler_duree(const QString& t, int periode, double capacite)
{
    const auto chiffre = [&t](int i, char max) { return t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char(max); };
    if (t.size() != LONGUEUR_DUREE || t[3] != QLatin1Char(' ') || t[6] != QLatin1Char(':') ||
        t[9] != QLatin1Char(':'))
        return {25, 0};
    for (int i : {0, 1, 2, 4, 5, 8, 11})
        if (!chiffre(i, '9'))
            return {25, 0};
    if (!chiffre(7, '5') || !chiffre(10, '5'))
        return {25, 0};

    const long long total = t.mid(0, 3).toLongLong() * SECONDES_JOUR + t.mid(4, 2).toLongLong() * 3600 +
                            t.mid(7, 2).toLongLong() * 60 + t.mid(10, 2).toLongLong();
    // Zero would reach the cycle as "no limit" while the box says otherwise.
    if (total == 0)
        return {25, 0};
    if (periode < 0 || double(total) > capacite)
        return {27, 0};
    const long long n = periode == 0 ? total * 2 : total / periode;
    // Shorter than one period: the count would be 0, which also means no limit.
    if (n < 1)
        return {27, 0};
    return {0, static_cast<int>(n)};
}

void traduc_intervalle()
{
    const int p = Fen_princ[PNL_INTERVAL];
    if (!est_intervalle(p))
        return;
    PnlIntervalle& d = liaison<PnlIntervalle>(p);
    tk::SetPanelTitle(p, qtxt(tx::interval));
    d.quitter->setText(mnemonique(txt(tx::quitter)));
    d.interval->setText(qtxt(tx::interval));
    d.duree->setText(qtxt(tx::duree));
    d.capacite->setText(qtxt(tx::capacite));
    d.anneau_intervalle->setItemText(0, qtxt(tx::monocoup));
    d.anneau_intervalle->setItemData(0, -1);
}

void ouvrir_intervalle()
{
    if (est_intervalle(Fen_princ[PNL_INTERVAL]))
        fermer_intervalle(Fen_princ[PNL_INTERVAL]);
    const int p = tk::LoadPanel(Fen_princ[PNL_PRINC], PNL_INTERVAL);
    if (p < 1)
        return;
    Fen_princ[PNL_INTERVAL] = p;
    traduc_intervalle();
    val_a_l_ouverture = val;

    PnlIntervalle& d = liaison<PnlIntervalle>(p);
    if (check == 1) {
        d.case_duree->setChecked(true);
        d.champ_duree->setEnabled(true);
        d.champ_duree->setText(QString::fromLatin1(s1));
    }
    choisir_periode(d, Acq.periode);
    // Opened in the on-request mode, the duration is out of use as if the
    // ring had just been set to it; the capacity stays empty either way.
    if (Acq.periode == -1)
        etape_anneau(d);

    QObject::connect(d.anneau_intervalle, &QComboBox::activated, d.anneau_intervalle,
                     [p] { intervalle(p, INTERVALLE_ANNEAU, EVENT_COMMIT, nullptr, 0, 0); });
    QObject::connect(d.case_duree, &QCheckBox::clicked, d.case_duree,
                     [p] { intervalle(p, INTERVALLE_CASE_DUREE, EVENT_COMMIT, nullptr, 0, 0); });
    QObject::connect(d.bouton_ok, &QPushButton::clicked, d.bouton_ok,
                     [p] { intervalle(p, INTERVALLE_OK, EVENT_COMMIT, nullptr, 0, 0); });
    // Escape and the close box reach this button through the form.
    QObject::connect(d.quitter, &QPushButton::clicked, d.quitter,
                     [p] { intervalle(p, INTERVALLE_ANNULER, EVENT_COMMIT, nullptr, 0, 0); });

    Ctrl_menu(1);
    tk::InstallPopup(p);
}

int intervalle(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_intervalle(panel))
        return 0;
    PnlIntervalle& d = liaison<PnlIntervalle>(panel);
    switch (control) {
    case INTERVALLE_ANNEAU:
        etape_anneau(d);
        break;
    case INTERVALLE_CASE_DUREE:
        if (val == 0.0)
            intervalle(panel, INTERVALLE_ANNEAU, EVENT_COMMIT, nullptr, 0, 0);
        d.champ_duree->setEnabled(d.case_duree->isChecked());
        break;
    case INTERVALLE_OK:
        appliquer_intervalle(panel, d);
        break;
    case INTERVALLE_ANNULER:
        val = val_a_l_ouverture;
        fermer_intervalle(panel);
        break;
    default:
        break;
    }
    return 0;
}

// ---- connection dialog ------------------------------------------------------------

PortResolu resoudre_port(int numero)
{
    PortResolu r;
    const QString peripherique = nom_peripherique_com(numero);
#ifdef Q_OS_WIN
    r.chemin = peripherique;
    for (const QSerialPortInfo& i : QSerialPortInfo::availablePorts())
        r.present = r.present || i.portName() == peripherique;
#else
    const QFileInfo f(peripherique);
    r.lien = f.isSymLink();
    r.chemin = r.lien ? f.symLinkTarget() : peripherique;
    r.present = f.exists();
#endif
    return r;
}

void traduc_connexion()
{
    const int p = Fen_princ[PNL_CONNEXION];
    if (!est_connexion(p))
        return;
    PnlConnexion& d = liaison<PnlConnexion>(p);
    tk::SetPanelTitle(p, qtxt(tx::connex));
    d.quitter->setText(mnemonique(txt(tx::quitter)));
    // The form's headings over the list and the box have no text in the
    // tables; the title and the box's own first line say what they hold.
    for (const char* nom : {"etiquette_ports", "etiquette_info"})
        if (auto* etiquette = d.racine->findChild<QLabel*>(nom))
            etiquette->hide();
    d.boite_info->clear();
    for (const char* const* ligne : {tx::comunic1, tx::comunic2, tx::comunic3, tx::comunic4, tx::comunic5,
                                     tx::comunic6})
        d.boite_info->appendPlainText(qtxt(ligne));
}

void ouvrir_connexion()
{
    if (est_connexion(Fen_princ[PNL_CONNEXION]))
        fermer_connexion(Fen_princ[PNL_CONNEXION]);
    const int p = tk::LoadPanel(Fen_princ[PNL_PRINC], PNL_CONNEXION);
    if (p < 1)
        return;
    Fen_princ[PNL_CONNEXION] = p;
    traduc_connexion();
    Ctrl_menu(1);

    PnlConnexion& d = liaison<PnlConnexion>(p);
    remplir_ports(d);
    selectionner_port(d, comport);

    QObject::connect(d.bouton_ok, &QPushButton::clicked, d.bouton_ok,
                     [p] { Communicate(p, CONNEXION_OK, EVENT_COMMIT, nullptr, 0, 0); });
    // Escape and the close box reach this button through the form.
    QObject::connect(d.quitter, &QPushButton::clicked, d.quitter,
                     [p] { Communicate(p, CONNEXION_ANNULER, EVENT_COMMIT, nullptr, 0, 0); });
    tk::InstallPopup(p);
}

int Communicate(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_connexion(panel))
        return 0;
    PnlConnexion& d = liaison<PnlConnexion>(panel);
    switch (control) {
    case CONNEXION_OK:
        fermeture_com(comport);
        comport = port_choisi(d);
        selectionner_port(d, comport);
        retour_com = ouverture_com(comport, JBUS_BAUD, PARITE_AUCUNE, 8, 1, JBUS_DELAI);
        if (retour_com != 0)
            Popup_erreur(20);
        else
            Mesure.port = comport;
        // Opening a port closes the one open before: after a failure no port
        // is open, and Run must refuse rather than read from nothing.
        Acq.port_ouvert = retour_com == 0 ? 1 : 0;
        fermer_connexion(panel);
        break;
    case CONNEXION_ANNULER:
        fermer_connexion(panel);
        break;
    default:
        break;
    }
    return 0;
}
