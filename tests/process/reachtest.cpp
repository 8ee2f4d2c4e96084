// What a close could not do, with stand-ins for the windows that refuse messages on real Windows.
#include "process/reach.h"
#include "check/rights.h"
#include "config/configuration.h"
#include "harness.h"
#include "io/logfile.h"
#include "process/close.h"
#include "process/runmode.h"
#include "process/snapshot.h"

#include <set>

#include <gtest/gtest.h>

using namespace config;
using namespace process;
using namespace check;

namespace {

const HWND open1 = (HWND)0x10, open2 = (HWND)0x20, shut1 = (HWND)0x30, shut2 = (HWND)0x40;
std::vector<HWND> tried;

} // namespace

bool process::sendreaches(HWND w, unsigned, WPARAM) {
    tried.push_back(w);
    return w == open1 || w == open2;
}

namespace {

// One line per program and close, however many of its windows it missed; every window is tried.
// Method 5 looks again, which finds none of these running: it comes last.
TEST(reach, unreachedwindows) {
    struct {
        const char *command;
        int method;
        std::vector<HWND> windows;
    } cases[] = {
        {"c:/x/a.exe", 0, {open1, open2}}, {"c:/x/b.exe", 0, {shut1, open1}},
        {"c:/x/c.exe", 1, {shut1, shut2}}, {"c:/x/d.exe", 4, {open1, shut2}},
        {"c:/x/f.exe", 5, {open1, shut1}},
    };
    std::vector<HWND> all;
    for (auto &c : cases) {
        startentry &e = configuration.starts.emplace_back();
        e.command = c.command;
        e.pid = GetCurrentProcessId();
        e.windows.assign(c.windows.begin(), c.windows.end());
        configuration.stops.push_back({(int)configuration.stops.size(), 0, c.method});
        all.insert(all.end(), c.windows.begin(), c.windows.end());
    }
    e2e::scratch dir;
    applog.open(dir.file("tessark.log").c_str(), true);
    closeall();
    applog.close();
    configuration = config::settings();
    EXPECT_EQ(tried, all);
    EXPECT_EQ(e2e::readfile(dir.file("tessark.log")),
              "   trying to close c:/x/a.exe\n"
              "   trying to close c:/x/b.exe\n   failed to reach c:/x/b.exe\n"
              "   trying to close c:/x/c.exe\n   failed to reach c:/x/c.exe\n"
              "   trying to close c:/x/d.exe\n   failed to reach c:/x/d.exe\n"
              "   trying to close c:/x/f.exe\n   failed to reach c:/x/f.exe\n");
}

// A process that has exited, an id that names none, or one that names another process (created
// later) than the one found refuses nothing; the last is left running, whatever it grants.
TEST(reach, gonerefusesnothing) {
    e2e::scratch dir;
    void *h = e2e::launch(dir.path, "cmd.exe /c exit");
    ASSERT_TRUE(h);
    WaitForSingleObject(h, 10000);
    EXPECT_TRUE(killprocess(GetProcessId(h), creationtime(h)));
    CloseHandle(h);
    EXPECT_TRUE(killprocess(0xFFFFFFFC, 0));
    EXPECT_FALSE(refusestermination(0xFFFFFFFC));
    e2e::guard fixtures(dir);
    for (const char *name : {"nowin.exe", "guardedterm.exe", "guarded.exe"}) {
        const e2e::program &p = fixtures.start(name);
        ASSERT_TRUE(p.ready) << name;
        EXPECT_TRUE(killprocess(p.pid, creationtime(p.process) - 10000000)) << name;
        EXPECT_FALSE(p.waitexit(300)) << name;
    }
}

} // namespace
