// tessarkcheck.exe under Wine, among running fixture programs: the plan it prints is what a
// run of tessark.exe then logs, step by step, and the checker itself touches nothing.
#include "fixtures.h"
#include "harness.h"

#include <windows.h>

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

namespace {

struct stop {
    int index, closedelay, method;
};

e2e::result check(const e2e::scratch &dir, const std::string &args) {
    char self[MAX_PATH];
    std::string exe(self, GetModuleFileNameA(nullptr, self, sizeof self));
    exe = exe.substr(0, exe.find_last_of('\\')) + "\\tessarkcheck.exe";
    return e2e::run(dir.path, "\"" + exe + "\" " + args);
}

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> r = e2e::loglines(text);
    for (std::string &l : r)
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
    return r;
}

// The plan's log lines: after its heading, to before its last line, its notes left out.
std::vector<std::string> plan(const std::string &out) {
    std::vector<std::string> r;
    bool in = false;
    for (const std::string &l : lines(out)) {
        if (l.rfind("longest run: ", 0) == 0)
            return r;
        if (in && l.rfind("      > ", 0) != 0)
            r.push_back(l);
        in = in || l.rfind("a run now, with ", 0) == 0;
    }
    return {"(no plan)"};
}

// What the run logged from its dump to before its last line.
std::vector<std::string> logged(const e2e::scratch &dir) {
    std::vector<std::string> log = lines(e2e::readfile(dir.file("tessark.log")));
    auto from = std::find(log.begin(), log.end(), "process dump:");
    auto to = std::find(from, log.end(), "<stamp> *** normal shutdown");
    return std::vector<std::string>(from, to);
}

std::set<std::string> listing(const e2e::scratch &dir) {
    std::set<std::string> names;
    for (auto &f : std::filesystem::recursive_directory_iterator(dir.path))
        names.insert(f.path().string());
    return names;
}

// Starts the programs ("*" running before), writes t.cfg and checks it; the checker must
// leave the programs and the directory as they were.
std::string prepare(const e2e::scratch &dir, e2e::guard &fixtures, const std::string &head,
                    const std::vector<std::string> &programs, std::vector<stop> stops) {
    std::string text = head + "\nstart\n";
    std::vector<const e2e::program *> running;
    for (size_t i = 0; i < programs.size(); ++i) {
        bool run = programs[i][0] == '*';
        std::string name = programs[i].substr(run) + ".exe";
        e2e::placefixture(dir.path, name);
        if (run)
            running.push_back(&fixtures.start(name));
        text += "\"" + dir.slashed() + "/" + name + "\", 0\n";
        if (stops.size() < programs.size())
            stops.push_back({(int)i, 0, 0});
    }
    text += "stop\n";
    for (const stop &s : stops)
        text += std::to_string(s.index) + ", " + std::to_string(s.closedelay) + ", " +
                std::to_string(s.method) + "\n";
    e2e::writefile(dir.file("t.cfg"), text);
    // A window that has not answered for 5 s counts as hung.
    if (text.find("/hung") != std::string::npos)
        Sleep(6000);
    std::set<std::string> before = listing(dir);
    e2e::result r = check(dir, "t.cfg");
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(listing(dir), before) << "the checker made or removed a file";
    EXPECT_FALSE(e2e::exists(dir.file("tessark.log")));
    for (const e2e::program *p : running) {
        EXPECT_TRUE(p->ready) << p->exe;
        EXPECT_EQ(p->events().back(), "ready") << p->exe << " got something from the checker";
    }
    return r.out;
}

// One case per branch of each run mode; the plan must be the log, line for line.
TEST(checker, planisthelog) {
    struct {
        const char *head;
        std::vector<std::string> programs;
        std::vector<stop> stops = {}; // none: one per entry, in order, method 0
    } cases[] = {
        {"juststart", {"*onewin-a", "onewin-b"}},
        {"restart", {"*onewin-a", "*twowin-b"}},
        {"restart restartdelay 1000", {"*onewin-a", "onewin-b"}},
        // Terminated after its grace time: it has no window for WM_CLOSE.
        {"restart restartdelay 500", {"*nowin-a", "onewin-b"}, {{0, 300, 5}, {1, 0, 0}}},
        // Named by no stop entry, so it survives the closing.
        {"restart", {"*onewin-a", "onewin-b"}, {{1, 0, 0}, {1, 0, 0}}},
        {"invert", {"onewin-a", "onewin-b"}},
        {"invert", {"*onewin-a", "*onewin-b"}, {{1, 0, 0}, {0, 0, 0}}},
        {"invert", {"*onewin-a", "onewin-b"}},
        // The check looks at every program again: one gone since is skipped when named again.
        {"justclose", {"*onewin-a", "*onewin-b", "onewin-c"}, {{0, 0, 0}, {1, 300, 5}, {0, 0, 0}}},
        {"justclose", {"*stubborn-a", "*hidden-b"}, {{0, 0, 1}, {1, 0, 0}}},
        // Not answering for 5 s makes a window hung: WM_CLOSE passes it over, termination follows.
        {"justclose", {"*hung-a"}, {{0, 0, 5}}},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(std::string(c.head) + ", " + c.programs[0]);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::vector<std::string> planned =
            plan(prepare(dir, fixtures, c.head, c.programs, c.stops));
        ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
        EXPECT_EQ(planned, logged(dir));
    }
}

// Every kind of program, every close method: the checker reaches none of them.
TEST(checker, touchesnothing) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    std::string out =
        prepare(dir, fixtures, "justclose",
                {"*onewin", "*twowin", "*hidden", "*nowin", "*stubborn", "*hung", "*dialog"},
                {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {3, 0, 3}, {4, 0, 4}, {5, 0, 5}, {6, 0, 0}});
    EXPECT_NE(out.find("   trying to close " + dir.slashed() + "/hung.exe"), std::string::npos);
}

// What this machine says, and only when asked: a directory or a program that is not there,
// and names in another letter case, on disk and among the running processes.
TEST(checker, machinewarnings) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    ASSERT_TRUE(fixtures.start("onewin.exe").ready);
    std::string d = dir.slashed();
    e2e::writefile(dir.file("t.cfg"), "start\n\"" + d + "/nodir/a.exe\", 0\n\"" + d +
                                          "/none.exe\", 0\n\"" + d +
                                          "/OneWin.exe\", 0\nstop 0,0,0 1,0,0 2,0,0\n");
    const std::vector<std::string> online = {
        "t.cfg:2:1: warning: the start directory",
        "t.cfg:3:1: warning: \"" + d + "/none.exe\" does",
        "t.cfg:4:1: warning: the file is named \"onewin.exe\"",
        "t.cfg:4:1: warning: a process runs as \"onewin.exe\""};
    for (const char *args : {"t.cfg", "--offline t.cfg"}) {
        SCOPED_TRACE(args);
        std::vector<std::string> warnings;
        for (const std::string &l : lines(check(dir, args).out))
            if (l.find(": warning: ") != std::string::npos)
                warnings.push_back(l);
        bool offline = args[0] == '-';
        ASSERT_EQ(warnings.size(), offline ? 0 : online.size());
        for (size_t i = 0; i < warnings.size(); ++i)
            EXPECT_EQ(warnings[i].substr(0, online[i].size()), online[i]);
    }
}

// The command line, the form of a finding and the exit codes; the examples check clean.
TEST(checker, exitcodes) {
    e2e::scratch dir;
    e2e::writefile(dir.file("warn.cfg"), "start \"c:/a.exe\", 0\nstop 0, 0, 1\n");
    e2e::writefile(dir.file("bad.cfg"), "start\n\"a.exe\" 1\n");
    const char usage[] = "usage: tessarkcheck.exe [--offline] CONFIGFILE";
    struct {
        std::string args;
        unsigned exitcode;
        std::string first, last;
    } cases[] = {
        {"", 3, usage, usage},
        {"a.cfg b.cfg", 3, usage, usage},
        {"--online a.cfg", 3, usage, usage},
        {"--offline missing.cfg", 2,
         "missing.cfg:1:1: error: cannot read the file: it does not exist", "1 error, 0 warnings"},
        {"--offline bad.cfg", 2,
         "bad.cfg:2:9: error: expected ',' after the command, found the number 1",
         "1 error, 0 warnings"},
        {"--offline warn.cfg", 1, "configuration, as tessark.exe reads it:", "0 errors, 1 warning"},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.args);
        e2e::result r = check(dir, c.args);
        std::vector<std::string> out = lines(r.out);
        EXPECT_EQ(r.exitcode, c.exitcode);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out.front(), c.first);
        EXPECT_EQ(out.back(), c.last);
    }
    for (const char *example : {"juststart", "restart", "invert", "justclose"}) {
        SCOPED_TRACE(example);
        e2e::result r = check(dir, "\"" + std::string(EXAMPLES) + "/" + example + ".cfg\"");
        EXPECT_EQ(r.exitcode, 0u) << r.out;
    }
}

} // namespace
