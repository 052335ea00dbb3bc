#include "app/quitter.h"

#include "app/config.h"
#include "socle/globals.h"
#include "socle/ecran/menus.h"
#include "socle/platform.h"
#include "socle/ecran/toolkit.h"
#include "export/excel.h"
#include "files/ecran/enregistrement.h"
#include "files/ecran/fichier.h"
#include "files/journal.h"
#include "lang/textes.h"

#include <QCoreApplication>

namespace {
FinBoucle fin_installee = nullptr;
}

void fin_boucle_evenements(int code)
{
    if (fin_installee)
        fin_installee(code);
    else
        QCoreApplication::exit(code);
}

void installer_fin_boucle(FinBoucle fin)
{
    fin_installee = fin;
}

int sortir(int, int, int event, void*, int, int)
{
    if (event != EVENT_COMMIT)
        return 0;
    enregistrer_config_sortie();
    // A running acquisition stops; its readings, like readings stopped
    // earlier and never saved, get the one question below, whose Cancel
    // keeps the program open with them.
    if (Acq.en_cours == 1)
        arreter_sans_question();
    if (!proposer_enregistrement())
        return 0;
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
