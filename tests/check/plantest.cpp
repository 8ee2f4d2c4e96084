// tessarkcheck.exe under Wine, among running fixtures: per case one check, which must leave
// the programs and the directory as they were and start nothing; its exit code and the lines
// it prints; and where asked, a real run of tessark.exe after it, whose log from the dump on
// must be the plan's lines, in the same order.
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

namespace {

struct stop {
    int index, closedelay, method;
};

struct plancase {
    const char *name, *args;
    // t.cfg: this text, then, with programs, a start entry "~/NAME.exe", 0 for each and the stops.
    std::string text;
    std::vector<std::string> programs; // fixtures placed; "*": running; "-": named, not placed
    std::vector<stop> stops;           // none: one per entry, in order, method 0
    unsigned exitcode;
    // Beginnings of printed lines, in order: the first begins the output, the last ends it; '~'
    // stands for the scratch directory written with '/'.
    std::vector<std::string> lines;
    bool run = false; // then tessark.exe, which must log the plan
};

const char reading[] = "configuration, as tessark.exe reads it:",
           usage[] = "usage: tessarkcheck.exe [--offline] CONFIGFILE",
           clean[] = "0 errors, 0 warnings";
const std::vector<std::string> machine = {"-nodir/a", "-none", "-OneWin", "*onewin"};

// clang-format off
const std::vector<plancase> cases = {
    // Each branch of each run mode.
    {"juststart", "t.cfg", "juststart", {"*onewin-a", "onewin-b"}, {}, 0, {}, true},
    {"restart, all run", "t.cfg", "restart", {"*onewin-a", "*twowin-b"}, {}, 0, {}, true},
    {"restart, one runs", "t.cfg", "restart restartdelay 1000", {"*onewin-a", "onewin-b"}, {}, 0, {}, true},
    // Terminated after its grace time: it has no window for WM_CLOSE.
    {"restart, terminated", "t.cfg", "restart restartdelay 500", {"*nowin-a", "onewin-b"}, {{0, 300, 5}, {1, 0, 0}}, 0, {}, true},
    // Named by no stop entry, so it survives the closing.
    {"restart, not closed", "t.cfg", "restart", {"*onewin-a", "onewin-b"}, {{1, 0, 0}, {1, 0, 0}}, 1, {}, true},
    {"invert, none run", "t.cfg", "invert", {"onewin-a", "onewin-b"}, {}, 0, {}, true},
    {"invert, all run", "t.cfg", "invert", {"*onewin-a", "*onewin-b"}, {{1, 0, 0}, {0, 0, 0}}, 0, {}, true},
    {"invert, some run", "t.cfg", "invert", {"*onewin-a", "onewin-b"}, {}, 0, {}, true},
    // The check looks at every program again: one gone since is skipped when named again.
    {"justclose, a check", "t.cfg", "justclose", {"*onewin-a", "*onewin-b", "onewin-c"}, {{0, 0, 0}, {1, 300, 5}, {0, 0, 0}}, 1, {}, true},
    {"justclose, not closed", "t.cfg", "justclose", {"*stubborn-a", "*hidden-b"}, {{0, 0, 1}, {1, 0, 0}}, 1, {}, true},
    // Not answering for 5 s makes a window hung: WM_CLOSE passes it over, termination follows.
    {"justclose, hung", "t.cfg", "justclose", {"*hung-a"}, {{0, 0, 5}}, 0, {}, true},
    // Every kind of program, every close method: the checker reaches none of them.
    {"touches nothing", "t.cfg", "justclose", {"*onewin", "*twowin", "*hidden", "*nowin", "*stubborn", "*hung", "*dialog"}, {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {3, 0, 3}, {4, 0, 4}, {5, 0, 5}, {6, 0, 0}}, 1, {reading, "   trying to close ~/hung.exe", "0 errors, 3 warnings"}},
    // What this machine says, and only when asked: a directory or a program that is not there,
    // and a name in another letter case on disk and among the running processes.
    {"machine", "t.cfg", "juststart", machine, {}, 1, {reading, "t.cfg:3:1: warning: the start directory", "t.cfg:4:1: warning: \"~/none.exe\" does", "t.cfg:5:1: warning: the file is named \"onewin.exe\"", "t.cfg:5:1: warning: a process runs as \"onewin.exe\"", "0 errors, 4 warnings"}},
    {"machine, offline", "--offline t.cfg", "juststart", machine, {}, 0, {reading, clean}},
    // The command line, the form of a finding, the exit codes.
    {"no file", "", "", {}, {}, 3, {usage}},
    {"two files", "a.cfg b.cfg", "", {}, {}, 3, {usage}},
    {"unknown option", "--online a.cfg", "", {}, {}, 3, {usage}},
    {"missing file", "--offline missing.cfg", "", {}, {}, 2, {"missing.cfg:1:1: error: cannot read the file: it does not exist", "1 error, 0 warnings"}},
    {"syntax error", "--offline t.cfg", "start\n\"a.exe\" 1\n", {}, {}, 2, {"t.cfg:2:9: error: expected ',' after the command, found the number 1", "1 error, 0 warnings"}},
    {"a warning", "--offline t.cfg", "start \"c:/a.exe\", 0\nstop 0, 0, 1\n", {}, {}, 1, {reading, "0 errors, 1 warning"}},
    // The bundled examples check clean where their programs exist.
    {"juststart.cfg", "\"" EXAMPLES "/juststart.cfg\"", "", {}, {}, 0, {reading, clean}},
    {"restart.cfg", "\"" EXAMPLES "/restart.cfg\"", "", {}, {}, 0, {reading, clean}},
    {"invert.cfg", "\"" EXAMPLES "/invert.cfg\"", "", {}, {}, 0, {reading, clean}},
    {"justclose.cfg", "\"" EXAMPLES "/justclose.cfg\"", "", {}, {}, 0, {reading, clean}},
};
// clang-format on

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> r = e2e::loglines(text);
    for (std::string &l : r)
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
    return r;
}

// The plan's log lines: after its heading, to before its last line, its notes left out.
std::vector<std::string> plan(const std::vector<std::string> &out) {
    std::vector<std::string> r;
    bool in = false;
    for (const std::string &l : out) {
        if (l.rfind("longest run: ", 0) == 0)
            return r;
        if (in && l.rfind("      > ", 0) != 0)
            r.push_back(l);
        in = in || l.rfind("a run now, with ", 0) == 0;
    }
    return {"(no plan)"};
}

std::set<std::string> listing(const e2e::scratch &dir) {
    std::set<std::string> names;
    for (auto &f : std::filesystem::recursive_directory_iterator(dir.path))
        names.insert(f.path().string());
    return names;
}

TEST(checker, cases) {
    for (const plancase &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::string text = c.text + (c.programs.empty() ? "" : "\nstart\n"), stops = "stop\n";
        std::vector<const e2e::program *> running;
        for (size_t i = 0; i < c.programs.size(); ++i) {
            const std::string &p = c.programs[i];
            std::string name = p.substr(p[0] == '*' || p[0] == '-') + ".exe";
            if (p[0] == '*')
                running.push_back(&fixtures.start(name));
            else if (p[0] != '-')
                e2e::placefixture(dir.path, name);
            text += "\"" + dir.slashed() + "/" + name + "\", 0\n";
            stops += c.stops.empty() ? std::to_string(i) + ", 0, 0\n" : "";
        }
        for (const stop &s : c.stops)
            stops += std::to_string(s.index) + ", " + std::to_string(s.closedelay) + ", " +
                     std::to_string(s.method) + "\n";
        e2e::writefile(dir.file("t.cfg"), text + (c.programs.empty() ? "" : stops));
        // A window that has not answered for 5 s counts as hung.
        if (text.find("/hung") != std::string::npos)
            Sleep(6000);

        std::set<std::string> before = listing(dir);
        e2e::result r = e2e::run(dir.path, "\"" + e2e::bindir() + "\\tessarkcheck.exe\" " + c.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitcode, c.exitcode) << r.out;
        EXPECT_EQ(listing(dir), before) << "the checker made or removed a file";
        EXPECT_EQ(fixtures.others(), std::vector<unsigned>()) << "the checker started a program";
        for (const e2e::program *p : running) {
            ASSERT_TRUE(p->ready) << p->exe;
            EXPECT_EQ(p->events().back(), "ready") << p->exe << " got something from the checker";
        }
        std::vector<std::string> out = lines(r.out);
        for (size_t i = 0, at = 0; i < c.lines.size(); ++i, ++at) {
            std::string want = c.lines[i];
            if (size_t tilde = want.find('~'); tilde != std::string::npos)
                want.replace(tilde, 1, dir.slashed());
            auto begins = [&](size_t k) { return k < out.size() && out[k].rfind(want, 0) == 0; };
            while (i > 0 && at < out.size() && !begins(at))
                ++at;
            EXPECT_TRUE(begins(at) && (i + 1 < c.lines.size() || begins(out.size() - 1)))
                << want << "\n"
                << r.out;
        }

        if (c.run) {
            ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
            std::vector<std::string> log = lines(e2e::readfile(dir.file("tessark.log")));
            auto from = std::find(log.begin(), log.end(), "process dump:");
            auto to = std::find(from, log.end(), "<stamp> *** normal shutdown");
            EXPECT_EQ(plan(out), std::vector<std::string>(from, to));
        }
    }
}

} // namespace
