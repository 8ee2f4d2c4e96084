// Closing, starting and the run modes through tessark.exe (or the form TESSARK_EXE names), with
// fixtures as the configured programs: per case first tessarkcheck.exe, which must touch nothing,
// then one run, then its log after the dump (which must be the checker's plan), what each fixture
// recorded, how many instances tessark started and in which directory, and loose bounds on the
// run's wall time.
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct stop {
    int index, closedelay, method;
};

struct start {
    std::string command; // '~' stands for the scratch directory written with '/', '|' with '\'
    int startdelay;
};

struct actcase {
    const char *name, *mode;
    std::vector<std::string>
        programs; // fixtures placed; "*": started before the run; "DIR/": a folder
    // The log after the dump, before the closing line, "{N}" standing for entry N's command; or
    // from "process dump:" on, "#N" standing for program N's pid.
    std::vector<std::string> lines;
    // Per program, ','-separated: "EVENT=N" times its running instance recorded it, "ends=0|1",
    // "started=N" instances running then that the test did not start (tessark's, a program's own
    // copies), "cwd=DIR" theirs under the scratch directory.
    std::vector<std::string> expect;
    std::vector<stop> stops = {};   // none: one per entry, in order, method 0
    std::vector<start> starts = {}; // none: "~/NAME", 0 for each program
    int restartdelay = 0;
    double atleast = 0, under = 0;
    // The checker cannot know that a program ignores WM_CLOSE: its plan has it closed.
    bool planned = true;
};

const char juststart[] = "...starting all not existed",
           fine[] = "...no need to restart, all runs fine",
           notall[] = "...not all processes exist, restarting", again[] = "...starting all",
           failed[] = "...failed shutdown processes, failed to restart",
           closing[] = "...closing all existing applications", close0[] = "   trying to close {0}",
           close1[] = "   trying to close {1}", close2[] = "   trying to close {2}",
           start0[] = "   starting {0}", start1[] = "   starting {1}",
           terminate[] = "...failed to close process, trying to terminate",
           unreached0[] = "   failed to reach {0}", refused0[] = "   failed to terminate {0}",
           hung0[] = "   not responding {0}", hung1[] = "   not responding {1}";

// clang-format off
const std::vector<actcase> cases = {
    // The run modes' branches.
    {"juststart, one missing", "juststart", {"*onewin-a.exe", "onewin-b.exe"}, {juststart, start1}, {"started=0", "started=1"}},
    {"juststart, nothing configured", "juststart", {}, {juststart}, {}},
    {"restart, all running", "restart", {"*onewin-a.exe", "*onewin-b.exe"}, {fine}, {"WM_CLOSE main=0,started=0", "WM_CLOSE main=0"}},
    // The wait comes between closing and looking again; with nothing running there is none.
    {"restart, the running one closes", "restart", {"*onewin-a.exe", "onewin-b.exe"}, {notall, close0, again, start0, start1}, {"WM_CLOSE main=1,started=1", "started=1"}, {}, {}, 600, 0.55},
    {"restart, none running", "restart", {"onewin-a.exe", "onewin-b.exe"}, {notall, again, start0, start1}, {"started=1", "started=1"}, {}, {}, 5000, 0, 4},
    {"restart, one survives its close", "restart", {"*stubborn-a.exe", "onewin-b.exe"}, {notall, close0, failed}, {"WM_CLOSE main=1,started=0", "started=0"}, {}, {}, 0, 0, 0, false},
    // No stop entry names the running program, so it is never closed.
    {"restart, running one not in the stop section", "restart", {"*onewin-a.exe", "onewin-b.exe"}, {notall, failed}, {"WM_CLOSE main=0", "started=0"}, {{1, 0, 0}, {1, 0, 0}}},
    {"restart, nothing configured", "restart", {}, {fine}, {}, {}, {}, 5000, 0, 4},
    {"invert, none running", "invert", {"onewin-a.exe", "onewin-b.exe"}, {"...starting them all", start0, start1}, {"started=1", "started=1"}},
    // Closed in the order of the stop section, not of the start section.
    {"invert, all running", "invert", {"*onewin-a.exe", "*onewin-b.exe"}, {"...closing all", close1, close0}, {"WM_CLOSE main=1", "WM_CLOSE main=1"}, {{1, 0, 0}, {0, 0, 0}}},
    {"invert, some running", "invert", {"*onewin-a.exe", "onewin-b.exe"}, {"...failed to invert, not all processes exist, shutdown them", close0}, {"WM_CLOSE main=1", "started=0"}},
    {"invert, nothing configured", "invert", {}, {"...starting them all"}, {}},
    // A stop entry whose program does not run writes nothing and does not pause.
    {"justclose, one running", "justclose", {"*onewin-a.exe", "onewin-b.exe"}, {closing, close0}, {"WM_CLOSE main=1", "started=0"}, {{1, 5000, 0}, {0, 0, 0}}, {}, 0, 0, 4},
    // Named twice: handled twice, its pid still set after the first.
    {"justclose, one program named twice", "justclose", {"*stubborn-a.exe", "onewin-b.exe"}, {closing, close0, close0}, {"WM_CLOSE main=2", ""}, {{0, 0, 0}, {0, 0, 0}}},
    // A check looks at every program again: one gone since is skipped, and the windows of one
    // still there are each reached once.
    {"justclose, a check refreshes every entry", "justclose", {"*onewin-a.exe", "*onewin-b.exe", "*stubborn-c.exe", "onewin-d.exe"}, {closing, close0, close1, close2}, {"WM_CLOSE main=1", "WM_CLOSE main=1", "WM_CLOSE main=1", ""}, {{0, 0, 0}, {1, 300, 5}, {0, 0, 0}, {2, 0, 0}}},
    {"justclose, nothing configured", "justclose", {}, {closing}, {}},
    // Only the exact text after the last '/' names a program, and only for the first entry so named.
    {"names are exact", "justclose", {"*onewin.exe", "*twowin.exe"}, {"process dump:", "   {0} exist, pid #1 found 2 hwnds", "   {1} not exist", "   {2} not exist", "   {3} not exist", "   {4} exist, pid #0 found 1 hwnds", "   {5} not exist", closing, "   trying to close {0}", "   trying to close {4}"}, {}, {{0, 0, 6}, {1, 0, 6}, {2, 0, 6}, {3, 0, 6}, {4, 0, 6}, {5, 0, 6}}, {{"twowin.exe", 0}, {"~/ONEWIN.EXE", 0}, {"|\\onewin.exe", 0}, {"~/onewin.exe -q", 0}, {"~/onewin.exe", 0}, {"c:/elsewhere/onewin.exe", 0}}},
    // Each close method on one running program.
    {"method 0", "justclose", {"*onewin.exe"}, {closing, close0}, {"ends=1,WM_CLOSE main=1,exit=1"}},
    {"method 0, two windows", "justclose", {"*twowin.exe"}, {closing, close0}, {"ends=1,WM_CLOSE main=1,WM_CLOSE second=1"}},
    {"method 0, hidden windows", "justclose", {"*hidden.exe"}, {closing, close0}, {"ends=0,WM_CLOSE main=0"}},
    // A sent WM_QUIT is only a message; another process's window cannot be destroyed.
    {"method 1", "justclose", {"*onewin.exe"}, {closing, close0}, {"ends=0,WM_QUIT main=1,WM_CLOSE main=0"}, {{0, 0, 1}}},
    {"method 2", "justclose", {"*onewin.exe"}, {closing, close0, unreached0}, {"ends=0,WM_DESTROY main=0,WM_CLOSE main=0"}, {{0, 0, 2}}},
    // Terminates, sending nothing, then pauses.
    {"method 3", "justclose", {"*onewin.exe"}, {closing, close0}, {"ends=1,WM_CLOSE main=0,exit=0"}, {{0, 500, 3}}, {}, 0, 0.45},
    {"method 4", "justclose", {"*onewin.exe"}, {closing, close0}, {"ends=1,SC_CLOSE main=1,WM_CLOSE main=1,exit=1"}, {{0, 0, 4}}},
    {"method 4, hung", "justclose", {"*hung.exe"}, {closing, close0}, {"ends=0"}, {{0, 0, 4}}},
    {"method 5", "justclose", {"*onewin.exe"}, {closing, close0}, {"ends=1,WM_CLOSE main=1,exit=1"}, {{0, 300, 5}}},
    // One pause, spent before the check and not again after it.
    {"method 5, stubborn", "justclose", {"*stubborn.exe"}, {closing, close0, terminate}, {"ends=1,WM_CLOSE main=1,exit=0"}, {{0, 1200, 5}}, {}, 0, 1.15, 2.3, false},
    // Two run by its name: the close reaches the one found, the check finds the other.
    {"method 5, two by one name", "justclose", {"*onewin-a.exe", "*onewin-a.exe"}, {closing, close0, terminate}, {"ends=1", "ends=1"}, {{0, 300, 5}}, {{"~/onewin-a.exe", 0}}},
    {"method 5, no window", "justclose", {"*nowin.exe"}, {closing, close0, terminate}, {"ends=1,exit=0"}, {{0, 0, 5}}},
    // A modal "save changes?" box holds the close message; the check terminates it.
    {"method 5, dialog", "justclose", {"*dialog.exe"}, {closing, close0, terminate}, {"ends=1,WM_CLOSE main=1,dialog open=1,exit=0"}, {{0, 0, 5}}, {}, 0, 0, 15, false},
    // WM_CLOSE passes over a window that does not answer; the check terminates it. justclose
    // watches for no hang.
    {"method 5, hung", "justclose hungtimeout 3000", {"*hung.exe"}, {closing, close0, terminate}, {"ends=1,exit=0"}, {{0, 0, 5}}},
    // A process that refuses all access is found by its image path, and not started again; it
    // refuses termination too, which the log says, so the restart fails instead of starting a
    // second copy.
    {"guarded, method 3", "restart", {"*guarded-a.exe", "onewin-b.exe"}, {notall, close0, refused0, failed}, {"ends=0,started=0", "started=0"}, {{0, 0, 3}, {1, 0, 0}}},
    {"guarded, termination granted, method 3", "justclose", {"*guardedterm.exe"}, {closing, close0}, {"ends=1,exit=0"}, {{0, 0, 3}}},
    {"guarded, stubborn, method 5", "restart", {"*guardedstubborn-a.exe", "onewin-b.exe"}, {notall, close0, terminate, refused0, failed}, {"ends=0,WM_CLOSE main=1,started=0", "started=0"}, {{0, 300, 5}, {1, 0, 0}}, {}, 0, 0, 0, false},
    // Of several processes by one name, the last listed with a window: a family's windowed one,
    // which takes its windowless copies along. Of two windowed ones, the later (method 5 above).
    {"family, method 0", "justclose", {"*family.exe"}, {closing, close0}, {"ends=1,WM_CLOSE main=1,started=0"}},
    {"method 6", "justclose", {"*onewin.exe"}, {closing, close0}, {"ends=0,WM_CLOSE main=0"}, {{0, 600, 6}}, {}, 0, 0.55},
    // Starting: the directory before the last '/', also inside an argument.
    // Not responding: a program whose windows all hang is watched for hungtimeout (the mode's
    // word), then ended and started again as a missing one, in juststart and restart.
    // A program with no window at all is never suspect.
    {"hung, juststart", "juststart hungtimeout 3000", {"*hung.exe", "*nowin.exe"}, {hung0, juststart, start0}, {"ends=1,started=1", "ends=0,started=0"}, {}, {}, 0, 2.9, 15},
    {"hung, no hungtimeout", "juststart", {"*hung.exe"}, {juststart}, {"ends=0,started=0"}},
    {"hung, hungtimeout 0", "juststart hungtimeout 0", {"*hung.exe"}, {juststart}, {"ends=0,started=0"}},
    // It answers before the time is up: left alone, and the run ends then.
    {"busy, answers in time", "juststart hungtimeout 20000", {"*busy.exe"}, {juststart}, {"ends=0,started=0"}, {}, {}, 0, 0, 15, false},
    // One watch for all: two hang, the run takes hungtimeout once.
    {"two hung at once", "juststart hungtimeout 4000", {"*hung-a.exe", "*hung-b.exe"}, {hung0, hung1, juststart, start0, start1}, {"ends=1,started=1", "ends=1,started=1"}, {}, {}, 0, 3.9, 7.5},
    {"one window hung, one answers", "juststart hungtimeout 3000", {"*halfhung.exe"}, {juststart}, {"ends=0,started=0"}, {}, {}, 0, 0, 2.9},
    {"hung, restart", "restart hungtimeout 3000", {"*hung-a.exe", "*onewin-b.exe"}, {hung0, notall, close1, again, start0, start1}, {"ends=1,started=1", "WM_CLOSE main=1,ends=1,started=1"}, {}, {}, 600},
    {"hung, refuses termination", "juststart hungtimeout 3000", {"*guardedhung.exe"}, {hung0, refused0, juststart}, {"ends=0,started=0"}},
    // A ghosted program's own window is hidden while it hangs.
    {"hung, its window hidden", "juststart hungtimeout 3000", {"*hiddenhung.exe"}, {hung0, juststart, start0}, {"ends=1,started=1"}},
    {"start directory", "juststart", {"sub/onewin.exe"}, {juststart, start0}, {"started=1,cwd=\\sub"}, {}, {{"~/sub/onewin.exe", 0}}},
    {"last slash in an argument", "juststart", {"onewin.exe -o out/", "onewin.exe"}, {juststart, start0}, {"", "started=1,cwd=\\onewin.exe -o out"}, {}, {{"~/onewin.exe -o out/x.txt", 0}}},
    // No '/': the empty directory goes in, never ours, and the system refuses it.
    {"no directory", "juststart", {"onewin.exe"}, {juststart, start0}, {"started=0"}, {}, {{"onewin.exe", 0}}},
    {"backslashes", "juststart", {"onewin.exe"}, {juststart, start0}, {"started=0"}, {}, {{"|\\onewin.exe", 0}}},
    // A path with a space runs the file it names, not the one before the space.
    {"space in the path", "juststart", {"my onewin/onewin.exe", "my.exe"}, {juststart, start0}, {"started=1,cwd=\\my onewin", "started=0"}, {}, {{"~/my onewin/onewin.exe", 0}}},
    // A pause after the last successful start; none after a failed one.
    {"start delays", "juststart", {"onewin.exe"}, {juststart, start0, start1}, {"started=1,cwd="}, {}, {{"~/absent.exe", 5000}, {"~/onewin.exe", 800}}, 0, 0.75, 3.5},
};
// clang-format on

std::string expand(std::string s, const e2e::scratch &dir) {
    for (size_t at; (at = s.find_first_of("~|")) != std::string::npos;)
        s.replace(at, 1, s[at] == '~' ? dir.slashed() : dir.path);
    return s;
}

// The dump's line for a command: found when it names a running fixture, with that kind's windows;
// of two by one name, the one started last, which the system lists last.
std::string dumpline(const std::string &command, const e2e::scratch &dir,
                     const std::vector<const e2e::program *> &before) {
    std::string line = "   " + command + " not exist";
    for (const e2e::program *p : before) {
        std::string name = p ? p->exe.substr(dir.path.size() + 1) : "", kind = name.substr(0, 6);
        if (p && command == dir.slashed() + "/" + name)
            line = "   " + command + " exist, pid " + std::to_string(p->pid) +
                   (kind == "twowin" || kind == "halfhu"   ? " found 2 hwnds"
                    : kind == "hidden" || kind == "nowin." ? " failed to get hwnd"
                                                           : " found 1 hwnds");
    }
    return line;
}

// The processes of others whose image is exe.
std::vector<unsigned> instances(const std::vector<unsigned> &others, const std::string &exe) {
    std::vector<unsigned> r;
    for (unsigned pid : others) {
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        char name[MAX_PATH] = {};
        DWORD size = sizeof name;
        if (h && QueryFullProcessImageNameA(h, 0, name, &size) && _stricmp(name, exe.c_str()) == 0)
            r.push_back(pid);
        CloseHandle(h);
    }
    return r;
}

// The log lines of the checker's plan: after its heading, to before its last line, its notes
// left out.
std::vector<std::string> plan(const std::string &out) {
    std::vector<std::string> r;
    bool in = false;
    for (std::string l : e2e::loglines(out)) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        if (l.rfind("longest run: ", 0) == 0)
            return r;
        if (in && l.rfind("      > ", 0) != 0)
            r.push_back(l);
        in = in || l.rfind("a run now, with ", 0) == 0;
    }
    return {"(no plan)"};
}

// Whether a case waits for a program to hang, which takes seconds: the windowless form leaves
// those to the console's, as a form changes nothing a watch does.
bool waitsforhang(const actcase &c) {
    for (const std::string &p : c.programs)
        if (p.find("hung") != std::string::npos || p.find("busy") != std::string::npos)
            return true;
    return false;
}

TEST(acting, cases) {
    for (const actcase &c : cases) {
        if (e2e::tessarkexe() != "tessark.exe" && waitsforhang(c))
            continue;
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::vector<std::string> exes;
        std::vector<const e2e::program *> before;
        std::vector<start> starts = c.starts;
        for (const std::string &p : c.programs) {
            std::string name = p.substr(p[0] == '*');
            if (name.back() == '/')
                std::filesystem::create_directories(dir.file(name));
            exes.push_back(name.back() == '/' ? "" : e2e::placefixture(dir.path, name));
            before.push_back(p[0] == '*' ? &fixtures.start(name) : nullptr);
            ASSERT_TRUE(!before.back() || before.back()->ready) << name;
            if (c.starts.empty())
                starts.push_back({"~/" + name, 0});
        }
        std::string text = std::string(c.mode) + "\nrestartdelay " +
                           std::to_string(c.restartdelay) + "\nstart\n",
                    stops = "stop\n";
        std::vector<std::string> expected = {"process dump:"};
        for (size_t i = 0; i < starts.size(); ++i) {
            starts[i].command = expand(starts[i].command, dir);
            text += "\"" + starts[i].command + "\", " + std::to_string(starts[i].startdelay) + "\n";
            expected.push_back(dumpline(starts[i].command, dir, before));
            stops += c.stops.empty() ? std::to_string(i) + ", 0, 0\n" : "";
        }
        for (const stop &s : c.stops)
            stops += std::to_string(s.index) + ", " + std::to_string(s.closedelay) + ", " +
                     std::to_string(s.method) + "\n";
        e2e::writefile(dir.file("t.cfg"), text + stops);
        // A window counts as hung once it has not answered for 5 s.
        if (waitsforhang(c))
            Sleep(6000);
        std::set<std::string> files = e2e::listing(dir.path);
        std::vector<unsigned> own = fixtures.others(); // the programs' own copies
        e2e::result check = e2e::run(dir.path, "\"" + e2e::bindir() + "\\tessarkcheck.exe\" t.cfg");
        ASSERT_TRUE(check.finished);
        EXPECT_EQ(e2e::listing(dir.path), files) << "the checker made or removed a file";
        EXPECT_EQ(fixtures.others(), own) << "the checker started a program";
        for (const e2e::program *p : before)
            EXPECT_TRUE(!p || p->events().back() == "ready") << p->exe << " heard from the checker";
        e2e::result r = e2e::runtessark(dir.path, "t.cfg");
        ASSERT_TRUE(r.finished);

        if (!c.lines.empty() && c.lines[0] == expected[0])
            expected.clear();
        for (std::string line : c.lines) {
            if (size_t at = line.find('{'); at != std::string::npos)
                line.replace(at, 3, starts[line[at + 1] - '0'].command);
            if (size_t at = line.find('#'); at != std::string::npos)
                line.replace(at, 2, std::to_string(before[line[at + 1] - '0']->pid));
            expected.push_back(line);
        }
        expected.push_back("<stamp> *** normal shutdown");
        std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
        auto dump = std::find(log.begin(), log.end(), "process dump:");
        ASSERT_TRUE(dump != log.end() && dump != log.begin() &&
                    dump[-1].rfind("...found ", 0) == 0);
        EXPECT_EQ(std::vector<std::string>(dump, log.end()), expected);
        if (c.planned) {
            EXPECT_EQ(plan(check.out), std::vector<std::string>(dump, log.end() - 1)) << check.out;
        }

        for (size_t i = 0; i < c.expect.size(); ++i) {
            SCOPED_TRACE(c.programs[i]);
            std::vector<unsigned> started;
            std::vector<std::string> events =
                before[i] ? before[i]->events() : std::vector<std::string>();
            std::stringstream items(c.expect[i]);
            for (std::string item; std::getline(items, item, ',');) {
                std::string key = item.substr(0, item.find('=')),
                            value = item.substr(key.size() + 1);
                if (key == "started") {
                    started = instances(fixtures.others(), exes[i]);
                    EXPECT_EQ(started.size(), std::stoul(value));
                    // Nothing of it ever ran, not even briefly.
                    EXPECT_TRUE(started.size() || before[i] ||
                                !e2e::exists(e2e::eventsfile(exes[i])));
                } else if (key == "cwd") {
                    e2e::program p{exes[i], started.empty() ? 0 : started[0]};
                    EXPECT_TRUE(p.waitfor("cwd " + dir.path + value)) << value;
                } else if (key == "ends") {
                    // One still running has been left running: give it a moment to prove it.
                    EXPECT_EQ(before[i]->waitexit(value == "1" ? 5000 : 300), value == "1");
                    events = before[i]->events();
                } else {
                    EXPECT_EQ(std::count(events.begin(), events.end(), key), std::stoi(value))
                        << key;
                }
            }
        }
        EXPECT_GE(r.seconds, c.atleast);
        EXPECT_LT(r.seconds, c.under ? c.under : 60);
        for (const std::string &exe : exes) // no keys: nothing is typed into any window
            EXPECT_TRUE(exe.empty() ||
                        e2e::readfile(e2e::eventsfile(exe)).find(" key\n") == std::string::npos)
                << exe;
    }
}

} // namespace
