// tessark.exe as a whole: its command line, the log's framing, sharing and appending, what the
// log says about a configuration, and a machine with more processes than one list holds.
#include "harness.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>

namespace {

const char banner[] = "Tessark, version 1.0beta2\r\n"
                      "keeps the configured programs in the state you want\r\n";

std::vector<unsigned> processids() {
    std::vector<DWORD> ids(8192);
    DWORD bytes = 0;
    EnumProcesses(ids.data(), (DWORD)(ids.size() * sizeof(DWORD)), &bytes);
    return std::vector<unsigned>(ids.begin(), ids.begin() + bytes / sizeof(DWORD));
}

std::vector<std::string> log(const e2e::scratch &dir) {
    return e2e::loglines(e2e::readfile(dir.file("tessark.log")));
}

TEST(driver, wrongargumentcountgivesusage) {
    for (const char *args : {"", "a.cfg b.cfg", "a b c"}) {
        SCOPED_TRACE(args);
        e2e::scratch dir;
        e2e::result r = e2e::runtessark(dir.path, args);
        EXPECT_TRUE(r.finished && r.exitcode == 0);
        EXPECT_EQ(r.out,
                  std::string(banner) + "please give me config file from command line !\r\n");
        EXPECT_FALSE(e2e::exists(dir.file("tessark.log")));
    }
}

// Each run appends, framed by the only stamped lines, and counts every process there is.
TEST(driver, runsareframedandappend) {
    e2e::scratch dir;
    e2e::writefile(dir.file("empty.cfg"), "; nothing to look after\n");
    e2e::writefile(dir.file("tessark.log"), "earlier line\n");
    std::string shape;
    for (int i = 0; i < 2; ++i) {
        size_t before = processids().size();
        e2e::result r = e2e::runtessark(dir.path, "empty.cfg");
        EXPECT_TRUE(r.finished && r.exitcode == 0);
        EXPECT_EQ(r.out, banner);
        std::string found = "...found " + std::to_string(before) + " processes";
        shape = "";
        for (const std::string &l : log(dir)) {
            int n = 0;
            bool count = sscanf(l.c_str(), "...found %d processes", &n) == 1;
            EXPECT_TRUE(!count || std::abs(n - (int)before) <= 2) << l << ", " << before << " seen";
            shape += l == "earlier line"                                   ? 'E'
                     : l == "<stamp> *** started"                          ? 'S'
                     : l == "...loaded [0,0] records from config, mode 10" ? 'L'
                     : count                                               ? 'F'
                     : l == "process dump:"                                ? 'D'
                     : l == "...starting all not existed"                  ? 'J'
                     : l == "<stamp> *** normal shutdown"                  ? 'X'
                                                                           : '?';
        }
    }
    EXPECT_EQ(shape, "ESLFDJXSLFDJX");
    std::string text = e2e::readfile(dir.file("tessark.log"));
    EXPECT_EQ(text.find('\r'), std::string::npos) << "log lines end in LF alone";
}

TEST(driver, logthatcannotbeopenedleavestherunsilent) {
    e2e::scratch dir;
    e2e::guard programs(dir);
    e2e::program p; // the configured program, which the run must still start
    p.exe = e2e::placefixture(dir.path, "onewin.exe");
    e2e::writefile(dir.file("start.cfg"),
                   "start \"" + dir.slashed() + "/onewin.exe\", 0 stop 0,0,3");
    ASSERT_TRUE(CreateDirectoryA(dir.file("tessark.log").c_str(), nullptr));
    e2e::result r = e2e::runtessark(dir.path, "start.cfg");
    EXPECT_TRUE(r.finished && r.exitcode == 0);
    EXPECT_EQ(r.out, banner);
    ASSERT_EQ(programs.others().size(), 1u);
    p.pid = programs.others()[0];
    EXPECT_TRUE(p.waitfor("ready"));
}

// While a run writes the log, others may read it but not write it: a second run stays silent.
TEST(driver, secondwriterisrefused) {
    e2e::scratch dir;
    e2e::guard programs(dir);
    ASSERT_TRUE(programs.start("nowin.exe").ready);
    e2e::writefile(dir.file("slow.cfg"),
                   "justclose start \"" + dir.slashed() + "/nowin.exe\", 0 stop 0, 2000, 6");
    e2e::writefile(dir.file("empty.cfg"), "");
    void *first = e2e::launch(dir.path, "\"" + e2e::bindir() + "\\tessark.exe\" slow.cfg");
    ASSERT_NE(first, nullptr);
    while (log(dir).size() < 7 && WaitForSingleObject(first, 10) == WAIT_TIMEOUT)
        ;
    HANDLE h = CreateFileA(dir.file("tessark.log").c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(e2e::runtessark(dir.path, "empty.cfg").finished);
    EXPECT_EQ(WaitForSingleObject(first, 10000), WAIT_OBJECT_0);
    CloseHandle(first);
    std::vector<std::string> lines = log(dir);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "<stamp> *** started"), 1);
    EXPECT_EQ(lines.back(), "<stamp> *** normal shutdown");
}

// What the log says about a configuration after "*** started", and whether the run stops there;
// the configuration tests cover the rules themselves.
TEST(driver, configurationlines) {
    struct {
        const char *text; // nullptr: the file does not exist
        const char *line;
        bool stops = true;
    } cases[] = {
        {nullptr, "...not enough memory or syntax error at line 1 in config file"},
        {"start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0 stop 0,0,0",
         "...size of sections in cfg file is different"},
        {"justclose start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0\nstop 0,0,0 1,0,0",
         "...loaded [2,2] records from config, mode 13", false},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.line);
        e2e::scratch dir;
        if (c.text)
            e2e::writefile(dir.file("t.cfg"), c.text);
        ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
        std::vector<std::string> lines = log(dir);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "<stamp> *** started");
        EXPECT_EQ(lines[1], c.line);
        EXPECT_EQ(lines[2] == "<stamp> *** stop due to errors" && lines.size() == 3, c.stops);
    }
}

// More than 1024 processes: all are counted, and a program listed past the first 1024 is found.
TEST(driver, morethan1024processes) {
    e2e::scratch dir;
    e2e::guard programs(dir);
    std::string nowin = e2e::placefixture(dir.path, "nowin.exe");
    std::vector<void *> many; // as many as it takes to pass 1024, the program to find last
    for (size_t n = processids().size(); n + many.size() < 1030;)
        many.push_back(e2e::launch(dir.path, "\"" + nowin + "\""));
    const e2e::program &last = programs.start("onewin.exe");
    ASSERT_TRUE(last.ready);
    std::vector<unsigned> ids = processids();
    ASSERT_GT(ids.size(), 1025u);
    ASSERT_GE(std::find(ids.begin(), ids.end(), last.pid) - ids.begin(), 1024);
    e2e::writefile(dir.file("t.cfg"),
                   "justclose start \"" + dir.slashed() + "/onewin.exe\", 0 stop 0,0,6");
    ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
    std::vector<std::string> lines = log(dir);
    ASSERT_GE(lines.size(), 5u);
    int n = 0;
    EXPECT_EQ(sscanf(lines[2].c_str(), "...found %d processes", &n), 1);
    EXPECT_LE(std::abs(n - (int)ids.size()), 2) << lines[2];
    EXPECT_EQ(lines[4], "   " + dir.slashed() + "/onewin.exe exist, pid " +
                            std::to_string(last.pid) + " found 1 hwnds");
    for (void *h : many)
        CloseHandle(h);
}

} // namespace
