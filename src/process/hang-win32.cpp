#include "process/hang.h"

#include "config/configuration.h"
#include "process/close.h"
#include "process/snapshot.h"

#include <windows.h>

#include <algorithm>

namespace process {

using namespace config;

namespace {

// How often a watch looks again.
const int watchstep = 250;

struct topwindow {
    HWND window;
    DWORD pid;
};

BOOL CALLBACK collect(HWND window, LPARAM list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != 0)
        ((std::vector<topwindow> *)list)->push_back({window, pid});
    return TRUE;
}

std::vector<topwindow> topwindows() {
    std::vector<topwindow> all;
    EnumWindows(collect, (LPARAM)&all);
    return all;
}

// Whether a hidden window may be one that Windows hid behind a ghost: a main window, enabled and
// unowned. Every thread that has windows has a disabled IME window too, hung with its thread.
bool ghostable(HWND window, LONG style) {
    return !(style & WS_DISABLED) && !GetWindow(window, GW_OWNER) &&
           !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

// Whether process pid is suspect among all: every top-level window of it hangs, one of them shown
// or ghosted. A window that answers, shown or hidden, is a thread of it still taking messages: a
// program whose worker thread waits on something owns that thread's windows hung without the
// program hanging. One of its hung windows then in hung.
bool suspect(unsigned pid, const std::vector<topwindow> &all, HWND *hung = nullptr) {
    bool counted = false;
    for (const topwindow &t : all) {
        if (t.pid != pid)
            continue;
        if (!IsHungAppWindow(t.window))
            return false;
        LONG style = GetWindowLongA(t.window, GWL_STYLE);
        if ((style & WS_VISIBLE) || ghostable(t.window, style)) {
            counted = true;
            if (hung)
                *hung = t.window;
        }
    }
    return counted;
}

} // namespace

std::vector<size_t> suspects() {
    std::vector<size_t> found;
    std::vector<topwindow> all;
    for (size_t k = 0; k < configuration.starts.size(); ++k) {
        const startentry &e = configuration.starts[k];
        if (e.pid == 0)
            continue;
        // A shown window that answers, of those the lookup found, settles it: the walk of every
        // window, which costs a run as much as a quarter of its lookup, is left to a program
        // without one.
        bool answers = false;
        for (void *w : e.windows)
            answers = answers || !IsHungAppWindow((HWND)w);
        if (answers)
            continue;
        if (all.empty())
            all = topwindows();
        if (suspect(e.pid, all))
            found.push_back(k);
    }
    return found;
}

hangwatch::~hangwatch() {
    for (const held &h : holds)
        release(h);
}

void hangwatch::release(const held &h) {
    if (h.process)
        CloseHandle(h.process);
}

std::vector<size_t> hangwatch::watch(const std::vector<size_t> &suspects, int ms) {
    DWORD begun = GetTickCount();
    std::vector<held> left;
    for (size_t k : suspects) {
        startentry &e = configuration.starts[k];
        HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, e.pid);
        // One that ended since the lookup is missing, its id perhaps another's already.
        if (h ? creationtime(h) != e.created : GetLastError() == ERROR_INVALID_PARAMETER) {
            release({k, h});
            e.pid = 0;
            continue;
        }
        left.push_back({k, h});
    }
    // A process is let go as soon as it is no longer watched: an ended one held open may still
    // be listed, and found running by the run's next look.
    for (;;) {
        std::vector<topwindow> all = topwindows();
        std::vector<held> still;
        for (const held &h : left) {
            startentry &e = configuration.starts[h.entry];
            bool ended = h.process && WaitForSingleObject(h.process, 0) == WAIT_OBJECT_0;
            if (ended)
                e.pid = 0; // it ended by itself: missing, as any other
            if (!ended && suspect(e.pid, all))
                still.push_back(h);
            else
                release(h);
        }
        left.swap(still);
        DWORD waited = GetTickCount() - begun;
        if (left.empty() || waited >= (DWORD)ms)
            break;
        Sleep(std::min<DWORD>(watchstep, (DWORD)ms - waited));
    }
    // Windows' own test once more, by a message that it aborts at once for a hung window.
    std::vector<topwindow> all = topwindows();
    std::vector<size_t> hung;
    for (const held &h : left) {
        HWND w = nullptr;
        DWORD_PTR result;
        if (suspect(configuration.starts[h.entry].pid, all, &w) &&
            !SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, messagetimeout, &result)) {
            hung.push_back(h.entry);
            holds.push_back(h);
        } else {
            release(h);
        }
    }
    return hung;
}

bool hangwatch::end(size_t k) {
    const startentry &e = configuration.starts[k];
    if (!killprocess(e.pid, e.created))
        return false;
    for (size_t i = 0; i < holds.size(); ++i) {
        if (holds[i].entry != k)
            continue;
        if (holds[i].process)
            WaitForSingleObject(holds[i].process, messagetimeout);
        release(holds[i]);
        holds.erase(holds.begin() + (long)i);
        break;
    }
    return true;
}

} // namespace process
