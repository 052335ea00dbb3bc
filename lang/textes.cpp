#include "lang/textes.h"

#include "socle/globals.h"

namespace tx {
// Menu bar: titles of the six menus and names of their items; "__" marks the
// mnemonic. donnee is the Window-menu item of the Data window.
const char* const barre_fichier[5] = {"__Fichier", "__File", "__Datei", "__Fichero", "__File"};
const char* const item_nouveau[5] = {"__Nouveau", "__New", "__Neu", "__Nuevo", "__Nuovo"};
const char* const item_ouvrir[5] = {
    "__Ouvrir ...", "__Open ...", "__Öffnen ...", "__Abrir ...", "__Apri ...",
};
const char* const item_enregist[5] = {
    "__Enregistrer ...", "S__ave ...", "Speic__hern ...", "__Guardar ...", "Sa__lva ...",
};
const char* const item_lancer[5] = {"__Lancer", "__Run", "__Starten", "__Lanzar", "A__vvio"};
const char* const item_pause[5] = {"__Pause", "__Pause", "__Pause", "__Pausa", "__Pausa"};
const char* const item_stop[5] = {"__Stop", "__Stop", "S__toppen", "__Stop", "__Stop"};
const char* const item_imprimer[5] = {
    "__Imprimer ...", "Prin__t ...", "__Drucken ...", "__Imprimir ...", "S__tampa ...",
};
const char* const item_quitter[5] = {"__Quitter", "E__xit", "__Beenden", "Sali__r", "__Esci"};
const char* const barre_parametre[5] = {
    "__Paramètre", "__Setup", "__Setup", "__Parametrizado", "__Parametro",
};
const char* const item_connecter[5] = {
    "__Communication", "__Communication", "__Kommunikation", "__Communicacion", "__Communicazione",
};
const char* const item_typemes[5] = {
    "T__ype de mesure ...", "Type of __mesurement ...", "__Meßart ...", "__Typo de medida ...",
    "__Tipo di misurazione ...",
};
const char* const item_interval[5] = {
    "__Intervalle de lecture ...", "Reading __interval ...", "Lese__intervall ...",
    "__Intervalo de lectura ...", "__Intervallo di lettura ...",
};
const char* const item_tpsreel[5] = {
    "Temps __relatif", "__Relative time", "__Relativzeit", "Tiempo __relativo", "Tempo __relativo",
};
const char* const item_tpsabs[5] = {
    "Temps __absolu", "__Absolute time", "__Absolutzeit", "Tiempo __absoluto", "Tempo __assoluto",
};
const char* const item_echelle[5] = {
    "__Echelles ...", "__Scales ...", "__Skala ...", "__Escala ...", "S__cale ...",
};
const char* const item_alarme[5] = {
    "A__larme ...", "A__larm ...", "A__larm ...", "A__larma ...", "A__llarme",
};
const char* const barre_edition[5] = {
    "__Edition", "__Edit", "__Bearbeiten", "__Edición", "__Modifica",
};
const char* const item_lier[5] = {
    "__Lier les curseurs", "__To link the cursors", "__Die Cursoren verbinden",
    "__Vincular los cursores", "__Collega i cursori",
};
const char* const item_text1[5] = {
    "Texte __1", "Text __1", "__1. Text", "__1o Texto", "__1° Testo",
};
const char* const item_text2[5] = {
    "Texte __2", "Text __2", "__2. Text", "__2o Texto", "__2° Testo",
};
const char* const item_text3[5] = {
    "Texte __3", "Text __3", "__3. Text", "__3o Texto", "__3° Testo",
};
const char* const item_copgra[5] = {
    "__Copier Fenêtre", "__Copy Window", "__Fenster Kopieren", "__Copiar Ventana",
    "Copia __Finestra",
};
const char* const item_rengra[5] = {
    "__Renommer Fenêtre", "__Rename Window", "__Ändern Fenster", "__Renombrar Ventana",
    "__Rinomina Finestra ...",
};
const char* const item_exporter_csv[5] = {
    "Exporter en C__SV ...", "Export to C__SV ...", "Als C__SV exportieren ...", "Exportar a C__SV ...",
    "Esporta in C__SV ...",
};
const char* const barre_options[5] = {
    "__Options", "__Options", "__Optionen", "__Optiones", "__Opzioni",
};
const char* const item_langue[5] = {"__Langue", "__Language", "__Sprache", "__Idioma", "__Lingua"};
const char* const item_enregist2[5] = {
    "__Enregistrer la configuration en quittant", "__Save settings on exit",
    "__Konfiguration Speicherung beim Beenden", "__Grabar la configuación antes de salir",
    "__Salva la configurazione ed esci",
};
const char* const barre_affichag[5] = {
    "__Affichage", "__Display", "__Anzeige", "__Visualización", "__Visualizza",
};
const char* const item_reticule[5] = {
    "Ré__ticule", "__Graticule", "__Gitter", "__Réticula", "__Griglia",
};
const char* const item_curseur[5] = {
    "__Curseurs d'écart", "__Variation cursors", "__Abstandcursors", "__Cursores de diferencia",
    "__Cursori di scarto",
};
const char* const item_legende[5] = {
    "__Légende", "__Legend", "__Legende", "__Leyenda", "__Legenda",
};
const char* const item_couleur[5] = {
    "C__ouleurs ...", "__Colors ...", "__Farben ...", "C__olores ...", "Colo__ri ...",
};
const char* const item_zoomplus[5] = {
    "Zoom A__vant", "Zoom __In", "Verg__rößern", "Zoom A__delante", "__Zoom +",
};
const char* const item_zoommoins[5] = {
    "Zoom A__rrière", "Zoom __Out", "Ver__kleinern", "Zoom A__trás", "Z__oom -",
};
const char* const item_statistiques[5] = {
    "__Statistiques ...", "__Statistics ...", "__Statistik ...", "E__stadísticas ...", "__Statistiche ...",
};
const char* const barre_fenetre[5] = {
    "Fe__nêtre", "__Window", "__Fenster", "__Ventana", "__Finestra",
};
const char* const item_cascade[5] = {
    "__Cascade", "__Cascade", "Ü__berlappend", "__Cascada", "__Cascata",
};
const char* const item_mosaique[5] = {
    "__Mosaïque", "__Tile", "__Unterteilt", "__Mosaico", "__Mosaico",
};
const char* const item_ecran[5] = {
    "__Plein écran", "__Full screen", "__Gesamter Bildschirm", "__Pantalla plena",
    "__Pieno schermo",
};
const char* const donnee[5] = {"Données", "Data", "Daten", "Datos", "Dati"};
const char* const item_contenu[5] = {
    "__Sommaire", "__Contents", "In__halt", "__Sumario", "__Sommario",
};
const char* const item_index[5] = {
    "__Aide sur ...", "__Search for Help on ...", "I__ndex ...", "__Indice ...", "__Aiuto su ...",
};
const char* const item_aproposd[5] = {
    "A __propos de VOLTEXA ...", "__About VOLTEXA ...", "__Info über VOLTEXA ...",
    "__Acerca de VOLTEXA ...", "__Informazioni su VOLTEXA ...",
};

// Toolbar tooltips, in button order. ouvrir and enregist also title the Open
// and Save file popups, imprimer the print dialog, echelle the scale dialog.
const char* const ouvrir[5] = {"Ouvrir", "Open", "Öffnen", "Abrir", "Apri"};
const char* const enregist[5] = {"Enregistrer", "Save", "Speichern", "Guardar", "Salva"};
const char* const lance[5] = {"Lancer", "Run", "Starten", "Lanzar", "Avvio"};
const char* const pause[5] = {"Pause", "Pause", "Pause", "Pausa", "Pausa"};
const char* const stop[5] = {"Stop", "Stop", "Stoppen", "Stop", "Stop"};
const char* const imprimer[5] = {"Imprimer", "Print", "Drucken", "Imprimir", "Stampa"};
const char* const echelle[5] = {"Echelles", "Scales", "Skalen", "Escalas", "Scale"};
const char* const exporter[5] = {
    "Exporter vers EXCEL", "Export to EXCEL", "Exportieren zu EXCEL", "Exportar hacia EXCEL",
    "Esporta in EXCEL",
};
const char* const reticule[5] = {"Réticule", "Graticule", "Gitter", "Réticula", "Griglia"};
const char* const curseur[5] = {
    "Curseurs d'écart", "Variation cursors", "Abstandcursors", "Cursores de diferencia",
    "Cursori di scarto",
};
const char* const legende[5] = {"Légende", "Legend", "Legende", "Leyenda", "Legenda"};
const char* const zoommoins[5] = {
    "Zoom Arrière", "Zoom Out", "Verkleinern", "Zoom Atrás", "Zoom -",
};
const char* const zoomplus[5] = {"Zoom Avant", "Zoom In", "Vergrößern", "Zoom Adelante", "Zoom +"};
const char* const cascade[5] = {"Cascade", "Cascade", "Überlappend", "Cascada", "Cascata"};
const char* const mosaique[5] = {"Mosaïque", "Tile", "Unterteilt", "Mosaico", "Mosaico"};
const char* const ecran[5] = {
    "Plein écran", "Full screen", "Gesamter Bildschirm", "Pantalla plena", "Pieno schermo",
};
const char* const aide[5] = {"Aide", "Help", "Hilfe", "Ayunda", "Aiuto"};

// Dialog panels: titles, control labels and fixed texts. quitter is the Close
// button of every dialog that has one. comunic1..6 are the lines of the
// connection dialog's information box; only the first ends with a line break.
const char* const couleur[5] = {"Couleurs", "Colors", "Farben", "Colores", "Colori"};
const char* const annuler[5] = {"__Annuler", "__Cancel", "__Abbrechen", "__Anular", "__Annulla"};
const char* const defaut[5] = {"__Défaut", "__Default", "__Standard", "__Omisión", "__Predefinito"};
const char* const travail[5] = {
    "Répertoire de travail", "Working Directory", "Arbeitsverzeichnis", "Directorio de trabajo",
    "Directory di lavoro",
};
const char* const parcour[5] = {"Parcourir", "Browse", "Blättern", "Recorrer", "Sfoglia"};
const char* const nom_feuil[5] = {
    "Feuille (*.XLSX)", "Sheet (*.XLSX)", "Blatt (*.XLSX)", "Hoja (*.XLSX)", "Foglio (*.XLSX)",
};
const char* const message[5] = {"Message", "Message", "Nachricht", "Mensaje", "Messaggio"};
const char* const lancer[5] = {"__Lancer", "__Run", "__Starten", "__Lanzar", "__Avvio"};
const char* const exporte[5] = {"Exporter", "Export", "Exportieren", "Exportar", "Esporta"};
const char* const quitter[5] = {"Quitter", "Quit", "Beenden", "Salir", "Esci"};
const char* const develop[5] = {
    "Développé par :", "Developed by :", "Entwickler :", "Creador :", "Realizzato da :",
};
const char* const chefpro[5] = {
    "Chef de projet :", "Project leader :", "Projektleiter :", "Jeffe de Proyecto :",
    "Responsabile di progetto :",
};
// The about panel's line under the program's name and the names beside
// develop and chefpro.
const char* const apropos_description[5] = {
    "Acquisition, affichage et enregistrement des mesures d'un wattmètre monophasé portable",
    "Acquisition, display and recording of a portable single-phase wattmeter",
    "Erfassung, Anzeige und Aufzeichnung der Messwerte eines tragbaren Einphasen-Wattmeters",
    "Adquisición, visualización y registro de las medidas de un vatímetro monofásico portátil",
    "Acquisizione, visualizzazione e registrazione delle misure di un wattmetro monofase portatile",
};
const char* const apropos_auteurs[5] = {
    "les développeurs de VOLTEXA", "the VOLTEXA developers", "die Entwickler von VOLTEXA",
    "los desarrolladores de VOLTEXA", "gli sviluppatori di VOLTEXA",
};
const char* const apropos_chef[5] = {
    "l'équipe VOLTEXA", "the VOLTEXA team", "das VOLTEXA-Team", "el equipo de VOLTEXA",
    "il team di VOLTEXA",
};
const char* const typemes[5] = {
    "Type de mesure", "Type of measurement", "Meßart", "Tipo de medida", "Tipo di misurazione",
};
const char* const choixmesure[5] = {
    "Cochez un ou deux types de mesure", "Choose one or two types of measurement",
    "Wählen Sie eine oder zwei Messarten", "Elija un o dos tipos de medida",
    "Scegliere uno o due tipi di misura",
};
const char* const automatic[5] = {
    "Automatique", "Automatic", "Automatische", "Automática", "Automatico",
};
const char* const manuel[5] = {"Manuelle", "Manual", "Manuelle", "Manual", "Manuale"};
const char* const alarme[5] = {"Alarme", "Alarm", "Alarm", "Alarma", "Allarme"};
const char* const insertext[5] = {
    "Insertion de texte", "Text insert", "Text einsetzen", "Insertar texto", "Inserimento testo",
};
const char* const deplacer_texte[4 * 5] = {
    "Monter", "Move up", "Nach oben", "Subir", "Sposta su",
    "Descendre", "Move down", "Nach unten", "Bajar", "Sposta giù",
    "Vers la droite", "Move right", "Nach rechts", "Hacia la derecha", "Sposta a destra",
    "Vers la gauche", "Move left", "Nach links", "Hacia la izquierda", "Sposta a sinistra",
};
const char* const printdef[5] = {
    "Envoi des données sur l'imprimante par défaut ?", "Datas sending to the default printer ?",
    "Ausgabe der Daten zum Standarddrucker ?",
    "Envío de los datos hacia la impresora por omisión ?", "Invio dati alla stampante di default ?",
};
const char* const interval[5] = {
    "Intervalle", "Interval", "Leseintervall", "Intervalo", "Intervallo",
};
const char* const duree[5] = {
    "Durée d'enregistrement", "Recording duration", "Speicherungsdauer", "Duración de grabación",
    "Durata di salvataggio",
};
const char* const capacite[5] = {
    "Capacité d'enregistrement", "Recording capacity", "Speicherungsfähigkeit",
    "Capacidad de grabación", "Capacità di salvataggio",
};
const char* const monocoup[5] = {"Manuel", "Manual", "Manuelle", "Manual", "Manuale"};
const char* const connex[5] = {"Connexion", "Connection", "Verbindung", "Conexión", "Connessione"};
const char* const comunic1[5] = {
    "     Paramètres fixes : \n", "     Fixed parameters : \n", "     Feste Parameter : \n",
    "     Parémetros fijos : \n", "     Parametri fissi : \n",
};
const char* const comunic2[5] = {
    "     vitesse : 9600 bps ", "     rate : 9600 bps ", "     Geschwindigkeit : 9600 bps ",
    "     velocidad : 9600 bps ", "     velocità : 9600 bps ",
};
const char* const comunic3[5] = {
    "     - 1 bit de start ", "     - 1 start bit ", "     - 1 Startbit ", "     - 1 bit de start ",
    "     - 1 bit di start ",
};
const char* const comunic4[5] = {
    "     - 8 bits de données", "     - 8 data bits ", "     - 8 Datenbits ",
    "     - 8 bits de datos ", "     - 8 bit dati ",
};
const char* const comunic5[5] = {
    "     - 1 bit de stop ", "     - 1 stop bit ", "     - 1 Stopbit ", "     - 1 bit de stop ",
    "     - 1 bit di stop ",
};
const char* const comunic6[5] = {
    "     - pas de parité ", "     - no parity ", "     - keine Parität  ",
    "     - ninguna paridad ", "     - nessuna parità",
};

// Questions, notices, column headers and popup titles.
const char* const confir1[5] = {
    "Êtes-vous sûr de vouloir quitter VOLTEXA ?\n", "Are you sure you want to quit VOLTEXA ?\n",
    "Wollen sie VOLTEXA beenden ?\n", "Está a punto de salir de VOLTEXA ?\n",
    "Uscire da VOLTEXA ?\n",
};
const char* const confir2[5] = {
    "Fichier existant !   Voulez-vous l'écraser ?\n",
    "File already exists !   Replace existing file ?\n", "Datei existiert! Löschen ?\n",
    "Fichero existente! Susituir ?\n", "File esistente! Sovrascrivere ?\n",
};
const char* const sauver_donnee[5] = {
    "Voulez vous enregistrer les données?", "Do you wish to save this data ?",
    "Möchten Sie die Daten speichern?", "¿Desea registrar los datos ?",
    "Volete registrare i dati ?",
};
const char* const mode_instrument[5] = {
    "Mode de l'appareil", "Instrument mode", "Gerätemodus", "Modo del instrumento", "Modo dello strumento",
};
const char* const releves_manquants[5] = {
    "%1 relevés lus sur les %2 annoncés par le fichier de configuration.",
    "%1 readings read out of the %2 announced by the configuration file.",
    "%1 von %2 in der Konfigurationsdatei angekündigten Messwerten gelesen.",
    "Se leyeron %1 medidas de las %2 anunciadas por el archivo de configuración.",
    "Lette %1 misure sulle %2 annunciate dal file di configurazione.",
};
const char* const reprise_trouvee[5] = {
    "Une acquisition non enregistrée a été retrouvée (%1 relevés).\nVoulez-vous l'ouvrir ?",
    "An unsaved acquisition was found (%1 readings).\nDo you wish to open it ?",
    "Eine nicht gespeicherte Messung wurde gefunden (%1 Messwerte).\nMöchten Sie sie öffnen?",
    "Se encontró una adquisición no registrada (%1 medidas).\n¿Desea abrirla?",
    "È stata trovata un'acquisizione non registrata (%1 misure).\nVolete aprirla?",
};
const char* const journal_impossible[5] = {
    "L'acquisition continue sans copie de secours : le dossier %1 ne peut pas être écrit.",
    "The acquisition goes on without a recovery copy: the folder %1 cannot be written.",
    "Die Messung läuft ohne Sicherungskopie weiter: der Ordner %1 ist nicht beschreibbar.",
    "La adquisición continúa sin copia de seguridad: no se puede escribir en la carpeta %1.",
    "L'acquisizione continua senza copia di sicurezza: la cartella %1 non è scrivibile.",
};
const char* const titre_releves_manquants[5] = {
    "Enregistrement incomplet", "Incomplete recording", "Unvollständige Aufzeichnung",
    "Registro incompleto", "Registrazione incompleta",
};
const char* const config_endommagee[5] = {
    "Le fichier de réglages %1 est endommagé.\nLignes illisibles : %2. Leurs réglages prennent leur valeur "
    "par défaut ; les autres réglages sont conservés.",
    "The settings file %1 is damaged.\nUnreadable lines: %2. Their settings take their default values; "
    "the other settings are kept.",
    "Die Einstellungsdatei %1 ist beschädigt.\nUnlesbare Zeilen: %2. Ihre Einstellungen erhalten die "
    "Standardwerte; die übrigen Einstellungen bleiben erhalten.",
    "El archivo de configuración %1 está dañado.\nLíneas ilegibles: %2. Sus ajustes toman los valores por "
    "defecto; los demás ajustes se conservan.",
    "Il file delle impostazioni %1 è danneggiato.\nRighe illeggibili: %2. Le loro impostazioni prendono i "
    "valori predefiniti; le altre impostazioni sono conservate.",
};
const char* const config_trop_grande[5] = {
    "Le fichier de réglages %1 dépasse 1 Mo : seul son premier mégaoctet a été lu.",
    "The settings file %1 is larger than 1 MB: only its first megabyte was read.",
    "Die Einstellungsdatei %1 ist größer als 1 MB: nur das erste Megabyte wurde gelesen.",
    "El archivo de configuración %1 supera 1 MB: solo se leyó su primer megabyte.",
    "Il file delle impostazioni %1 supera 1 MB: è stato letto solo il primo megabyte.",
};
const char* const pas_un_fichier[5] = {
    "%1 n'est pas un fichier ordinaire (dossier, périphérique ou tube) : choisissez un fichier.",
    "%1 is not an ordinary file (a folder, a device or a pipe): choose a file.",
    "%1 ist keine gewöhnliche Datei (Ordner, Gerät oder Pipe): wählen Sie eine Datei.",
    "%1 no es un archivo normal (carpeta, dispositivo o tubería): elija un archivo.",
    "%1 non è un file normale (cartella, periferica o pipe): scegliete un file.",
};
const char* const dossier_protege[5] = {
    "Le répertoire de travail %1 ne peut pas être écrit : choisissez-en un autre.",
    "The working directory %1 cannot be written: choose another one.",
    "In das Arbeitsverzeichnis %1 kann nicht geschrieben werden: wählen Sie ein anderes.",
    "No se puede escribir en el directorio de trabajo %1: elija otro.",
    "Impossibile scrivere nella directory di lavoro %1: sceglietene un'altra.",
};
const char* const journal_en_retard[5] = {
    "La copie de secours de l'acquisition ne peut plus être écrite dans le dossier %1 (disque plein ?). "
    "Les relevés restent en mémoire ; la copie se complète dès que le disque le permet.",
    "The recovery copy of the acquisition cannot be written in the folder %1 (disk full?). "
    "The readings stay in memory; the copy catches up as soon as the disk takes it.",
    "Die Sicherungskopie der Messung kann im Ordner %1 nicht geschrieben werden (Datenträger voll?). "
    "Die Messwerte bleiben im Speicher; die Kopie wird nachgeholt, sobald der Datenträger es zulässt.",
    "La copia de seguridad de la adquisición no se puede escribir en la carpeta %1 (¿disco lleno?). "
    "Las medidas quedan en memoria; la copia se completa en cuanto el disco lo permite.",
    "La copia di sicurezza dell'acquisizione non può essere scritta nella cartella %1 (disco pieno?). "
    "Le misure restano in memoria; la copia si completa appena il disco lo consente.",
};
const char* const tete_optique[5] = {
    "Vérifiez si la tête optique est branchée", "Check if the optical head is connected ",
    "Prüfen Sie, ob der optische Kopf angeschlossen ist, ",
    "Compruebe que la salida óptica está conectada ", "Verificare se la testa ottica è collegata ",
};
const char* const tete_optique1[5] = {
    "ou si le wattmètre est allumé", "or if the wattmeter is lit",
    "oder ob das Wattmeter eingeschaltet ist ", "o si el vatímetro está encendido",
    "o se il wattmetro è acceso",
};

// %1 the COM number, %2 the path looked for.
const char* const port_absent[5] = {
    "COM%1 : aucun périphérique en %2", "COM%1: no device at %2", "COM%1: kein Gerät unter %2",
    "COM%1: ningún dispositivo en %2", "COM%1: nessun dispositivo in %2",
};

// %1 the COM number, %2 the holder's process number.
const char* const port_occupe_voltexa[5] = {
    "COM%1 est utilisé par un autre VOLTEXA (processus %2)", "COM%1 is in use by another VOLTEXA (process %2)",
    "COM%1 wird von einem anderen VOLTEXA benutzt (Prozess %2)",
    "COM%1 está en uso por otro VOLTEXA (proceso %2)", "COM%1 è in uso da un altro VOLTEXA (processo %2)",
};

// %1 the COM number.
const char* const port_occupe[5] = {
    "COM%1 est utilisé par un autre programme", "COM%1 is in use by another program",
    "COM%1 wird von einem anderen Programm benutzt", "COM%1 está en uso por otro programa",
    "COM%1 è in uso da un altro programma",
};

// %1 "COM1 → path → device".
const char* const port_essaye[5] = {
    "Périphérique essayé : %1", "Device tried: %1", "Versuchtes Gerät: %1", "Dispositivo probado: %1",
    "Dispositivo provato: %1",
};

// %1 the ports/ entry of the COM number.
const char* const port_par_defaut[5] = {
    "(périphérique par défaut ; un lien %1 en choisit un autre)",
    "(default device; a link %1 chooses another)",
    "(Standardgerät; ein Link %1 wählt ein anderes)",
    "(dispositivo por defecto; un enlace %1 elige otro)",
    "(dispositivo predefinito; un collegamento %1 ne sceglie un altro)",
};

// %1 the COM number, %2 the device, %3 the group that may use it.
const char* const port_permission[5] = {
    "COM%1 : accès refusé à %2.\nVotre compte doit faire partie du groupe %3 : sudo adduser $USER %3, "
    "puis fermez la session et reconnectez-vous.",
    "COM%1: permission denied on %2.\nYour account must be in the %3 group: sudo adduser $USER %3, "
    "then log out and log in again.",
    "COM%1: Zugriff auf %2 verweigert.\nIhr Konto muss zur Gruppe %3 gehören: sudo adduser $USER %3, "
    "dann ab- und wieder anmelden.",
    "COM%1: acceso denegado a %2.\nSu cuenta debe pertenecer al grupo %3: sudo adduser $USER %3, "
    "y después cierre la sesión y vuelva a entrar.",
    "COM%1: accesso negato a %2.\nIl vostro account deve far parte del gruppo %3: sudo adduser $USER %3, "
    "poi chiudete la sessione e rientrate.",
};

// %1 the COM number, %2 the device, %3 the system's words.
const char* const port_erreur_systeme[5] = {
    "COM%1 : %2 est inutilisable : %3", "COM%1: %2 cannot be used: %3", "COM%1: %2 ist nicht verwendbar: %3",
    "COM%1: %2 no se puede usar: %3", "COM%1: %2 non è utilizzabile: %3",
};

// %1 the COM number, %2 the device opened, %3 the seconds waited.
const char* const port_muet[5] = {
    "COM%1 : %2 est ouvert, mais rien n'a répondu en %3 s",
    "COM%1: %2 is open, but nothing answered within %3 s",
    "COM%1: %2 ist geöffnet, aber innerhalb von %3 s kam keine Antwort",
    "COM%1: %2 está abierto, pero nada respondió en %3 s",
    "COM%1: %2 è aperto, ma niente ha risposto entro %3 s",
};

// %1 the COM number, %2 the device opened.
const char* const port_reponse_invalide[5] = {
    "COM%1 : une réponse est arrivée par %2, mais elle n'est pas valide",
    "COM%1: an answer came through %2, but it is not valid",
    "COM%1: über %2 kam eine Antwort, aber sie ist ungültig",
    "COM%1: llegó una respuesta por %2, pero no es válida",
    "COM%1: è arrivata una risposta da %2, ma non è valida",
};
const char* const continuer[5] = {
    "Voulez vous continuer ?", "Do you wish continue ?", "Möchten Sie fortsetzen?",
    "¿Desea continuar?", "Volete continuare?",
};
const char* const attention[5] = {
    "ATTENTION ! ARRET DE L'AFFICHAGE DES DONNEES.", "CAUTION! STOP OF THE DISPLAY OF THE DATA.",
    "ACHTUNG! STOPPEN DER DATENANZEIGE.", "ATENCION! PARO DE LA VISUALIZACION DE LOS DATOS.",
    "ATTENZIONE ! ARRESTO DELLA VISUALIZZAZIONE DEI DATI",
};
const char* const information[5] = {
    "Nouveau mode", "New mode", "Neue Mode", "Nuevo modo", "Nuovo modo",
};
const char* const mode[5] = {"Mode", "Mode", "Mode", "Modo", "Modo"};
const char* const normal[5] = {" normal", " normal", " normal", " normal", " normale"};
const char* const canal[5] = {"Canal", "Channel", "Kanal", "Canal", "Canale"};
const char* const date[5] = {"Date", "Date", "Datum", "Fecha", "Data"};
const char* const heure[5] = {"Heure", "Time", "Stunde", "Hora", "Ora"};
const char* const jour[5] = {"j", "d", "t", "j", "g"};
const char* const texte[5] = {"texte", "text", "text", "texto", "testo"};
const char* const valeurs[5] = {
    "valeurs indéterminées", "indefinite values", "unbestimmte Werte", "valores indeterminados",
    "valori indeterminati",
};
const char* const outlimite[5] = {
    "valeurs hors limites", "values out of limits", "Außer Grenze Werte",
    "valores fuera de los limites", "valori fuori limiti",
};
const char* const Maj_titre_erreur[5] = {
    "ATTENTION", "WARNING", "ACHTUNG", "CUIDADO", "ATTENZIONE",
};
const char* const titre_erreur[5] = {"Erreur", "Error", "Fehler", "Error", "Errore"};
const char* const renommer[5] = {
    "Renommer Fenêtre", "Rename Window", "Ändern Fenster", "Renombrar Ventana", "Rinomina Finestra",
};
const char* const commande[5] = {
    "Entrez le nouveau titre ....             ", "Enter a new title ....                   ",
    "Geben Sie bitte einen neuen Titel ein ...", "Entrar el nuevo título ....              ",
    "Inserisci il nuovo titolo ...            ",
};
const char* const titre_feuille[5] = {
    "Feuille EXCEL", "EXCEL Sheet", "EXCEL Blatt", "Hoja de EXCEL", "Foglio EXCEL",
};
const char* const messag_ecras[5] = {
    "Feuille déja existante !    Ecraser les données ?\n",
    "Sheet already exist !    Overwrite Data ?\n", "Blatt existiert!    Löschen ?\n",
    "Hoja existente !    Susituir ?\n", "Foglio già esistente !    Sovrascrivere i dati ?",
};
const char* const messag_pret[5] = {
    "EXCEL Prêt !\n", "EXCEL Ready !\n", "EXCEL fertig !\n", "EXCEL listo !\n", "EXCEL pronto !\n",
};
const char* const messag_fin[5] = {
    "Feuille prête.\n", "Sheet ready.\n", "Blatt fertig.\n", "Hoja lista.\n", "Foglio pronto.\n",
};

// Colour roles of the colour dialog's list; row 0 is the blank first item.
const char* const statistiques[5] = {
    "Statistiques", "Statistics", "Statistik", "Estadísticas", "Statistiche",
};
const char* const copier[5] = {"__Copier", "__Copy", "__Kopieren", "__Copiar", "__Copia"};
const char* const fermer[5] = {"__Fermer", "__Close", "__Schließen", "__Cerrar", "__Chiudi"};
const char* const stat_lignes[NB_LIGNES_STAT * 5] = {
    "Début", "Start", "Beginn", "Inicio", "Inizio",
    "Fin", "End", "Ende", "Fin", "Fine",
    "Durée", "Duration", "Dauer", "Duración", "Durata",
    "Relevés", "Readings", "Messwerte", "Lecturas", "Letture",
    "Indéfinis", "Undefined", "Undefiniert", "Indefinidas", "Indefinite",
    "Moyenne", "Mean", "Mittelwert", "Media", "Media",
    "Minimum", "Minimum", "Minimum", "Mínimo", "Minimo",
    "Maximum", "Maximum", "Maximum", "Máximo", "Massimo",
    "Énergie", "Energy", "Energie", "Energía", "Energia",
    "Charge", "Charge", "Ladung", "Carga", "Carica",
};
const char* const stat_abreges[NB_LIGNES_STAT * 5] = {
    "X1", "X1", "X1", "X1", "X1",
    "X2", "X2", "X2", "X2", "X2",
    "dX", "dX", "dX", "dX", "dX",
    "n", "n", "n", "n", "n",
    "Ind", "Und", "Und", "Ind", "Ind",
    "Moy", "Mean", "Mittel", "Media", "Media",
    "Min", "Min", "Min", "Mín", "Min",
    "Max", "Max", "Max", "Máx", "Max",
    "E", "E", "E", "E", "E",
    "Q", "Q", "Q", "Q", "Q",
};

const char* const titres[9 * 5] = {
    "", "", "", "", "",
    "Courbe Mesure 1", "Measurement 1 Curve", "1. Meßartkurve", "Curva 1o medida",
        "Curva 1° misurazione",
    "Courbe Mesure 2", "Measurement 2 Curve", "2. Meßartkurve", "Curva 2o medida",
        "Curva 2° misurazione",
    "Fond du graphe", "Background graph", "Diagrammhintergrund", "Fondo de gráfico",
        "Sfondo del grafico",
    "Barre de titre du graphe actif", "Active graph title", "Titelleiste des aktiven Diagramms",
        "Barra de título del gráfico activo", "Barra del titolo del grafico attivo",
    "Fond de fenêtre VOLTEXA", "Background of window VOLTEXA", "Hintergrund des Fensters VOLTEXA",
        "Fondo de ventana VOLTEXA", "Sfondo della finestra VOLTEXA",
    "Curseur 1", "Cursor 1", "Cursor 1", "Cursor 1", "Cursore 1",
    "Curseur 2", "Cursor 2", "Cursor 2", "Cursor 2", "Cursore 2",
    "Réticule", "Graticule", "Gitter", "Reticula", "Griglia",
};

// Quantity names: row k - 1 names quantity code k.
const char* const type_mesure[12 * 5] = {
    "Tension", "Voltage", "Spannung", "Tensión", "Tensione",
    "Tension Moyenne", "Average Voltage", "Mittelwert Spannung", "Tensión Media", "Tensione Media",
    "Courant", "Current", "Strom", "Coriente", "Corrente",
    "Courant Moyen", "Average Current", "Mittelwert Strom", "Coriente Media", "Corrente Media",
    "Puissance Active", "Active power", "Wirkleistung", "Potencia Activa", "Potenza Attiva",
    "Puissance Active Moyenne", "Average Active power", "Mittelwert Wirkleistung",
        "Potencia Activa Media", "Potenza Attiva Media",
    "Puissance Réactive", "Reactive power", "Blindleistung", "Potencia Reactiva",
        "Potenza reattiva",
    "Puissance Réactive Moyenne", "Average Reactive power", "Mittelwert Blindleistung",
        "Potencia Reactiva Media", "Potenza Reattiva Media",
    "Puissance Apparente", "Apparent power", "Scheinleistung", "Potencia Aparente",
        "Potenza Apparente",
    "Puissance Apparente Moyenne", "Average Apparent power", "Mittelwert Scheinleistung",
        "Potencia Aparente Media", "Potenza Apparente Media",
    "Facteur de Puissance", "Power Factor", "Leistungsfaktor", "Factor de Potencia",
        "Fattore di Potenza",
    "Facteur de Puissance Moyen", "Average Power Factor", "Mittelwert Leistungsfaktor",
        "Factor de Potencia Medio", "Fattore di Potenza Medio",
};

// Error messages; the row is the error code, shown as number -(100 + code).
const char* const erreur[34 * 5] = {
    /*  0 */ "Fichier VOLTEXA.INI introuvable", "File VOLTEXA.INI not found",
                 "Setup file VOLTEXA.INI nicht gefunden", "Fichero VOLTEXA.INI no encontrado",
                 "Impossibile trovare il file VOLTEXA.INI",
    /*  1 */ "Impossible d'ouvrir d'autres Fenêtres", "Cannot open more Windows",
                 "Maximale Fensteranzahl überschissen", "Impossible abrir otras ventanas",
                 "Impossibile aprire altre finestre",
    /*  2 */ "Icône de barre d'outils introuvable", "Toolbar icon not found",
                 "Symbolleisten Icon nicht gefunden",
                 "No se encuentra el icono de la barra de herramientas",
                 "Impossibile trovare l’icona della barra strumenti",
    /*  3 */ "Type de fichier invalide", "Invalid file type", "Ungültiger File Typ",
                 "Tipo de fichero no válido", "Tipo di file non valido",
    /*  4 */ "Aucun graphe n'a été sélectionné", "No graph selected", "Wählen Sie einen Diagramm",
                 "Seleccionar un gráfico", "Nessun grafico selezionato",
    /*  5 */ "Mauvaise position du commutateur", "The position of the rotary switch is not ready",
                 "Falsche Schalterstellung", "Mala posición del conmutator",
                 "Posizione commutatore errata",
    /*  6 */ "Répertoire de travail introuvable", "Working directory not found",
                 "Arbeitsverzeichnis nicht gefunden", "Directorio de trabajo inexistente",
                 "Directory di lavoro introvabile",
    /*  7 */ "Format de fichier invalide", "Invalid format file", "Ungültiges File Format",
                 "Formato de fichero no válido", "Formato file non valido",
    /*  8 */ "Fichier executable EXCEL invalide", "EXCEL executable file invalid",
                 "Ungültiges EXCELprogramm", "Fichero ejecutable EXCEL no válido",
                 "File eseguibile EXCEL non valido",
    /*  9 */ "Impossible de lancer EXCEL", "Cannot launch EXCEL", "Fehler beim EXCEL starten",
                 "Error en el lanzamiento de EXCEL", "Impossibile avviare EXCEL",
    /* 10 */ "Impossible de se connecter au système EXCEL", "Cannot connect to EXCEL system",
                 "Fehler beim Verbindungsaufbau zu EXCEL",
                 "Error en la conexión con del servidor EXCEL",
                 "Impossibile collegarsi al sistema EXCEL",
    /* 11 */ "Erreur de lecture vers EXCEL", "Error reading EXCEL",
                 "Fehler bei der Datenübertragung zum Blatt",
                 "Error en la transferencia de los datos hacia la hoja",
                 "Errore di lettura su EXCEL",
    /* 12 */ "Erreur d'écriture vers EXCEL", "Error writing to EXCEL",
                 "Fehler bei der Datenübertragung zum Blatt",
                 "Error en la transferencia de los datos hacia la hoja",
                 "Errore di scrittura su EXCEL",
    /* 13 */ "Erreur d'execution de Macro", "Macro execution error", "Fehler beim Macro starten",
                 "Error en el lanzamiento del macro", "Errore di esecuzione macro",
    /* 14 */ "Aucune courbe dans ce graphe", "No waveform in this graph",
                 "Keine Kurven in diesem Diagramm", "Ninguna curva en el gráfico",
                 "Nessuna curva sul grafico",
    /* 15 */ "Le nom de fichier doit comprendre 8 caractères", "Filename must be 8 characters long",
                 "Filename benötigt 8 Zeichen", "El nombre del fichero debe tener 8 caracteres",
                 "Il nome del file deve contenere 8 caratteri",
    /* 16 */ "Il faut 2 courbes pour cette fonction", "Two waveforms required for this function",
                 "Funktion benötigt 2 Kurven", "Se necesitan dos curvas para esta función",
                 "Per questa funzione servono 2 curve",
    /* 17 */ "Attention !  Fermeture d'EXCEL", "Warning !  EXCEL will be closed",
                 "Achtung !  EXCEL beenden", "Cuidado !  EXCEL cerrado",
                 "Attenzione !  Chiusura di EXCEL",
    /* 18 */ "Fichier introuvable", "No file found", "File nicht gefunden", "Fichero no encontrado",
                 "File non trovato",
    /* 19 */ "Port série occupé", "Serial port occupied", "Serieller Anschluss besetzt",
                 "Puerto serie ocupado", "Porta seriale occupato",
    /* 20 */ "Message invalide ou Time Out", "Invalid message or Time Out",
                 "Kommunikationfehler oder Time Out", "Mensaje no válido o Time Out",
                 "Messaggio non valido o Time Out",
    /* 21 */ "Numéro de port série invalide", "Invalid serial port number",
                 "Nummer des seriellen Anschlusses ungültig", "Número de puerto serie inválido",
                 "Numero di porta seriale non valido",
    /* 22 */ "Mesure non disponible sur cet appareil", "Measure not available on this instrument",
                 "Messung für dieses Gerät nicht verfügbar", "Medida no disponible en este aparato",
                 "Misura non disponibile su quest'apparecchio",
    /* 23 */ "Erreur d'ouverture de fichier", "Error openning file", "Fehler beim datei öffnen",
                 "Error en la apertura del fichero", "Errore di apertura file",
    /* 24 */ "Erreur d'écriture vers un fichier", "Error writing file ",
                 "Fehler beim file schreiben", "Error en la escritura del fichero",
                 "Errore di scrittura su file",
    /* 25 */ "Interprétation incorrecte", "Error interpreting response", "Übersetzungs Fehler",
                 "Interpretación incorrecta", "Interpretazione errata",
    /* 26 */ "Voie inactive", "Channel not active", "Kanal inaktiv", "Canal inactivo",
                 "Canale non attivo",
    /* 27 */ "Opération non autorisée", "Impossible to do this command", "Befehl unmöglich",
                 "Mando imposible", "Operazione non autorizzata",
    /* 28 */ "Fichier déja existant", "Existing file", "Datei existiert", "Fichero existente",
                 "File già esistente",
    /* 29 */ "Pas de canal actif", "No chanel enabled", "Alle Kanäle sind geschlossen",
                 "No hay canal activo", "Nessun canale attivo",
    /* 30 */ "Vitesse d'acquisition trop rapide", "Acquisition speed to fast",
                 "Erfassungsgeschwindigkeit zu schnelle",
                 "Velocidad de adquisición demasiado rápida",
                 "Velocità di acquisizione troppo elevata",
    /* 31 */ "Pas de communication", "Impossible to do this command", "Kommunication unmöglich",
                 "Mando imposible", "Impossibile avviare comunicazione",
    /* 32 */ "valeurs indéterminées", "indefinite values", "unbestimmte Werte",
                 "valores indeterminados", "valori indeterminati",
    /* 33 */ "valeurs hors limites", "values out of limits", "Werte außerhalb der Grenzwerte",
                 "valores fuera de los limites", "valori fuori limiti",
};

const char* const cmdOui[10] = {
    "Non", "Oui", "No", "Yes", "Nein", "Ja", "No", "Si", "No", "Si",
};

const char* const unite_typ[13] = {
    " ", "V", "V", "A", "A", "W", "W", "Var", "Var", "VA", "VA", " ", " ",
};

const char* const item_langues[5 * 5] = {
    "Français", "Français", "Français", "Français", "Français",
    "English", "English", "English", "English", "English",
    "Deutsch", "Deutsch", "Deutsch", "Deutsch", "Deutsch",
    "Español", "Español", "Español", "Español", "Español",
    "Italiano", "Italiano", "Italiano", "Italiano", "Italiano",
};

} // namespace tx

namespace {

// langue only ever holds 0..4; anything else reads French rather than past
// the end of a table.
int langue_courante()
{
    return (langue >= 0 && langue < tx::NB_LANGUES) ? langue : 0;
}

} // namespace

const char* txt(const char* const* table, int k)
{
    return table[k * tx::NB_LANGUES + langue_courante()];
}

QString qtxt(const char* const* table, int k)
{
    return QString::fromUtf8(txt(table, k));
}

const char* mot_oui()
{
    return tx::cmdOui[langue_courante() * 2 + 1];
}

const char* mot_non()
{
    return tx::cmdOui[langue_courante() * 2];
}

QString mnemonique(const char* texte)
{
    const QString source = QString::fromUtf8(texte);
    QString resultat;
    resultat.reserve(source.size() + 2);
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar ch = source.at(i);
        if (ch == u'_' && i + 2 < source.size() && source.at(i + 1) == u'_') {
            resultat += u'&';
            ++i;  // the second underscore; the marked character follows as is
        } else if (ch == u'&') {
            resultat += QStringLiteral("&&");
        } else {
            resultat += ch;
        }
    }
    return resultat;
}
