#include "process/dump.h"
#include "config/configuration.h"
#include "io/logfile.h"

void dumpprocesses() {
    applog.printf("process dump:\n");
    for (const startentry &e : configuration.starts) {
        applog.printf("   %s ", e.command.c_str());
        if (e.pid == 0) {
            applog.printf("not exist\n");
            continue;
        }
        // Unsigned, as process ids are: no id can show as a negative number.
        applog.printf("exist, pid %u ", e.pid);
        if (e.windows.empty())
            applog.printf("failed to get hwnd\n");
        else
            applog.printf("found %d hwnds\n", (int)e.windows.size());
    }
}
