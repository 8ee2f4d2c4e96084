#include "process/close.h"

#include "config/configuration.h"
#include "process/reach.h"
#include "process/snapshot.h"

#include <windows.h>

namespace process {

using namespace config;

static_assert(wmcloseaction == WM_CLOSE && wmquitaction == WM_QUIT &&
                  syscloseaction == WM_SYSCOMMAND,
              "window messages");

namespace {

// The access mask older headers give PROCESS_ALL_ACCESS; asked for exactly.
const DWORD allaccess = 0x1F0FFF;

// Opens pid for access, which must let its times be read, while it is still the process created
// then: Windows gives the id of one that has ended to the next. Null otherwise, the error then
// that of an id that names no process.
HANDLE openfound(unsigned pid, unsigned long long created, DWORD access) {
    HANDLE h = OpenProcess(access, FALSE, pid);
    if (h && creationtime(h) != created) {
        CloseHandle(h);
        h = nullptr;
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    return h;
}

// Whether the process found still runs: one that has exited refuses termination too.
bool stillruns(unsigned pid, unsigned long long created) {
    HANDLE h = openfound(pid, created, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION);
    // Refusing even the least right, it is not the process the lookup read, unless the lookup
    // could not read that one either.
    if (!h)
        return GetLastError() == ERROR_ACCESS_DENIED && created == 0;
    bool runs = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    CloseHandle(h);
    return runs;
}

} // namespace

bool killprocess(unsigned pid, unsigned long long created) {
    HANDLE h = openfound(pid, created, allaccess);
    // A process with more rights than ours may still grant termination alone, and the least
    // right that tells whether it is the one found.
    if (!h && GetLastError() == ERROR_ACCESS_DENIED)
        h = openfound(pid, created, PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION);
    bool done = h && TerminateProcess(h, 0);
    if (h)
        CloseHandle(h);
    return done || !stillruns(pid, created);
}

bool closewindows(int index, unsigned action) {
    bool reached = true;
    WPARAM wparam = action == syscloseaction ? SC_CLOSE : 0;
    for (void *w : configuration.starts[index].windows) {
        HWND h = (HWND)w;
        if (action == destroyaction)
            reached = DestroyWindow(h) && reached;
        else
            reached = sendreaches(h, action, wparam) && reached;
    }
    return reached;
}

} // namespace process
