#include "acquisition/ecran/connexion.h"
#include "acquisition/connexion.h"

#include "acquisition/modele.h"

#include "socle/ecran/dialogue.h"
#include "socle/globals.h"
#include "socle/reglages.h"
#include "acquisition/ecran/panneaux.h"
#include "socle/ecran/toolkit.h"
#include "lang/langue.h"
#include "lang/port_texte.h"
#include "lang/textes.h"
#include "link/jbus.h"
#include "link/serial.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

constexpr int PORTS_LISTES = 16;         // COM1..COM16, more when the port in force is beyond
constexpr int LARGEUR_CHEMIN_MAX = 300;  // pixels of a device path before it is elided

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
    const int lignes = std::min(std::max({PORTS_LISTES, l->count(), comport}), PORT_COM_MAX);
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


void traduc_connexion()
{
    const int p = Fen_princ[PNL_CONNEXION];
    if (!est_panel(p, PNL_CONNEXION))
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
    const int p = charger_dialogue(PNL_CONNEXION, traduc_connexion);
    if (p < 1)
        return;

    PnlConnexion& d = liaison<PnlConnexion>(p);
    remplir_ports(d);
    selectionner_port(d, comport);

    relier_bouton(p, d.bouton_ok, Communicate, CONNEXION_OK);
    relier_bouton(p, d.quitter, Communicate, CONNEXION_ANNULER);
    montrer_dialogue(p);
}

int Communicate(int panel, int control, int event, void*, int, int)
{
    if (event != EVENT_COMMIT || !est_panel(panel, PNL_CONNEXION))
        return 0;
    PnlConnexion& d = liaison<PnlConnexion>(panel);
    switch (control) {
    case CONNEXION_OK:
        fermeture_com(comport);
        reglages::choisir_port(port_choisi(d));
        selectionner_port(d, comport);
        retour_com = ouverture_com(comport, JBUS_BAUD, PARITE_AUCUNE, 8, 1, JBUS_DELAI);
        if (retour_com != 0)
            Popup_echec_liaison();
        else
            modele::port_instrument(comport);
        // Opening a port closes the one open before: after a failure no port
        // is open, and Run must refuse rather than read from nothing.
        modele::port_ouvert(retour_com == 0);
        fermer_dialogue(panel);
        break;
    case CONNEXION_ANNULER:
        fermer_dialogue(panel);
        break;
    default:
        break;
    }
    return 0;
}
