#include "files/impression.h"

void commande_imprimer(int) {}
int Print(int, int, int, void*, int, int)
{
    return 0;
}
void Traduc_print() {}
