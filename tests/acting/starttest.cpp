// Starting programs through tessark.exe in juststart mode: the start directory, the
// application name, and the pause after each successful start.
#include "acting.h"

namespace {

struct run {
    const char *exe; // fixture placed in the scratch directory
    const char *cwd; // its directory under the scratch directory; null: must not run
};

struct startcase {
    const char *name;
    std::vector<const char *> folders; // made in the scratch directory first
    std::vector<acting::start> starts; // a leading '/' or '\' stands for the directory so written
    std::vector<run> runs;
    double atleast = 0, under = 0; // loose bounds on the run's wall time, 0: none
};

// clang-format off
const std::vector<startcase> cases = {
    {"in its directory", {}, {{"/sub/onewin.exe", 0}}, {{"sub/onewin.exe", "\\sub"}}},
    // The last '/' of the whole command counts, also inside an argument.
    {"last slash in an argument", {"onewin.exe -o out"}, {{"/onewin.exe -o out/x.txt", 0}},
     {{"onewin.exe", "\\onewin.exe -o out"}}},
    // No '/': the empty directory goes in, never ours, and the system refuses it.
    {"no directory", {}, {{"onewin.exe", 0}}, {{"onewin.exe", nullptr}}},
    {"backslashes are no separator", {}, {{"\\onewin.exe", 0}}, {{"onewin.exe", nullptr}}},
    // A path with a space runs the file it names, not the one before the space.
    {"space in the path", {}, {{"/my onewin/onewin.exe", 0}},
     {{"my onewin/onewin.exe", "\\my onewin"}, {"my.exe", nullptr}}},
    // A pause after the last successful start; none after a failed one.
    {"start delays", {}, {{"/absent.exe", 5000}, {"/onewin.exe", 1500}},
     {{"onewin.exe", ""}}, 1.4, 4.5},
};
// clang-format on

// The first event of pid in the events file beside exe, waited for; empty on timeout.
std::string firstevent(const std::string &exe, unsigned pid) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(10)) {
        std::vector<std::string> events = e2e::events(e2e::eventsfile(exe), pid);
        if (!events.empty())
            return events[0];
    }
    return "";
}

TEST(start, programs) {
    for (const startcase &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        for (const char *folder : c.folders)
            ASSERT_TRUE(CreateDirectoryA(dir.file(folder).c_str(), nullptr)) << folder;
        std::vector<std::string> exes;
        for (const run &r : c.runs)
            exes.push_back(e2e::placefixture(dir.path, r.exe));
        std::vector<acting::start> starts;
        std::vector<acting::stop> stops;
        std::vector<std::string> expected = {"...starting all not existed"};
        for (const acting::start &s : c.starts) {
            char lead = s.command[0];
            std::string in = lead == '/' ? dir.slashed() : lead == '\\' ? dir.path : "";
            starts.push_back({in + s.command, s.startdelay});
            stops.push_back({(int)stops.size(), 0, 0});
            expected.push_back("   starting " + starts.back().command);
        }
        expected.push_back("<stamp> *** normal shutdown");
        e2e::result r = acting::run(dir, "juststart", 0, starts, stops);
        ASSERT_TRUE(r.finished);

        EXPECT_EQ(acting::afterdump(dir, starts.size()), expected);
        for (size_t i = 0; i < c.runs.size(); ++i) {
            SCOPED_TRACE(c.runs[i].exe);
            // Still running, or else it has left its events file already.
            std::vector<unsigned> running = acting::instances(dir, exes[i]);
            if (!c.runs[i].cwd) {
                EXPECT_TRUE(running.empty());
                EXPECT_FALSE(e2e::exists(e2e::eventsfile(exes[i])));
            } else if (running.size() != 1) {
                ADD_FAILURE() << running.size() << " instances running";
            } else {
                EXPECT_EQ(firstevent(exes[i], running[0]), "cwd " + dir.path + c.runs[i].cwd);
            }
        }
        acting::expectseconds(r.seconds, c.atleast, c.under);
    }
}

} // namespace
