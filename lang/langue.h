// The readings-list heading, the mode texts, the numbered error messages and
// the help files of the current language.
#pragma once

#include <QString>

// Heading of the readings list for the channels in use, in the current
// language: " N°   Date       Time     " then one piece of exactly
// LARGEUR_PIECE_ENTETE characters per channel, " CH1: V(V)   " cut or padded.
// The printed heading starts "   N°    Date     Time     " instead.
enum class Entete { liste, imprimee };
constexpr int LARGEUR_PIECE_ENTETE = 15;
QString entete_releves(Entete genre = Entete::liste);
// Text appended to the "Mode" text for a mode word (" normal", " T3FE",
// " Hold", ... " INRUSH"); empty for a word the instrument does not define.
QString texte_mode(int mot);
// Rows of the error-message table, as Popup_erreur takes them.
enum MessageErreur {
    MSG_INI_INTROUVABLE = 0,   // "File VOLTEXA.INI not found"
    MSG_FENETRES_PLEINES = 1,  // "Cannot open more Windows"
    MSG_ICONE_INTROUVABLE = 2, // "Toolbar icon not found"
    MSG_TYPE_INVALIDE = 3,     // "Invalid file type"
    MSG_AUCUN_GRAPHE = 4,      // "No graph selected"
    MSG_REPERTOIRE = 6,        // "Working directory not found"
    MSG_FORMAT_INVALIDE = 7,   // "Invalid format file"
    MSG_ECRITURE_TABLEUR = 12, // "Error writing to EXCEL"
    MSG_TABLEUR_FERME = 17,    // "Warning !  EXCEL will be closed"
    MSG_INTROUVABLE = 18,      // "No file found"
    MSG_PORT_OCCUPE = 19,      // "Serial port occupied"
    MSG_LIAISON = 20,          // "Invalid message or Time Out"
    MSG_PORT_INVALIDE = 21,    // "Invalid serial port number"
    MSG_OUVERTURE = 23,        // "Error openning file"
    MSG_ECRITURE = 24,         // "Error writing file "
    MSG_SAISIE = 25,           // "Error interpreting response"
    MSG_COMMANDE_IMPOSSIBLE = 27, // "Impossible to do this command"
    MSG_COMMANDE_REFUSEE = 31, // "Impossible to do this command"
    MSG_HORS_LIMITES = 33,     // "values out of limits"
    NB_MESSAGES = 34,
};
// Shows error message `code` (0..33) in the current language.
void Popup_erreur(int code);
// The same with a line of its own below the message (the case at hand).
void Popup_erreur(int code, const QString& detail);

// Help files in the program directory.
QString fichier_aide();
QString fichier_aide_langue(int langue);
