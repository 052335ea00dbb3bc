#include "app/quitter.h"

#include "app/config.h"
#include "socle/globals.h"
#include "socle/menus.h"
#include "socle/platform.h"
#include "socle/toolkit.h"
#include "export/excel.h"
#include "files/enregistrement.h"
#include "files/fichier.h"
#include "files/journal.h"
#include "lang/textes.h"

#include <QCoreApplication>

namespace {
int fins_demandees = 0;
}

void fin_boucle_evenements(int code)
{
    ++fins_demandees;
    QCoreApplication::exit(code);
}

int nb_fins_demandees()
{
    return fins_demandees;
}

int sortir(int, int, int event, void*, int, int)
{
    if (event != EVENT_COMMIT)
        return 0;
    enregistrer_config_sortie();
    // Stop asks about saving the readings it ends; readings stopped earlier
    // and never saved are asked about here.
    if (Acq.en_cours == 1)
        Gestion_fichier(menu, ITEM_STOP, nullptr, Fen_princ[PNL_PRINC]);
    else
        proposer_enregistrement();
    const int r = plateforme().popups->question(qtxt(tx::quitter), qtxt(tx::confir1),
                                                {mnemonique(mot_oui()), mnemonique(mot_non()), QString()}, 1, 2);
    if (r == 1) {
        // A clean quit: the readings had their save question.
        journal_abandonner();
        fin_boucle_evenements(0);
        if (Excel.lance == 1)
            Fermeture_Excel();
    }
    return 0;
}
