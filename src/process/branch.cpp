#include "process/branch.h"
#include "config/configuration.h"

branch choosebranch(int mode, int running, int total) {
    switch (mode) {
    case juststart:
        return startmissing;
    case restart:
        return running == total ? allrunning : restartset;
    case invert:
        return running == 0 ? startset : running == total ? closeset : closesome;
    case justclose:
        return closeexisting;
    }
    return nobranch;
}

const char *branchline(branch b) {
    static const char *const lines[] = {
        "",
        "...starting all not existed\n",
        "...no need to restart, all runs fine\n",
        "...not all processes exist, restarting\n",
        "...starting them all\n",
        "...closing all\n",
        "...failed to invert, not all processes exist, shutdown them\n",
        "...closing all existing applications\n",
    };
    return lines[b];
}
