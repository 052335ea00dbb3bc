// voltexa-log for the tests: the same program with fewer readings per pair
// (VOLTEXA_ESSAI_PLAFOND), and the ports/ folder of a test's own directory
// (VOLTEXA_ESSAI_DIR); never installed.
#include "enregistreur.h"

#include "socle/globals.h"
#include "socle/platform.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (const QString dir = qEnvironmentVariable("VOLTEXA_ESSAI_DIR"); !dir.isEmpty())
        fixer_repertoire_programme(dir);
    const int plafond = qEnvironmentVariableIntValue("VOLTEXA_ESSAI_PLAFOND");
    return executer_log(argc, argv, plafond > 0 ? plafond : NB_RELEVES_MAX);
}
