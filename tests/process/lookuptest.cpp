// The snapshot, the lookup and the dump, called in-process on a configuration filled here.
#include "process/lookup.h"
#include "config/configuration.h"
#include "fixtures.h"
#include "io/logfile.h"
#include "process/dump.h"
#include "process/snapshot.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct lookupcase {
    const char *name;
    std::vector<std::string> programs; // fixtures started first, in this order
    // A leading '/' or '\' stands for the scratch directory written so.
    std::vector<std::string> commands;
    // The dump's lines after its heading, each "   <command> " and this, where "{pid:NAME}"
    // stands for the id of the instance of fixture NAME that the system lists last.
    std::vector<std::string> dump;
};

// clang-format off
const std::vector<lookupcase> cases = {
    {"every kind", {"twowin.exe", "hidden.exe", "nowin.exe", "onewin-2.exe"},
     {"/absent.exe", "/hidden.exe", "/twowin.exe", "/onewin-2.exe", "/nowin.exe", "/100%s.exe"},
     {"not exist", "exist, pid {pid:hidden.exe} failed to get hwnd",
      "exist, pid {pid:twowin.exe} found 2 hwnds", "exist, pid {pid:onewin-2.exe} found 1 hwnds",
      "exist, pid {pid:nowin.exe} failed to get hwnd", "not exist"}},
    // Only the exact text after the last '/' names the program.
    {"name is exact", {"onewin.exe"},
     {"/ONEWIN.EXE", "\\onewin.exe", "/onewin.exe -q", "onewin.exe"},
     {"not exist", "not exist", "not exist", "exist, pid {pid:onewin.exe} found 1 hwnds"}},
    {"same name twice", {"onewin.exe"}, {"/onewin.exe", "c:/elsewhere/onewin.exe"},
     {"exist, pid {pid:onewin.exe} found 1 hwnds", "not exist"}},
    {"several instances", {"onewin.exe", "onewin.exe", "onewin.exe"}, {"/onewin.exe"},
     {"exist, pid {pid:onewin.exe} found 1 hwnds"}},
};
// clang-format on

void configure(const std::vector<std::string> &commands) {
    configuration.starts.clear();
    for (const std::string &c : commands) {
        configuration.starts.emplace_back();
        configuration.starts.back().command = c;
    }
}

// The lines of the process dump, written to a log of its own.
std::vector<std::string> dump() {
    e2e::scratch logdir;
    applog.open(logdir.file("tessark.log").c_str(), true);
    dumpprocesses();
    applog.close();
    return e2e::loglines(e2e::readfile(logdir.file("tessark.log")));
}

// Looks up the commands afresh and returns the dump's lines.
std::vector<std::string> lookupanddump(const std::vector<std::string> &commands) {
    configure(commands);
    EXPECT_TRUE(takesnapshot());
    lookupprocesses();
    return dump();
}

TEST(lookup, cases) {
    for (const lookupcase &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::vector<const e2e::program *> started;
        for (const std::string &name : c.programs) {
            started.push_back(&fixtures.start(name));
            ASSERT_TRUE(started.back()->ready) << name;
        }
        std::vector<std::string> commands, expected = {"process dump:"};
        for (size_t i = 0; i < c.commands.size(); ++i) {
            char lead = c.commands[i][0];
            std::string in = lead == '/' ? dir.slashed() : lead == '\\' ? dir.path : "";
            commands.push_back(in + c.commands[i]);
            std::string line = "   " + commands.back() + " " + c.dump[i];
            size_t at = line.find("{pid:"), end = line.find('}', at);
            if (at != std::string::npos) {
                std::string name = line.substr(at + 5, end - at - 5);
                unsigned last = 0;
                for (unsigned id : e2e::processids())
                    for (const e2e::program *p : started)
                        if (p->pid == id && p->exe == dir.file(name))
                            last = id;
                line.replace(at, end + 1 - at, std::to_string(last));
            }
            expected.push_back(line);
        }
        EXPECT_EQ(lookupanddump(commands), expected);

        // Each entry holds exactly its process's visible windows, in enumeration order.
        int running = 0;
        for (const startentry &e : configuration.starts) {
            SCOPED_TRACE(e.command);
            running += e.pid != 0;
            std::vector<void *> visible;
            for (const e2e::program *p : started)
                if (p->pid == e.pid)
                    visible = p->visiblewindows();
            EXPECT_EQ(e.windows, visible);
        }
        EXPECT_EQ(countrunning(), running);
    }
    configuration.starts.clear();
}

// A later lookup sees the windows as they are then: no handle twice, none of a closed window.
TEST(lookup, everylookupholdsexactlywhatitsaw) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    const e2e::program &two = fixtures.start("twowin.exe");
    ASSERT_TRUE(two.ready);
    std::vector<std::string> commands = {dir.slashed() + "/twowin.exe",
                                         dir.slashed() + "/onewin.exe"};
    lookupanddump(commands);
    std::vector<void *> both = two.visiblewindows();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(configuration.starts[0].windows, both);
    lookupprocesses(); // again, without a new snapshot
    EXPECT_EQ(configuration.starts[0].windows, both);

    HWND second = nullptr;
    for (void *h : both) {
        char title[64] = {};
        GetWindowTextA((HWND)h, title, sizeof title);
        if (std::string(title).find("second") != std::string::npos)
            second = (HWND)h;
    }
    ASSERT_NE(second, nullptr);
    SendMessageA(second, WM_CLOSE, 0, 0);
    ASSERT_TRUE(two.waitfor("WM_DESTROY second"));
    const e2e::program &one = fixtures.start("onewin.exe");
    ASSERT_TRUE(one.ready);
    EXPECT_EQ(lookupanddump(commands)[1],
              "   " + commands[0] + " exist, pid " + std::to_string(two.pid) + " found 1 hwnds");
    EXPECT_EQ(configuration.starts[0].windows, two.visiblewindows());
    EXPECT_EQ(configuration.starts[1].pid, one.pid);
    EXPECT_EQ(configuration.starts[1].windows.size(), 1u);

    SendMessageA((HWND)configuration.starts[0].windows[0], WM_CLOSE, 0, 0);
    ASSERT_TRUE(two.waitexit());
    lookupanddump(commands);
    EXPECT_EQ(configuration.starts[0].pid, 0u);
    EXPECT_TRUE(configuration.starts[0].windows.empty());
    EXPECT_EQ(countrunning(), 1);
    configuration.starts.clear();
}

// A process that cannot be opened goes by "<unknown>", which an entry may name.
TEST(lookup, unreadableprocessisunknown) {
    configure({"", "/", "c:/x/unknown", "c:/x/<unknown>", "<unknown>"});
    identifyprocess(0xFFFFFFFC); // no process has this id
    EXPECT_EQ(countrunning(), 1);
    std::vector<std::string> d = dump();
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(d[4], "   c:/x/<unknown> exist, pid 4294967292 failed to get hwnd");
    EXPECT_EQ(d[5], "   <unknown> not exist");
    configuration.starts.clear();
}

} // namespace
