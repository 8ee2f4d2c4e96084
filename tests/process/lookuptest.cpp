// The snapshot, the lookup and the dump, called in-process on a configuration filled here.
#include "process/lookup.h"
#include "config/configuration.h"
#include "fixtures.h"
#include "io/logfile.h"
#include "lookupcases.h"
#include "process/dump.h"
#include "process/snapshot.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> r;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        r.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return r;
}

// Every test gets its own directory, fixtures and log, and leaves the globals as it found them.
class lookup : public ::testing::Test {
protected:
    e2e::scratch dir;
    e2e::guard fixtures{dir};
    std::string logname = dir.file("tessark.log");

    void SetUp() override { applog.open(logname.c_str(), true); }
    void TearDown() override {
        applog.close();
        configuration.starts.clear();
    }

    void configure(const std::vector<std::string> &commands) {
        configuration.starts.clear();
        for (const std::string &c : commands) {
            startentry e;
            e.command = c;
            configuration.starts.push_back(e);
        }
    }
    std::vector<std::string> dump() {
        applog.close();
        std::vector<std::string> r = lines(e2e::readfile(logname));
        applog.open(logname.c_str(), true);
        return r;
    }
};

TEST_F(lookup, cases) {
    for (const lookupcase &c : lookupcases()) {
        SCOPED_TRACE(c.name);
        e2e::scratch home;
        e2e::guard programs(home);
        std::vector<const e2e::program *> started;
        for (const std::string &name : c.programs) {
            started.push_back(&programs.start(name));
            ASSERT_TRUE(started.back()->ready) << name;
        }
        std::vector<std::string> commands;
        for (const std::string &command : c.commands)
            commands.push_back(
                fillin(fillin(command, "{dir}", home.slashed()), "{bsdir}", home.path));
        configure(commands);

        ASSERT_TRUE(takesnapshot());
        lookupprocesses();
        dumpprocesses();

        std::vector<std::string> expected = {"process dump:"};
        for (const std::string &line : c.dump)
            expected.push_back(expectedline(line, home, started));
        EXPECT_EQ(dump(), expected);

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
}

// The two windows collected are the very windows the program made.
TEST_F(lookup, windowsarethoseoftheprogram) {
    const e2e::program &p = fixtures.start("twowin.exe");
    ASSERT_TRUE(p.ready);
    configure({dir.slashed() + "/twowin.exe"});
    ASSERT_TRUE(takesnapshot());
    lookupprocesses();
    ASSERT_EQ(configuration.starts[0].pid, p.pid);
    std::vector<std::string> made;
    for (const std::string &e : p.events())
        if (e.rfind("window ", 0) == 0)
            made.push_back(e.substr(e.find(' ', 7) + 1));
    std::vector<std::string> collected;
    for (void *h : configuration.starts[0].windows) {
        char hex[32];
        snprintf(hex, sizeof hex, "%p", h);
        collected.push_back(hex);
    }
    std::sort(made.begin(), made.end());
    std::sort(collected.begin(), collected.end());
    EXPECT_EQ(collected, made);
}

// A later lookup sees the windows as they are then: no handle twice, none of a closed window.
TEST_F(lookup, everylookupholdsexactlywhatitsaw) {
    const e2e::program &two = fixtures.start("twowin.exe");
    ASSERT_TRUE(two.ready);
    configure({dir.slashed() + "/twowin.exe", dir.slashed() + "/onewin.exe"});
    ASSERT_TRUE(takesnapshot());
    lookupprocesses();
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

    ASSERT_TRUE(takesnapshot());
    lookupprocesses();
    EXPECT_EQ(configuration.starts[0].pid, two.pid);
    EXPECT_EQ(configuration.starts[0].windows, two.visiblewindows());
    EXPECT_EQ(configuration.starts[0].windows.size(), 1u);
    EXPECT_EQ(configuration.starts[1].pid, one.pid);
    EXPECT_EQ(configuration.starts[1].windows.size(), 1u);

    SendMessageA((HWND)configuration.starts[0].windows[0], WM_CLOSE, 0, 0);
    ASSERT_TRUE(two.waitexit());
    ASSERT_TRUE(takesnapshot());
    lookupprocesses();
    EXPECT_EQ(configuration.starts[0].pid, 0u);
    EXPECT_TRUE(configuration.starts[0].windows.empty());
    EXPECT_EQ(configuration.starts[1].windows.size(), 1u);
    EXPECT_EQ(countrunning(), 1);
}

// A process that cannot be opened goes by "<unknown>", which an entry may name.
TEST_F(lookup, unreadableprocessisunknown) {
    const unsigned none = 0xFFFFFFFC; // no process has this id
    configure({"", "/", "c:/x/unknown", "c:/x/<unknown>", "<unknown>"});
    identifyprocess(none);
    EXPECT_EQ(configuration.starts[3].pid, none);
    EXPECT_EQ(countrunning(), 1);
    dumpprocesses();
    std::vector<std::string> d = dump();
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(d[4], "   c:/x/<unknown> exist, pid 4294967292 failed to get hwnd");
    EXPECT_EQ(d[5], "   <unknown> not exist");
}

TEST_F(lookup, emptyconfiguration) {
    configure({});
    ASSERT_TRUE(takesnapshot());
    lookupprocesses();
    EXPECT_EQ(countrunning(), 0);
    dumpprocesses();
    EXPECT_EQ(dump(), std::vector<std::string>{"process dump:"});
}

} // namespace
