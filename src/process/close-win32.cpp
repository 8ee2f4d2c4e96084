#include "process/close.h"

#include "config/configuration.h"
#include "process/reach.h"

#include <windows.h>

namespace process {

using namespace config;

static_assert(wmcloseaction == WM_CLOSE && wmquitaction == WM_QUIT, "window messages");

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

// Whether pid still names a running process: one that has exited refuses termination too.
bool stillruns(unsigned pid) {
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h)
        return GetLastError() == ERROR_ACCESS_DENIED;
    bool runs = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    CloseHandle(h);
    return runs;
}

} // namespace

bool killprocess(unsigned pid) {
    HANDLE h = OpenProcess(allaccess, FALSE, pid);
    // A process with more rights than ours may still grant termination alone.
    if (!h)
        h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    bool done = h && TerminateProcess(h, 0);
    if (h)
        CloseHandle(h);
    return done || !stillruns(pid);
}

bool closewindows(int index, unsigned action) {
    bool reached = true;
    // Every key pressed is released again, so nothing stays held down on the desktop.
    INPUT altf4[4] = {key(VK_MENU, 0), key(VK_F4, 0), key(VK_F4, KEYEVENTF_KEYUP),
                      key(VK_MENU, KEYEVENTF_KEYUP)};
    for (void *w : configuration.starts[index].windows) {
        HWND h = (HWND)w;
        if (action == destroyaction) {
            reached = DestroyWindow(h) && reached;
        } else if (action == altf4action) {
            // Keys go to whatever has the focus: none unless this window has it. One gone
            // meanwhile, with another of its program, needs none and refused nothing.
            if (bringtofront(h))
                SendInput(4, altf4, sizeof(INPUT));
            else if (!windowgone(h))
                reached = false;
        } else {
            reached = sendreaches(h, action) && reached;
        }
    }
    return reached;
}

} // namespace process
