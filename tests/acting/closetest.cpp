// Each close method's effect on a running program, through tessark.exe in justclose mode.
#include "acting.h"

namespace {

struct closecase {
    const char *program; // fixture started before the run
    int method, closedelay;
    bool terminates;                      // the log goes on to terminating it
    std::vector<std::string> has, hasnot; // events it must / must not have recorded
    bool ends;                            // it has ended after the run; by itself if "exit" in has
    double atleast = 0, under = 0;        // loose bounds on the run's wall time, 0: none
};

// clang-format off
const std::vector<closecase> cases = {
    {"onewin.exe", 0, 0, false, {"WM_CLOSE main", "exit"}, {}, true},
    {"twowin.exe", 0, 0, false, {"WM_CLOSE main", "WM_CLOSE second", "exit"}, {}, true},
    {"hidden.exe", 0, 0, false, {}, {"WM_CLOSE main"}, false},
    // A sent WM_QUIT is only a message: the program goes on.
    {"onewin.exe", 1, 0, false, {"WM_QUIT main"}, {"exit"}, false},
    // Another process's window cannot be destroyed.
    {"onewin.exe", 2, 0, false, {}, {"WM_DESTROY main"}, false},
    // Terminates, sending nothing, then pauses.
    {"nowin.exe", 3, 1000, false, {}, {"exit"}, true, 0.9},
    {"onewin.exe", 3, 0, false, {}, {"WM_CLOSE main", "exit"}, true},
    {"onewin.exe", 4, 0, false,
     {"WM_SYSKEYDOWN VK_F4 main", "WM_SYSCOMMAND SC_CLOSE main", "WM_CLOSE main", "exit"}, {},
     true},
    {"onewin.exe", 5, 300, false, {"WM_CLOSE main", "exit"}, {}, true},
    // One pause, spent before the check and not again after it.
    {"stubborn.exe", 5, 2000, true, {"WM_CLOSE main"}, {"exit"}, true, 1.9, 3.9},
    {"nowin.exe", 5, 0, true, {}, {"exit"}, true},
    // A modal "save changes?" box holds the close message; the check terminates it.
    {"dialog.exe", 5, 0, true, {"WM_CLOSE main", "dialog open"}, {"exit"}, true, 0, 15},
    {"hung.exe", 0, 0, false, {}, {"WM_CLOSE main"}, false, 0, 15},
    // Only logs and pauses.
    {"onewin.exe", 6, 1500, false, {}, {"WM_CLOSE main"}, false, 1.4},
};
// clang-format on

// Waits until a window of the program is the foreground window; false on timeout.
bool infront(const e2e::program &p) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &pid);
        if (pid == p.pid)
            return true;
    }
    return false;
}

TEST(closemethod, effects) {
    for (const closecase &c : cases) {
        SCOPED_TRACE(std::string(c.program) + ", method " + std::to_string(c.method));
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        const e2e::program &p = fixtures.start(c.program);
        ASSERT_TRUE(p.ready);
        // Under Wine a window is brought to the front asynchronously, and keys sent before it
        // gets there are lost: the keystroke is tested on a window already in front.
        if (c.method == 4) {
            ASSERT_TRUE(infront(p));
        }
        std::string command = dir.slashed() + "/" + c.program;
        e2e::result r =
            acting::run(dir, "justclose", 0, {{command, 0}}, {{0, c.closedelay, c.method}});
        ASSERT_TRUE(r.finished);

        std::vector<std::string> expected = {"...closing all existing applications",
                                             "   trying to close " + command};
        if (c.terminates)
            expected.push_back("...failed to close process, trying to terminate");
        expected.push_back("<stamp> *** normal shutdown");
        EXPECT_EQ(acting::afterdump(dir, 1), expected);
        // A program still running now has been left running: give it a moment to prove it.
        EXPECT_EQ(p.waitexit(c.ends ? 5000 : 300), c.ends);
        std::vector<std::string> events = p.events();
        for (const std::string &e : c.has)
            EXPECT_GT(acting::count(events, e), 0) << e;
        for (const std::string &e : c.hasnot)
            EXPECT_EQ(acting::count(events, e), 0) << e;
        EXPECT_LE(acting::count(events, "WM_CLOSE main"), 1);
        acting::expectseconds(r.seconds, c.atleast, c.under);
        // Alt+F4 is released again; no other method presses anything.
        EXPECT_FALSE(GetAsyncKeyState(VK_MENU) & 0x8000);
        EXPECT_FALSE(GetAsyncKeyState(VK_F4) & 0x8000);
    }
}

} // namespace
