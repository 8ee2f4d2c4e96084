// tessark.exe (or the form TESSARK_EXE names) as a whole: its command line and standard handles,
// the log's framing, appending, waiting for its holder and refusing a linked one, what the log says
// about a configuration, and a machine with more processes than one list holds.
#include "harness.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const char banner[] = "Tessark, version 1.0beta2\r\n"
                      "keeps the configured programs in the state you want\r\n",
           usageline[] = "please give me config file from command line !\r\n";

std::vector<unsigned> processids() {
    std::vector<DWORD> ids(8192);
    DWORD bytes = 0;
    EnumProcesses(ids.data(), (DWORD)(ids.size() * sizeof(DWORD)), &bytes);
    return std::vector<unsigned>(ids.begin(), ids.begin() + bytes / sizeof(DWORD));
}

// tessark.exe, or its windowless form, quoted for a command line.
std::string exe() {
    return "\"" + e2e::bindir() + "\\" + e2e::tessarkexe() + "\"";
}

std::vector<std::string> log(const e2e::scratch &dir) {
    return e2e::loglines(e2e::readfile(dir.file("tessark.log")));
}

// "...found N processes" with N the real count, within the few that come and go meanwhile.
bool countright(std::string &line, size_t count) {
    int n = -9;
    sscanf(line.c_str(), "...found %d processes", &n);
    line = line.substr(0, 9) + "N processes";
    return std::abs(n - (int)count) <= 2;
}

// Runs append to the log, each framed by the only stamped lines: a run whose configuration
// fails stops after saying why; one that loads counts every process there is. LF alone ends lines.
// A command line without exactly one argument gets the usage and leaves the log alone.
TEST(driver, runsareframedandappend) {
    e2e::scratch dir;
    e2e::writefile(dir.file("sizes.cfg"), "start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0 stop 0,0,0");
    e2e::writefile(dir.file("two.cfg"), "justclose start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0\n"
                                        "stop 0,0,0 1,0,0");
    e2e::writefile(dir.file("tessark.log"), "earlier line\n");
    size_t count = 0;
    for (std::string args : {"", "missing.cfg", "a.cfg b.cfg", "sizes.cfg", "a b c", "two.cfg"}) {
        count = processids().size();
        e2e::result r = e2e::runtessark(dir.path, args);
        EXPECT_TRUE(r.finished && r.exitcode == 0);
        bool usage = args.empty() || args.find(' ') != std::string::npos;
        EXPECT_EQ(r.out, banner + std::string(usage ? usageline : "")) << args;
    }
    std::vector<std::string> lines = log(dir);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_TRUE(countright(lines[9], count)) << lines[9] << ", " << count << " seen";
    EXPECT_EQ(lines, std::vector<std::string>(
                         {"earlier line", "<stamp> *** started",
                          "...not enough memory or syntax error at line 1 in config file",
                          "<stamp> *** stop due to errors", "<stamp> *** started",
                          "...size of sections in cfg file is different",
                          "<stamp> *** stop due to errors", "<stamp> *** started",
                          "...loaded [2,2] records from config, mode 13", "...found N processes",
                          "process dump:", "   c:/a/a.exe not exist", "   c:/b/b.exe not exist",
                          "...closing all existing applications", "<stamp> *** normal shutdown"}));
    EXPECT_EQ(e2e::readfile(dir.file("tessark.log")).find('\r'), std::string::npos);
}

// A run waits for whoever holds the log, up to 10 s, and then logs after it: a reader that
// shares reading only, or a run in its close pause. Held longer, it acts without a log, as it
// does at once when the log is another name of a file (a hard link), which may be another's.
TEST(driver, runwaitsforthelog) {
    struct holdcase {
        char by;         // 'r' a reader, 'x' another run, 'l' nobody: the log is a hard link
        unsigned holdms; // the reader's hold
        bool logs;
    };
    for (holdcase c :
         {holdcase{'r', 2000, true}, {'x', 0, true}, {'r', 12000, false}, {'l', 0, false}}) {
        SCOPED_TRACE(c.by + std::to_string(c.holdms));
        e2e::scratch dir;
        e2e::guard programs(dir);
        e2e::placefixture(dir.path, "onewin.exe");
        e2e::writefile(dir.file("t.cfg"),
                       "start \"" + dir.slashed() + "/onewin.exe\", 0 stop 0,0,0");
        std::string last = "<stamp> *** normal shutdown";
        HANDLE held = INVALID_HANDLE_VALUE, first = nullptr;
        if (c.by == 'r') {
            held = CreateFileA(dir.file("tessark.log").c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            last = "held";
        } else if (c.by == 'l') {
            e2e::writefile(dir.file("theirs.txt"), "theirs\n");
            ASSERT_TRUE(CreateHardLinkA(dir.file("tessark.log").c_str(),
                                        dir.file("theirs.txt").c_str(), nullptr));
            last = "theirs";
        } else {
            ASSERT_TRUE(programs.start("nowin.exe").ready);
            e2e::writefile(dir.file("slow.cfg"), "justclose start \"" + dir.slashed() +
                                                     "/nowin.exe\", 0 stop 0, 2000, 6");
            first = e2e::launch(dir.path, exe() + " slow.cfg");
            while (log(dir).size() < 7 && WaitForSingleObject(first, 10) == WAIT_TIMEOUT)
                ;
        }
        HANDLE run = e2e::launch(dir.path, exe() + " t.cfg");
        ASSERT_NE(run, nullptr);
        if (c.by == 'r') {
            // Done while still held only when it has given up on the log.
            EXPECT_EQ(WaitForSingleObject(run, c.holdms), c.logs ? WAIT_TIMEOUT : WAIT_OBJECT_0);
            DWORD put;
            WriteFile(held, "held\n", 5, &put, nullptr);
            CloseHandle(held);
        }
        EXPECT_EQ(WaitForSingleObject(run, 15000), WAIT_OBJECT_0);
        WaitForSingleObject(first, 10000);
        CloseHandle(first);
        CloseHandle(run);
        // Its lines follow the holder's last, together.
        std::vector<std::string> lines = log(dir);
        size_t n = c.logs ? 8 : 0;
        ASSERT_GT(lines.size(), n);
        EXPECT_EQ(lines[lines.size() - n - 1], last);
        EXPECT_EQ(std::count(lines.end() - n, lines.end(), "<stamp> *** started"), c.logs);
        EXPECT_EQ(programs.others().size(), 1u) << "it did not start its program";
    }
}

// Started with no standard handle, as a scheduled task starts the windowless forms, they print
// nowhere and neither crash nor hang: the usage leaves no log, a run logs, and the report's
// windowless form writes its --output file all the same (2: the last run stopped on errors).
TEST(driver, nostandardhandle) {
    e2e::scratch dir;
    std::string report = "\"" + e2e::bindir() +
                         "\\tessarklogw.exe\" --format prometheus --output r.prom tessark.log";
    struct {
        std::string line;
        DWORD code;
        size_t loglines;
    } cases[] = {{exe(), 0, 0}, {exe() + " missing.cfg", 0, 3}, {report, 2, 3}};
    for (auto &c : cases) {
        HANDLE p = e2e::launch(dir.path, c.line, INVALID_HANDLE_VALUE);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(WaitForSingleObject(p, 10000), WAIT_OBJECT_0);
        DWORD code = 9;
        GetExitCodeProcess(p, &code);
        CloseHandle(p);
        EXPECT_EQ(code, c.code) << c.line;
        EXPECT_EQ(log(dir).size(), c.loglines);
    }
    EXPECT_NE(e2e::readfile(dir.file("r.prom")).find("\ntessark_status 2\n"), std::string::npos);
}

// More than 1024 processes: all are counted, and a program listed past the first 1024 is found.
TEST(driver, morethan1024processes) {
    e2e::scratch dir;
    e2e::guard programs(dir);
    std::string nowin = "\"" + e2e::placefixture(dir.path, "nowin.exe") + "\"";
    auto fill = [&](size_t n) {
        while (n--)
            CloseHandle(e2e::launch(dir.path, nowin, nullptr, false));
    };
    // One at a time: two threads starting processes at once have hung the wine server.
    fill(1030 - std::min<size_t>(processids().size(), 1030));
    const e2e::program &last = programs.start("onewin.exe");
    ASSERT_TRUE(last.ready);
    std::vector<unsigned> ids = processids();
    ASSERT_GE(std::find(ids.begin(), ids.end(), last.pid) - ids.begin(), 1024);
    e2e::writefile(dir.file("t.cfg"), "start \"" + dir.slashed() + "/onewin.exe\", 0 stop 0,0,6");
    ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
    std::vector<std::string> lines = log(dir);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_TRUE(countright(lines[2], ids.size())) << lines[2] << ", " << ids.size() << " seen";
    EXPECT_EQ(lines[4], "   " + dir.slashed() + "/onewin.exe exist, pid " +
                            std::to_string(last.pid) + " found 1 hwnds");
}

} // namespace
