// Typed bindings of the dialog and notice panels. Controls that the text
// tables relabel carry the table's name (`quitter`, `annuler`, `duree` ...).
// Each form routes Escape and the window's close box (QDialog::rejected) to
// the button that dismisses it -- Cancel, or a notice's OK or No -- so a
// dialog never closes without its callback hearing of it.
#pragma once

#include "socle/panels.h"

#include <array>

class QObject;
class QPlainTextEdit;

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

// Spreadsheet export panel (top level, not modal). Each field's label is a
// QLabel of its own, named after the text table that relabels it.
struct PnlExcel {
    QWidget* racine;
    QLabel* travail;
    QLineEdit* repertoire;
    QPushButton* parcour;
    QLabel* nom_feuil;
    QLineEdit* feuille;
    QLabel* message;
    QPlainTextEdit* zone_message;
    QPushButton* lancer;
    QPushButton* exporte;  // dimmed until the spreadsheet program is ready
    QPushButton* quitter;
    static PnlExcel lier(QWidget* racine);
};

struct PnlAlarme {
    QWidget* racine;
    QCheckBox* case_bas;
    QDoubleSpinBox* seuil_bas;   // dimmed while case_bas is off
    QCheckBox* case_haut;
    QDoubleSpinBox* seuil_haut;  // dimmed while case_haut is off
    QCheckBox* case_alarme;      // beep beyond an active limit
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlAlarme lier(QWidget* racine);
};

struct PnlCouleur {
    QWidget* racine;
    QListWidget* liste_roles;     // row i is colour index i (row 0 has no name)
    QPushButton* choix_couleur;   // shows the colour of the selected role
    QPushButton* bouton_ok;
    QPushButton* annuler;
    QPushButton* defaut;
    static PnlCouleur lier(QWidget* racine);
};

struct PnlEchelle {
    QWidget* racine;
    QComboBox* mode_echelle;  // item data: 1 automatic, 0 manual
    QDoubleSpinBox* y_min;
    QDoubleSpinBox* y_max;
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlEchelle lier(QWidget* racine);
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

// Insert-text dialog.
struct PnlTexte {
    QWidget* racine;
    QLineEdit* champ_texte;
    QPushButton* bouton_haut;
    QPushButton* bouton_bas;
    QPushButton* bouton_droite;
    QPushButton* bouton_gauche;
    QPushButton* bouton_ok;
    QPushButton* quitter;
    static PnlTexte lier(QWidget* racine);
};

struct PnlImpression {
    QWidget* racine;
    QLabel* printdef;
    QPushButton* bouton_imprimer;
    QPushButton* quitter;
    static PnlImpression lier(QWidget* racine);
};

struct PnlProgression {
    QWidget* racine;
    QProgressBar* jauge;    // 0..100
    QLabel* pourcentage;    // "37 %"
    static PnlProgression lier(QWidget* racine);
};

// Binds a dialog or notice panel of `kind`; false when `kind` is not one of them.
bool verifier_liaison_dialogue(PanelKind kind, QWidget* racine);
