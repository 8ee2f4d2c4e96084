#include "process/close.h"
#include "config/configuration.h"
#include "io/logfile.h"
#include "io/loglines.h"
#include "process/lookup.h"
#include "process/snapshot.h"

#include <windows.h>

namespace {

// The access mask older headers give PROCESS_ALL_ACCESS; asked for exactly.
const DWORD allaccess = 0x1F0FFF;

INPUT key(WORD vk, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = flags;
    return in;
}

// WM_CLOSE, then the grace time, then a fresh look; what is still there is terminated.
void closewithcheck(const stopentry &s) {
    closewindows(s.index, WM_CLOSE);
    if (s.closedelay != 0)
        Sleep((DWORD)s.closedelay);
    if (!takesnapshot()) {
        applog.printf("%s", enumfailedline);
        return;
    }
    lookupprocesses();
    unsigned pid = configuration.starts[s.index].pid;
    if (pid != 0) {
        applog.printf("%s", terminatingline);
        killprocess(pid);
    }
}

} // namespace

void killprocess(unsigned pid) {
    HANDLE h = OpenProcess(allaccess, FALSE, pid);
    if (!h)
        return;
    TerminateProcess(h, 0);
    CloseHandle(h);
}

void closewindows(int index, unsigned action) {
    // Every key pressed is released again, so nothing stays held down on the desktop.
    INPUT altf4[4] = {key(VK_MENU, 0), key(VK_F4, 0), key(VK_F4, KEYEVENTF_KEYUP),
                      key(VK_MENU, KEYEVENTF_KEYUP)};
    for (void *w : configuration.starts[index].windows) {
        HWND h = (HWND)w;
        if (action == destroyaction) {
            DestroyWindow(h);
        } else if (action == altf4action) {
            if (SetForegroundWindow(h))
                SendInput(4, altf4, sizeof(INPUT));
        } else {
            DWORD_PTR result;
            SendMessageTimeoutA(h, action, 0, 0, SMTO_ABORTIFHUNG, messagetimeout, &result);
        }
    }
}

void closeall() {
    for (const stopentry &s : configuration.stops) {
        const startentry &e = configuration.starts[s.index];
        if (e.pid == 0)
            continue;
        applog.printf(closingline, e.command.c_str());
        switch (s.method) {
        case 0:
            closewindows(s.index, WM_CLOSE);
            break;
        case 1:
            closewindows(s.index, WM_QUIT);
            break;
        case 2:
            closewindows(s.index, destroyaction);
            break;
        case 3:
            killprocess(e.pid);
            break;
        case 4:
            closewindows(s.index, altf4action);
            break;
        case 5:
            closewithcheck(s);
            continue; // its grace time was the pause
        default:
            break;
        }
        if (s.closedelay != 0)
            Sleep((DWORD)s.closedelay);
    }
}
