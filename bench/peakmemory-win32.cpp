#include "peakmemory.h"

#include <windows.h>

#include <psapi.h>

long peakmemory() {
    PROCESS_MEMORY_COUNTERS c = {};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return (long)(c.PeakWorkingSetSize / 1024);
}
