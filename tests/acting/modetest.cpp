// The run modes through tessark.exe: which branch each takes, what it logs in and after the
// process dump, and what happens to the configured programs, in the order of the stop section.
#include "acting.h"

namespace {

struct modecase {
    const char *name, *mode;
    int restartdelay;
    std::vector<std::string> programs;    // fixtures in the scratch directory; "*": running before
    std::vector<std::string> lines;       // after the dump, before the closing line; "{N}": entry N
    std::vector<int> closes;              // per entry: WM_CLOSE that its running instance got
    std::vector<int> starts;              // per entry: instances tessark started
    std::vector<acting::stop> stops = {}; // none: one per entry, in order, method 0
    double atleast = 0, under = 0;        // loose bounds on the run's wall time, 0: none
};

const char juststart[] = "...starting all not existed",
           fine[] = "...no need to restart, all runs fine",
           notall[] = "...not all processes exist, restarting", again[] = "...starting all",
           failed[] = "...failed shutdown processes, failed to restart",
           invertstart[] = "...starting them all",
           closing[] = "...closing all existing applications", close0[] = "   trying to close {0}",
           close1[] = "   trying to close {1}", start0[] = "   starting {0}",
           start1[] = "   starting {1}";

// clang-format off
const std::vector<modecase> cases = {
    {"juststart, one missing", "juststart", 0, {"*onewin-a", "onewin-b"},
     {juststart, start1}, {0, 0}, {0, 1}},
    {"juststart, nothing configured", "juststart", 0, {}, {juststart}, {}, {}},
    {"restart, all running", "restart", 0, {"*onewin-a", "*onewin-b"}, {fine}, {0, 0}, {0, 0}},
    // The wait comes between closing and looking again.
    {"restart, the running one closes", "restart", 1000, {"*onewin-a", "onewin-b"},
     {notall, close0, again, start0, start1}, {1, 0}, {1, 1}, {}, 0.9},
    // Nothing was running: no wait at all.
    {"restart, none running", "restart", 5000, {"onewin-a", "onewin-b"},
     {notall, again, start0, start1}, {0, 0}, {1, 1}, {}, 0, 4},
    {"restart, one survives its close", "restart", 0, {"*stubborn-a", "onewin-b"},
     {notall, close0, failed}, {1, 0}, {0, 0}},
    // No stop entry names the running program, so it is never closed.
    {"restart, running one not in the stop section", "restart", 0, {"*onewin-a", "onewin-b"},
     {notall, failed}, {0, 0}, {0, 0}, {{1, 0, 0}, {1, 0, 0}}},
    {"restart, nothing configured", "restart", 5000, {}, {fine}, {}, {}, {}, 0, 4},
    {"invert, none running", "invert", 0, {"onewin-a", "onewin-b"},
     {invertstart, start0, start1}, {0, 0}, {1, 1}},
    // Closed in the order of the stop section, not of the start section.
    {"invert, all running", "invert", 0, {"*onewin-a", "*onewin-b"},
     {"...closing all", close1, close0}, {1, 1}, {0, 0}, {{1, 0, 0}, {0, 0, 0}}},
    {"invert, some running", "invert", 0, {"*onewin-a", "onewin-b"},
     {"...failed to invert, not all processes exist, shutdown them", close0}, {1, 0}, {0, 0}},
    {"invert, nothing configured", "invert", 0, {}, {invertstart}, {}, {}},
    // The stop entry of a program that does not run writes nothing and does not pause.
    {"justclose, one running", "justclose", 0, {"*onewin-a", "onewin-b"},
     {closing, close0}, {1, 0}, {0, 0}, {{1, 5000, 0}, {0, 0, 0}}, 0, 4},
    // Named twice: handled twice, its pid still set after the first.
    {"justclose, one program named twice", "justclose", 0, {"*stubborn-a", "onewin-b"},
     {closing, close0, close0}, {2, 0}, {0, 0}, {{0, 0, 0}, {0, 0, 0}}},
    // A check looks at every program again: one that has gone since is skipped later.
    {"justclose, a check refreshes every entry", "justclose", 0,
     {"*onewin-a", "*onewin-b", "onewin-c"},
     {closing, close0, close1}, {1, 1, 0}, {0, 0, 0}, {{0, 0, 0}, {1, 300, 5}, {0, 0, 0}}},
    {"justclose, nothing configured", "justclose", 0, {}, {closing}, {}, {}},
};
// clang-format on

TEST(runmode, decisiontable) {
    for (const modecase &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::vector<acting::start> starts;
        std::vector<acting::stop> stops = c.stops;
        std::vector<std::string> exes, expected;
        std::vector<const e2e::program *> before;
        for (size_t i = 0; i < c.programs.size(); ++i) {
            bool running = c.programs[i][0] == '*';
            std::string name = c.programs[i].substr(running) + ".exe";
            starts.push_back({dir.slashed() + "/" + name, 0});
            exes.push_back(e2e::placefixture(dir.path, name));
            before.push_back(running ? &fixtures.start(name) : nullptr);
            ASSERT_TRUE(!running || before.back()->ready) << name;
            // Every fixture here has one window.
            expected.push_back(
                "   " + starts.back().command +
                (running ? " exist, pid " + std::to_string(before.back()->pid) + " found 1 hwnds"
                         : " not exist"));
            if (c.stops.empty())
                stops.push_back({(int)i, 0, 0});
        }
        e2e::result r = acting::run(dir, c.mode, c.restartdelay, starts, stops);
        ASSERT_TRUE(r.finished);

        for (std::string line : c.lines) {
            size_t at = line.find('{');
            if (at != std::string::npos)
                line.replace(at, 3, starts[line[at + 1] - '0'].command);
            expected.push_back(line);
        }
        expected.push_back("<stamp> *** normal shutdown");
        EXPECT_EQ(acting::afterdump(dir, 0), expected);
        for (size_t i = 0; i < c.programs.size(); ++i) {
            SCOPED_TRACE(c.programs[i]);
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
