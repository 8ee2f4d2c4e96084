// Starting programs through tessark.exe in juststart mode: the start directory, the
// application name, and the pause after each successful start.
#include "acting.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct run {
    const char *exe; // fixture placed in the scratch directory
    const char *cwd; // the directory it must run in, "{bs}" filled in; null: must not run
};

struct startcase {
    const char *name;
    std::vector<const char *> folders; // made in the scratch directory first
    std::vector<acting::start> starts; // "{d}" and "{bs}" filled in
    std::vector<run> runs;
    double atleast = 0; // loose bounds on the run's wall time, 0: none
    double under = 0;
};

std::vector<startcase> startcases() {
    return {
        {"in its directory", {}, {{"{d}/sub/onewin.exe", 0}}, {{"sub/onewin.exe", "{bs}\\sub"}}},
        {"arguments passed on", {}, {{"{d}/onewin.exe -x 1", 0}}, {{"onewin.exe", "{bs}"}}},
        // The last '/' of the whole command counts, also inside an argument.
        {"last slash in an argument",
         {"onewin.exe -o out"},
         {{"{d}/onewin.exe -o out/x.txt", 0}},
         {{"onewin.exe", "{bs}\\onewin.exe -o out"}}},
        // No '/': the empty directory goes in, never ours, and the system refuses it.
        {"no directory", {}, {{"onewin.exe", 0}}, {{"onewin.exe", nullptr}}},
        {"backslashes are no separator", {}, {{"{bs}\\onewin.exe", 0}}, {{"onewin.exe", nullptr}}},
        // A path with a space runs the file it names, not the one before the space.
        {"space in the path",
         {},
         {{"{d}/my onewin/onewin.exe", 0}},
         {{"my onewin/onewin.exe", "{bs}\\my onewin"}, {"my.exe", nullptr}}},
        // A pause after the last successful start; none after a failed one.
        {"start delays",
         {},
         {{"{d}/absent.exe", 5000}, {"{d}/onewin.exe", 1500}},
         {{"onewin.exe", "{bs}"}},
         1.4,
         4.5},
    };
}

TEST(start, programs) {
    for (const startcase &c : startcases()) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        for (const char *folder : c.folders)
            ASSERT_TRUE(CreateDirectoryA(dir.file(folder).c_str(), nullptr)) << folder;
        std::vector<std::string> exes;
        for (const run &r : c.runs)
            exes.push_back(e2e::placefixture(dir.path, r.exe));
        std::vector<acting::start> starts;
        std::vector<std::string> expected = {"...starting all not existed"};
        for (const acting::start &s : c.starts) {
            starts.push_back({acting::fillin(s.command, dir), s.startdelay});
            expected.push_back("   starting " + starts.back().command);
        }
        expected.push_back("<stamp> *** normal shutdown");
        std::vector<acting::stop> stops;
        for (size_t i = 0; i < starts.size(); ++i)
            stops.push_back({(int)i, 0, 0});
        e2e::writefile(dir.file("t.cfg"), acting::configtext("juststart", 0, starts, stops));

        e2e::result r = e2e::runtessark(dir.path, "t.cfg");
        ASSERT_TRUE(r.finished);

        EXPECT_EQ(acting::afterdump(dir, starts.size()), expected);
        for (size_t i = 0; i < c.runs.size(); ++i) {
            SCOPED_TRACE(c.runs[i].exe);
            // Still running, or else it has left its first event already.
            std::vector<unsigned> running = acting::instances(dir, exes[i]);
            std::vector<unsigned> ran = e2e::writers(e2e::eventsfile(exes[i]));
            if (!c.runs[i].cwd) {
                EXPECT_TRUE(running.empty());
                EXPECT_TRUE(ran.empty());
                continue;
            }
            EXPECT_EQ(running.size(), 1u);
            if (running.size() != 1)
                continue;
            EXPECT_EQ(acting::firstevent(exes[i], running[0]),
                      "cwd " + acting::fillin(c.runs[i].cwd, dir));
        }
        acting::expectseconds(r.seconds, c.atleast, c.under);
    }
}

} // namespace
