// The logger's run: identification, the choice of quantities, the reading
// loop and the recording pairs. Plain texts and arguments are in options.h.
#pragma once

// Exit statuses.
enum SortieLog : int {
    LOG_FINI = 0,       // the run ended (duration, cap, SIGINT, SIGTERM)
    LOG_ARGUMENTS = 1,  // the command line is wrong
    LOG_PORT = 2,       // the port cannot be opened (absent, in use)
    LOG_INSTRUMENT = 3, // no answer, held, or a mode without the quantities
    LOG_FICHIERS = 4,   // the files cannot be written or another logger writes them
};

// The whole program on its command line; `plafond` readings per pair
// (NB_RELEVES_MAX in the product). A QCoreApplication must exist.
int executer_log(int argc, char** argv, int plafond);
