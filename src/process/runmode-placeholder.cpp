#include "process/dump.h"
#include "process/lookup.h"
#include "process/runmode.h"

// Until the run modes exist, a run finds the configured programs and reports them.
void applymode() {
    lookupprocesses();
    dumpprocesses();
}
