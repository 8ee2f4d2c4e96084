#include "process/runmode.h"
#include "config/configuration.h"
#include "io/logfile.h"
#include "process/close.h"
#include "process/dump.h"
#include "process/lookup.h"
#include "process/snapshot.h"
#include "process/start.h"

#include <windows.h>

namespace {

// Restarts the set only when it is incomplete: close what runs, wait, and start all only
// when nothing is left running.
void restartall() {
    int running = countrunning();
    if (running == (int)configuration.starts.size()) {
        applog.printf("...no need to restart, all runs fine\n");
        return;
    }
    applog.printf("...not all processes exist, restarting\n");
    closeall();
    if (running != 0 && configuration.restartdelay != 0)
        Sleep((DWORD)configuration.restartdelay);
    if (!takesnapshot()) {
        applog.printf("...failed to enumerate processes\n");
        return;
    }
    lookupprocesses();
    if (countrunning() != 0) {
        applog.printf("...failed shutdown processes, failed to restart\n");
        return;
    }
    applog.printf("...starting all\n");
    startall();
}

void invertall() {
    int running = countrunning();
    if (running == 0) {
        applog.printf("...starting them all\n");
        startall();
    } else if (running == (int)configuration.starts.size()) {
        applog.printf("...closing all\n");
        closeall();
    } else {
        applog.printf("...failed to invert, not all processes exist, shutdown them\n");
        closeall();
    }
}

} // namespace

void applymode() {
    lookupprocesses();
    dumpprocesses();
    switch (configuration.mode) {
    case juststart:
        applog.printf("...starting all not existed\n");
        startall();
        break;
    case restart:
        restartall();
        break;
    case invert:
        invertall();
        break;
    case justclose:
        applog.printf("...closing all existing applications\n");
        closeall();
        break;
    }
}
