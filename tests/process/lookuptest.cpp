// Which running process a start entry's command names, as the process dump tells it.
#include "config/configuration.h"
#include "harness.h"
#include "io/logfile.h"
#include "process/dump.h"
#include "process/snapshot.h"

#include <gtest/gtest.h>

namespace {

// Only the exact text after the last '/' names a program, and only for the first entry so named.
TEST(lookup, nameisexact) {
    e2e::scratch dir;
    e2e::guard programs(dir);
    const e2e::program &one = programs.start("onewin.exe"), &two = programs.start("twowin.exe");
    ASSERT_TRUE(one.ready && two.ready);
    std::string d = dir.slashed(), exist = " exist, pid " + std::to_string(one.pid);
    std::vector<std::pair<std::string, std::string>> cases = {
        {"twowin.exe", " exist, pid " + std::to_string(two.pid) + " found 2 hwnds"},
        {d + "/ONEWIN.EXE", " not exist"},
        {dir.path + "\\onewin.exe", " not exist"},
        {d + "/onewin.exe -q", " not exist"},
        {d + "/onewin.exe", exist + " found 1 hwnds"},
        {"c:/elsewhere/onewin.exe", " not exist"},
    };
    std::string text = "justclose start\n", stops = "stop\n";
    std::vector<std::string> expected = {"process dump:"};
    for (size_t i = 0; i < cases.size(); ++i) {
        text += "\"" + cases[i].first + "\", 0\n";
        stops += std::to_string(i) + ",0,6\n";
        expected.push_back("   " + cases[i].first + cases[i].second);
    }
    e2e::writefile(dir.file("t.cfg"), text + stops);
    ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
    std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    ASSERT_GE(log.size(), 3 + expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin() + 3, log.begin() + 3 + expected.size()),
              expected);
}

// A process that cannot be opened goes by "<unknown>", which an entry may name; ids print
// unsigned.
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

} // namespace
