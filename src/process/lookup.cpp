#include "process/lookup.h"
#include "config/configuration.h"
#include "process/snapshot.h"

void lookupprocesses() {
    for (startentry &e : configuration.starts)
        e.windows.clear();
    std::vector<std::string> names = namecomponents();
    unsigned n = procsnapshot.bytesreturned / 4;
    for (unsigned i = 0; i < n; ++i)
        identifyprocess(procsnapshot.pids[i], names);
    EnumWindows(collectwindow, 0);
}

BOOL CALLBACK collectwindow(HWND window, LPARAM) {
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // A window gone meanwhile reports no process; it must not land on an entry not running.
    if (pid == 0)
        return TRUE;
    for (startentry &e : configuration.starts) {
        if (e.pid == pid) {
            e.windows.push_back(window);
            break;
        }
    }
    return TRUE;
}
