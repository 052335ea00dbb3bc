#include "files/enregistrement.h"

void commande_ouvrir() {}
void commande_enregistrer() {}
void commande_recent(int) {}
int Ouverture_fichier(const QString&)
{
    return -1;
}
void Memo_fichier(const QString&) {}
