#pragma once

// The close methods a stop entry names by number: what each does in a run, for tessark.exe's
// closing and the checker's plan, words and traps alike. No Windows header here, so that the
// portable checker reads it too.

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
};

// In the order of the method numbers, then the one for any other number.
inline constexpr closeway closeways[methodcount + 1] = {
    {wmcloseaction, false, false}, {wmquitaction, false, false},   {destroyaction, false, false},
    {noaction, true, false},       {syscloseaction, false, false}, {wmcloseaction, false, true},
    {noaction, false, false},
};

inline const closeway &wayof(closemethod m) {
    return closeways[(int)m];
}

} // namespace process
