#include "app/startup.h"

int main(int argc, char* argv[])
{
    return demarrer_voltexa(argc, argv);
}
