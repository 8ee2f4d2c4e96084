#include "process/snapshot.h"
#include "config/configuration.h"

#include <windows.h>

#include <psapi.h>

snapshot procsnapshot;

bool takesnapshot() {
    procsnapshot.bytesreturned = 0;
    for (startentry &e : configuration.starts)
        e.pid = 0;
    // EnumProcesses cannot say how many ids there are: grow until the list no longer fills
    // the buffer, so that no running program is missed on a busy machine.
    std::vector<unsigned> &pids = procsnapshot.pids;
    if (pids.size() < 1024)
        pids.resize(1024);
    for (;;) {
        DWORD bytes = 0;
        DWORD size = (DWORD)(pids.size() * sizeof(DWORD));
        if (!EnumProcesses((DWORD *)pids.data(), size, &bytes))
            return false;
        if (bytes < size) {
            procsnapshot.bytesreturned = bytes;
            return true;
        }
        pids.resize(pids.size() * 2);
    }
}

int countrunning() {
    int n = 0;
    for (const startentry &e : configuration.starts)
        n += e.pid != 0;
    return n;
}
