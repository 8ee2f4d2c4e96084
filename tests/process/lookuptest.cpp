// A process that cannot be opened, and one just created, as the process dump tells them.
#include "process/lookup.h"
#include "config/configuration.h"
#include "harness.h"
#include "io/logfile.h"
#include "process/dump.h"
#include "process/snapshot.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace config;
using namespace process;

namespace {

// A process that cannot be opened goes by "<unknown>", which an entry may name; its session
// cannot be read either, and it counts as ours. Ids print unsigned.
TEST(lookup, unreadableprocessisunknown) {
    for (const char *c : {"", "/", "c:/x/unknown", "c:/x/<unknown>", "<unknown>"})
        configuration.starts.emplace_back().command = c;
    identifyprocess(0xFFFFFFFC); // no process has this id
    EXPECT_EQ(countrunning(), 1);
    e2e::scratch dir;
    applog.open(dir.file("tessark.log").c_str(), true);
    dumpprocesses();
    applog.close();
    std::vector<std::string> d = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(d[4], "   c:/x/<unknown> exist, pid 4294967292 failed to get hwnd");
    EXPECT_EQ(d[5], "   <unknown> not exist");
    configuration.starts.clear();
}

// A process created suspended, its loader not yet run, is found by its image path: juststart
// does not start another copy.
TEST(lookup, suspendedprocessisfound) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    void *p = e2e::launch(dir.path, "\"" + e2e::placefixture(dir.path, "onewin.exe") + "\"",
                          nullptr, false);
    ASSERT_NE(p, nullptr);
    unsigned pid = GetProcessId(p);
    CloseHandle(p);
    e2e::writefile(dir.file("t.cfg"), "start \"" + dir.slashed() + "/onewin.exe\", 0 stop 0,0,0");
    ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
    std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[4], "   " + dir.slashed() + "/onewin.exe exist, pid " + std::to_string(pid) +
                          " failed to get hwnd");
    EXPECT_EQ(fixtures.others(), std::vector<unsigned>{pid});
}

// A name with a character the ANSI code page lacks is no name of the configuration: the fullwidth
// look-alike of app.exe is taken neither for it nor for the code page's stand-in, "?pp.exe".
TEST(lookup, lookalikeisnotfound) {
    e2e::scratch dir;
    std::filesystem::path exe = std::filesystem::path(dir.path) / L"\uFF41pp.exe";
    std::filesystem::copy_file(std::filesystem::path(e2e::bindir()) / "fixture.exe", exe);
    std::wstring line = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &si, &pi));
    for (const char *name : {"/app.exe", "/?pp.exe"})
        configuration.starts.emplace_back().command = dir.slashed() + name;
    ASSERT_TRUE(takesnapshot());
    lookupprocesses();
    EXPECT_EQ(dumptext(), "process dump:\n   " + dir.slashed() + "/app.exe not exist\n   " +
                              dir.slashed() + "/?pp.exe not exist\n");
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    configuration.starts.clear();
}

} // namespace
