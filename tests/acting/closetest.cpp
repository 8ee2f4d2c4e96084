// Each close method's effect on a running program, through tessark.exe in justclose mode.
#include "acting.h"

#include <gtest/gtest.h>

namespace {

struct closecase {
    const char *name;
    const char *program; // fixture started before the run
    int method;
    int closedelay;
    std::vector<std::string> lines;  // after "...closing all existing applications"
    std::vector<std::string> has;    // events it must have recorded
    std::vector<std::string> hasnot; // events it must not have recorded
    bool ends;                       // it has ended after the run; by itself if "exit" in has
    double atleast = 0;              // loose bounds on the run's wall time, 0: none
    double under = 0;
};

const char trying[] = "   trying to close {0}";
const char terminating[] = "...failed to close process, trying to terminate";

std::vector<closecase> closecases() {
    return {
        {"0 closes", "onewin.exe", 0, 0, {trying}, {"WM_CLOSE main", "exit"}, {}, true},
        {"0 reaches every window",
         "twowin.exe",
         0,
         0,
         {trying},
         {"WM_CLOSE main", "WM_CLOSE second", "exit"},
         {},
         true},
        {"0 without visible windows", "hidden.exe", 0, 0, {trying}, {}, {"WM_CLOSE main"}, false},
        // A sent WM_QUIT is only a message: the program goes on.
        {"1 quit message", "onewin.exe", 1, 0, {trying}, {"WM_QUIT main"}, {"exit"}, false},
        // Another process's window cannot be destroyed.
        {"2 destroy refused", "onewin.exe", 2, 0, {trying}, {}, {"WM_DESTROY main"}, false},
        {"3 terminates, then pauses", "nowin.exe", 3, 1000, {trying}, {}, {"exit"}, true, 0.9},
        {"3 sends nothing", "onewin.exe", 3, 0, {trying}, {}, {"WM_CLOSE main", "exit"}, true},
        {"4 alt+f4",
         "onewin.exe",
         4,
         0,
         {trying},
         {"WM_SYSKEYDOWN VK_F4 main", "WM_SYSCOMMAND SC_CLOSE main", "WM_CLOSE main", "exit"},
         {},
         true},
        {"5 program closes in time",
         "onewin.exe",
         5,
         300,
         {trying},
         {"WM_CLOSE main", "exit"},
         {},
         true},
        // One pause, spent before the check and not again after it.
        {"5 program stays",
         "stubborn.exe",
         5,
         2000,
         {trying, terminating},
         {"WM_CLOSE main"},
         {"exit"},
         true,
         1.9,
         3.9},
        {"5 without windows", "nowin.exe", 5, 0, {trying, terminating}, {}, {"exit"}, true},
        // A modal "save changes?" box holds the close message; the check terminates it.
        {"5 dialog on close",
         "dialog.exe",
         5,
         0,
         {trying, terminating},
         {"WM_CLOSE main", "dialog open"},
         {"exit"},
         true,
         0,
         15},
        {"0 hung program", "hung.exe", 0, 0, {trying}, {}, {"WM_CLOSE main"}, false, 0, 15},
        {"6 only pauses", "onewin.exe", 6, 1500, {trying}, {}, {"WM_CLOSE main"}, false, 1.4},
    };
}

bool has(const std::vector<std::string> &events, const std::string &line) {
    return acting::count(events, line) > 0;
}

TEST(closemethod, effects) {
    for (const closecase &c : closecases()) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        const e2e::program &p = fixtures.start(c.program);
        ASSERT_TRUE(p.ready);
        // Under Wine a window is brought to the front asynchronously, and keys sent before it
        // gets there are lost: the keystroke is tested on a window already in front.
        if (c.method == 4) {
            ASSERT_TRUE(acting::infront(p));
        }
        std::string command = dir.slashed() + "/" + c.program;
        e2e::writefile(dir.file("t.cfg"), acting::configtext("justclose", 0, {{command, 0}},
                                                             {{0, c.closedelay, c.method}}));

        e2e::result r = e2e::runtessark(dir.path, "t.cfg");
        ASSERT_TRUE(r.finished);

        std::vector<std::string> expected = {"...closing all existing applications"};
        for (const std::string &line : c.lines)
            expected.push_back(line == trying ? "   trying to close " + command : line);
        expected.push_back("<stamp> *** normal shutdown");
        EXPECT_EQ(acting::afterdump(dir, 1), expected);
        // A program still running now has been left running: give it a moment to prove it.
        EXPECT_EQ(p.waitexit(c.ends ? 5000 : 300), c.ends);
        std::vector<std::string> events = p.events();
        for (const std::string &e : c.has)
            EXPECT_TRUE(has(events, e)) << e;
        for (const std::string &e : c.hasnot)
            EXPECT_FALSE(has(events, e)) << e;
        EXPECT_LE(acting::count(events, "WM_CLOSE main"), 1);
        acting::expectseconds(r.seconds, c.atleast, c.under);
        // Alt+F4 is released again; no other method presses anything.
        EXPECT_TRUE(acting::altf4released());
    }
}

} // namespace
