// voltexa-log: the wattmeter's readings recorded without a desktop.
#include "enregistreur.h"

#include "socle/globals.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return executer_log(argc, argv, NB_RELEVES_MAX);
}
