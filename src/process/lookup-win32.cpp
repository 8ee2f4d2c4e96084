#include "process/lookup.h"

#include "config/configuration.h"
#include "process/snapshot.h"

namespace process {

using namespace config;

namespace {

bool owns(const std::vector<ownedwindow> &windows, unsigned pid) {
    for (const ownedwindow &w : windows)
        if (w.pid == pid)
            return true;
    return false;
}

} // namespace

void lookupprocesses() {
    // One walk of the windows serves both the choice of process and the window lists.
    std::vector<ownedwindow> windows;
    EnumWindows(collectwindow, (LPARAM)&windows);
    std::vector<std::string> names = namecomponents();
    unsigned n = procsnapshot.count();
    for (unsigned i = 0; i < n; ++i) {
        unsigned pid = procsnapshot.pids[i];
        unsigned long long created = 0;
        int k = namedentry(pid, names, &created);
        if (k < 0)
            continue;
        // A program of several processes lists its windowless helpers after the one the user
        // sees, which is the one the close methods can reach.
        startentry &e = configuration.starts[(size_t)k];
        if (owns(windows, pid) || !owns(windows, e.pid)) {
            e.pid = pid;
            e.created = created;
        }
    }
    for (startentry &e : configuration.starts)
        e.windows.clear();
    for (const ownedwindow &w : windows) {
        for (startentry &e : configuration.starts) {
            if (e.pid == w.pid) {
                e.windows.push_back(w.window);
                break;
            }
        }
    }
}

BOOL CALLBACK collectwindow(HWND window, LPARAM list) {
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // A window gone meanwhile reports no process; it must not land on an entry not running.
    if (pid != 0)
        ((std::vector<ownedwindow> *)list)->push_back({window, pid});
    return TRUE;
}

} // namespace process
