// The dump of a process that cannot be opened, one just created, one named outside the code page.
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
// does not start another copy. A name with a character the ANSI code page lacks names no entry:
// a fullwidth look-alike of app.exe is neither app.exe nor the code page's stand-in, ?pp.exe.
TEST(lookup, imagepathnames) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    void *p = e2e::launch(dir.path, "\"" + e2e::placefixture(dir.path, "onewin.exe") + "\"",
                          nullptr, false);
    ASSERT_NE(p, nullptr);
    unsigned pid = GetProcessId(p);
    CloseHandle(p);
    std::filesystem::path exe = std::filesystem::path(dir.path) / L"\uFF41pp.exe";
    std::filesystem::copy_file(std::filesystem::path(e2e::bindir()) / "fixture.exe", exe);
    STARTUPINFOW si;
    GetStartupInfoW(&si);
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &si, &pi));
    std::string d = dir.slashed();
    e2e::writefile(dir.file("t.cfg"), "start \"" + d + "/onewin.exe\", 0 \"" + d +
                                          "/app.exe\", 0 \"" + d +
                                          "/?pp.exe\", 0 stop 0,0,0 1,0,0 2,0,0");
    ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    ASSERT_GE(log.size(), 7u);
    EXPECT_EQ(log[4],
              "   " + d + "/onewin.exe exist, pid " + std::to_string(pid) + " failed to get hwnd");
    EXPECT_EQ(log[5], "   " + d + "/app.exe not exist");
    EXPECT_EQ(log[6], "   " + d + "/?pp.exe not exist");
    EXPECT_EQ(fixtures.others(), std::vector<unsigned>{pid});
}

} // namespace
