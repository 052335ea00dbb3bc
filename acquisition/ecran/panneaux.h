// Typed bindings of the measurement-type, interval, connection and alarm
// dialogs, and of the notices of the reading cycle.
#pragma once

#include "socle/ecran/panels.h"

#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Undefined-values and out-of-limits notices: same layout, own forms.
struct PnlAvis {
    QWidget* racine;
    QLabel* titre;   // warning title
    QLabel* message;
    QPushButton* bouton_ok;
    static PnlAvis lier(QWidget* racine);
};
using PnlIndefini = PnlAvis;
using PnlOverload = PnlAvis;

// Instrument-mode notice: three texts, in this order.
struct PnlInformation {
    QWidget* racine;
    QLabel* titre;
    QLabel* message;
    QLabel* detail;
    static PnlInformation lier(QWidget* racine);
};

// Link-failure notice, with the go-on question and its two answers.
struct PnlOptique {
    QWidget* racine;
    QLabel* attention;
    QLabel* tete_optique;
    QLabel* tete_optique1;
    QLabel* continuer;
    QPushButton* bouton_oui;
    QPushButton* bouton_non;  // also Escape
    static PnlOptique lier(QWidget* racine);
};

struct PnlConnexion {
    QWidget* racine;
    QListWidget* liste_ports;  // row r is COM port r + 1
    QPlainTextEdit* boite_info;  // empty in the form; receives the line parameters
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlConnexion lier(QWidget* racine);
};

struct PnlIntervalle {
    QWidget* racine;
    QLabel* interval;
    QComboBox* anneau_intervalle;  // item data: period in s; -1 one per Run, 0 half a second
    QCheckBox* case_duree;
    QLabel* duree;
    QLineEdit* champ_duree;        // "ddd hh:mm:ss", checked by the dialog's OK
    QLabel* capacite;
    QLabel* texte_capacite;
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlIntervalle lier(QWidget* racine);
};

// Measurement-type dialog: index k - 1 holds quantity code k (voltage,
// average voltage, current, ... average power factor).
struct PnlTypeMesure {
    QWidget* racine;
    QLabel* choixmesure;
    std::array<QCheckBox*, NB_GRANDEURS> cases;
    std::array<QLabel*, NB_GRANDEURS> noms;  // the quantity named beside each box
    QPushButton* bouton_ok;
    QPushButton* quitter;
    // Quantity code 1..12 of a box of this dialog, 0 for any other widget.
    int code(const QObject* w) const;
    // Ticks or unticks the box of quantity `code` as the program does: the
    // box's callback reacts to the user's changes only.
    void cocher(int code, bool coche);
    static PnlTypeMesure lier(QWidget* racine);
};

// Registers these bindings, so that each such panel is checked as it loads.
void enregistrer_panneaux_acquisition();
