#pragma once

// The close methods a stop entry names by number: what each does in a run, and how the checker
// tells it, in one table, so that a method is added or changed in one place. No Windows header
// here, so that the portable checker reads it too.

namespace process {

enum class closemethod { wmclose, wmquit, destroy, terminate, altf4, closethenterminate, none };

const int methodcount = 6; // numbers 0 to 5; any other closes nothing

inline closemethod methodof(int number) {
    return number >= 0 && number < methodcount ? (closemethod)number : closemethod::none;
}

// What closewindows applies besides plain window messages.
enum closeaction : unsigned {
    noaction = 0,
    wmcloseaction = 0x0010, // WM_CLOSE's number
    wmquitaction = 0x0012,  // WM_QUIT's number
    destroyaction = 2,      // DestroyWindow on each window (2 is WM_DESTROY's number)
    // WM_SYSCOMMAND's number, sent with SC_CLOSE: Alt+F4 as a window's own procedure takes it,
    // with no key pressed, so that none can land in another window.
    syscloseaction = 0x0112,
};

struct closeway {
    closeaction action; // applied to every window of the program first; noaction: none
    bool terminates;    // terminated at once
    bool looksagain;    // after closedelay, looked up again and terminated if it still runs
    // For the checker:
    const char *words; // what it does, in the reading of the configuration
    const char *trap;  // after "method N": what it does against what it seems to; null for
                       // the methods that close
    const char *sends; // the plan's note on the action, "%s" the windows; null: none
    const char *fails; // why the program outlives the action; null when it closes what it reaches
};

// In the order of the method numbers, then the one for any other number.
inline constexpr closeway closeways[methodcount + 1] = {
    {wmcloseaction, false, false, "WM_CLOSE to its windows", nullptr, "WM_CLOSE to %s", nullptr},
    {wmquitaction, false, false, "WM_QUIT to its windows",
     " sends WM_QUIT, which most programs ignore when it is sent: the program is not closed; use 0 "
     "(WM_CLOSE) or 5 (WM_CLOSE, then terminate)",
     "WM_QUIT to %s, which most programs ignore", "WM_QUIT (method 1) does not close it"},
    {destroyaction, false, false, "DestroyWindow on its windows",
     " calls DestroyWindow, which Windows refuses for another program's windows: the program is "
     "not closed; use 0 or 5",
     "DestroyWindow on %s, which Windows refuses for another program's windows",
     "DestroyWindow (method 2) cannot close it"},
    {noaction, true, false, "terminates it", nullptr, nullptr, nullptr},
    {syscloseaction, false, false, "Alt+F4 to its windows, as WM_SYSCOMMAND SC_CLOSE", nullptr,
     "WM_SYSCOMMAND SC_CLOSE (Alt+F4) to %s", nullptr},
    {wmcloseaction, false, true,
     "WM_CLOSE to its windows, and after closedelay terminates it if it still runs", nullptr,
     "WM_CLOSE to %s", nullptr},
    {noaction, false, false, "nothing but the log line",
     " is no close method: Tessark only logs the line and waits closedelay; use 0 to 5", nullptr,
     nullptr},
};

inline const closeway &wayof(closemethod m) {
    return closeways[(int)m];
}

} // namespace process
