// The run modes through tessark.exe: which branch each takes, what it logs after the process
// dump, and what happens to the configured programs, in the order of the stop section.
#include "acting.h"

#include <gtest/gtest.h>

namespace {

struct entry {
    const char *program; // fixture in the scratch directory; its command is "{d}/<program>"
    bool running;        // started before the run
};

struct modecase {
    const char *name;
    const char *mode;
    int restartdelay;
    std::vector<entry> entries;
    std::vector<acting::stop> stops;
    std::vector<std::string> lines; // after the dump, before the closing line; "{N}": entry N
    std::vector<int> closes;        // per entry: WM_CLOSE that its running instance got
    std::vector<int> starts;        // per entry: instances tessark started
    double atleast = 0;             // loose bounds on the run's wall time, 0: none
    double under = 0;
};

std::vector<modecase> modecases() {
    const std::vector<acting::stop> inorder = {{0, 0, 0}, {1, 0, 0}};
    return {
        {"juststart, one missing",
         "juststart",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", false}},
         inorder,
         {"...starting all not existed", "   starting {1}"},
         {0, 0},
         {0, 1}},
        {"juststart, all running",
         "juststart",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", true}},
         inorder,
         {"...starting all not existed"},
         {0, 0},
         {0, 0}},
        {"juststart, nothing configured",
         "juststart",
         0,
         {},
         {},
         {"...starting all not existed"},
         {},
         {}},

        {"restart, all running",
         "restart",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", true}},
         inorder,
         {"...no need to restart, all runs fine"},
         {0, 0},
         {0, 0}},
        // The wait comes between closing and looking again.
        {"restart, the running one closes",
         "restart",
         1000,
         {{"onewin-a.exe", true}, {"onewin-b.exe", false}},
         inorder,
         {"...not all processes exist, restarting", "   trying to close {0}", "...starting all",
          "   starting {0}", "   starting {1}"},
         {1, 0},
         {1, 1},
         0.9},
        // Nothing was running: no wait at all.
        {"restart, none running",
         "restart",
         5000,
         {{"onewin-a.exe", false}, {"onewin-b.exe", false}},
         inorder,
         {"...not all processes exist, restarting", "...starting all", "   starting {0}",
          "   starting {1}"},
         {0, 0},
         {1, 1},
         0,
         4},
        {"restart, one survives its close",
         "restart",
         0,
         {{"stubborn-a.exe", true}, {"onewin-b.exe", false}},
         inorder,
         {"...not all processes exist, restarting", "   trying to close {0}",
          "...failed shutdown processes, failed to restart"},
         {1, 0},
         {0, 0}},
        // No stop entry names the running program, so it is never closed.
        {"restart, running one not in the stop section",
         "restart",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", false}},
         {{1, 0, 0}, {1, 0, 0}},
         {"...not all processes exist, restarting",
          "...failed shutdown processes, failed to restart"},
         {0, 0},
         {0, 0}},
        {"restart, nothing configured",
         "restart",
         5000,
         {},
         {},
         {"...no need to restart, all runs fine"},
         {},
         {},
         0,
         4},

        {"invert, none running",
         "invert",
         0,
         {{"onewin-a.exe", false}, {"onewin-b.exe", false}},
         inorder,
         {"...starting them all", "   starting {0}", "   starting {1}"},
         {0, 0},
         {1, 1}},
        // Closed in the order of the stop section, not of the start section.
        {"invert, all running",
         "invert",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", true}},
         {{1, 0, 0}, {0, 0, 0}},
         {"...closing all", "   trying to close {1}", "   trying to close {0}"},
         {1, 1},
         {0, 0}},
        {"invert, some running",
         "invert",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", false}},
         inorder,
         {"...failed to invert, not all processes exist, shutdown them", "   trying to close {0}"},
         {1, 0},
         {0, 0}},
        {"invert, nothing configured", "invert", 0, {}, {}, {"...starting them all"}, {}, {}},

        // The stop entry of a program that does not run writes nothing and does not pause.
        {"justclose, one running",
         "justclose",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", false}},
         {{1, 5000, 0}, {0, 0, 0}},
         {"...closing all existing applications", "   trying to close {0}"},
         {1, 0},
         {0, 0},
         0,
         4},
        // Named twice: handled twice, its pid still set after the first.
        {"justclose, one program named twice",
         "justclose",
         0,
         {{"stubborn-a.exe", true}, {"onewin-b.exe", false}},
         {{0, 0, 0}, {0, 0, 0}},
         {"...closing all existing applications", "   trying to close {0}",
          "   trying to close {0}"},
         {2, 0},
         {0, 0}},
        // A check looks at every program again: one that has gone since is skipped later.
        {"justclose, a check refreshes every entry",
         "justclose",
         0,
         {{"onewin-a.exe", true}, {"onewin-b.exe", true}, {"onewin-c.exe", false}},
         {{0, 0, 0}, {1, 300, 5}, {0, 0, 0}},
         {"...closing all existing applications", "   trying to close {0}",
          "   trying to close {1}"},
         {1, 1, 0},
         {0, 0, 0}},
        {"justclose, nothing configured",
         "justclose",
         0,
         {},
         {},
         {"...closing all existing applications"},
         {},
         {}},
    };
}

std::string withcommands(std::string line, const std::vector<std::string> &commands) {
    for (size_t i = 0; i < commands.size(); ++i) {
        std::string key = "{" + std::to_string(i) + "}";
        size_t at = line.find(key);
        if (at != std::string::npos)
            line.replace(at, key.size(), commands[i]);
    }
    return line;
}

TEST(runmode, decisiontable) {
    for (const modecase &c : modecases()) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::vector<acting::start> starts;
        std::vector<std::string> commands, exes;
        std::vector<const e2e::program *> before;
        for (const entry &e : c.entries) {
            commands.push_back(dir.slashed() + "/" + e.program);
            starts.push_back({commands.back(), 0});
            exes.push_back(e2e::placefixture(dir.path, e.program));
            before.push_back(e.running ? &fixtures.start(e.program) : nullptr);
            ASSERT_TRUE(!before.back() || before.back()->ready) << e.program;
        }
        e2e::writefile(dir.file("t.cfg"),
                       acting::configtext(c.mode, c.restartdelay, starts, c.stops));

        e2e::result r = e2e::runtessark(dir.path, "t.cfg");
        ASSERT_TRUE(r.finished);

        std::vector<std::string> expected;
        for (const std::string &line : c.lines)
            expected.push_back(withcommands(line, commands));
        expected.push_back("<stamp> *** normal shutdown");
        EXPECT_EQ(acting::afterdump(dir, c.entries.size()), expected);
        for (size_t i = 0; i < c.entries.size(); ++i) {
            SCOPED_TRACE(c.entries[i].program);
            std::vector<unsigned> skip;
            if (before[i]) {
                skip.push_back(before[i]->pid);
                EXPECT_EQ(acting::count(before[i]->events(), "WM_CLOSE main"), c.closes[i]);
            }
            EXPECT_EQ(acting::instances(dir, exes[i], skip).size(), (size_t)c.starts[i]);
        }
        acting::expectseconds(r.seconds, c.atleast, c.under);
    }
}

} // namespace
