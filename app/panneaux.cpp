#include "app/panneaux.h"

#include "acquisition/ecran/panneaux.h"
#include "export/panneaux.h"
#include "files/ecran/panneaux.h"
#include "graph/panneaux.h"
#include "lang/ecran/panneaux.h"

#include <QLabel>
#include <QMenuBar>

PnlPrincipal PnlPrincipal::lier(QWidget* r)
{
    return {r, controle<QMenuBar>(r, "barre_menu"), controle<QWidget>(r, "zone_outils")};
}

PnlSplash PnlSplash::lier(QWidget* r)
{
    return {r, controle<QLabel>(r, "nom_programme"), controle<QLabel>(r, "version")};
}

void enregistrer_panneaux_programme()
{
    enregistrer_liaison<PnlPrincipal>(PNL_PRINC);
    enregistrer_liaison<PnlSplash>(PNL_SPLASH);
}

void enregistrer_panneaux()
{
    enregistrer_panneaux_langue();
    enregistrer_panneaux_graphe();
    enregistrer_panneaux_acquisition();
    enregistrer_panneaux_fichiers();
    enregistrer_panneaux_export();
    enregistrer_panneaux_programme();
}
