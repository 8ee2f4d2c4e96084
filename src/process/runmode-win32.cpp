#include "process/runmode.h"

#include "config/configuration.h"
#include "io/logfile.h"
#include "io/loglines.h"
#include "process/branch.h"
#include "process/close.h"
#include "process/dump.h"
#include "process/lookup.h"
#include "process/snapshot.h"
#include "process/start.h"

#include <windows.h>

namespace process {

using namespace config;

namespace {

// The set is incomplete: close what runs, wait, and start all only when nothing is left
// running. running is the count from before the closing.
void restartall(int running) {
    closeall();
    if (running != 0 && configuration.restartdelay != 0)
        Sleep((DWORD)configuration.restartdelay);
    if (!takesnapshot()) {
        applog.printf("%s", enumfailedline);
        return;
    }
    lookupprocesses();
    if (countrunning() != 0) {
        applog.printf("%s", restartfailedline);
        return;
    }
    applog.printf("%s", startingallline);
    startall();
}

} // namespace

void applymode() {
    lookupprocesses();
    dumpprocesses();
    int running = countrunning();
    branch b = choosebranch(configuration.mode, running, (int)configuration.starts.size());
    if (b == nobranch)
        return;
    applog.printf("%s", branchline(b));
    switch (b) {
    case startmissing:
    case startset:
        startall();
        break;
    case restartset:
        restartall(running);
        break;
    case closeset:
    case closesome:
    case closeexisting:
        closeall();
        break;
    default:
        break;
    }
}

} // namespace process
