#include "fixtures.h"
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>

namespace {

const char banner[] = "Tessark, version 1.0beta2\n"
                      "keeps the configured programs in the state you want\n";

std::string unixlines(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

TEST(driver, wrongargumentcountgivesusage) {
    for (const char *args : {"", "a.cfg b.cfg", "a b c"}) {
        SCOPED_TRACE(args);
        e2e::scratch dir;
        e2e::result r = e2e::runtessark(dir.path, args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitcode, 0u);
        EXPECT_EQ(unixlines(r.out),
                  std::string(banner) + "please give me config file from command line !\n");
        EXPECT_FALSE(e2e::exists(dir.file("tessark.log")));
    }
}

// Each run appends to what the log held, framed by the only stamped lines: started, loaded,
// found processes, the dump, whatever the run mode says, shutdown.
TEST(driver, runsareframedandappend) {
    e2e::scratch dir;
    e2e::writefile(dir.file("empty.cfg"), "; nothing to look after\n");
    e2e::writefile(dir.file("tessark.log"), "earlier line\n");
    for (int i = 0; i < 2; ++i) {
        e2e::result r = e2e::runtessark(dir.path, "empty.cfg");
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitcode, 0u);
        EXPECT_EQ(unixlines(r.out), banner);
    }
    std::string text = e2e::readfile(dir.file("tessark.log")), shape;
    EXPECT_EQ(text.find('\r'), std::string::npos) << "log lines end in LF alone";
    EXPECT_EQ(text.empty() ? 0 : text.back(), '\n');
    for (const std::string &l : e2e::loglines(text)) {
        int n = 0;
        shape += l == "earlier line"                                            ? 'E'
                 : l == "<stamp> *** started"                                   ? 'S'
                 : l == "...loaded [0,0] records from config, mode 10"          ? 'L'
                 : sscanf(l.c_str(), "...found %d processes", &n) == 1 && n > 0 ? 'F'
                 : l == "process dump:"                                         ? 'D'
                 : l == "<stamp> *** normal shutdown"                           ? 'X'
                 : l.rfind("<stamp> ", 0) == 0                                  ? '!'
                                                                                : '.';
    }
    EXPECT_TRUE(std::regex_match(shape, std::regex(R"(E(SLFD\.*X){2})"))) << shape << "\n" << text;
}

TEST(driver, logthatcannotbeopenedleavestherunsilent) {
    e2e::scratch dir;
    e2e::guard programs(dir);
    // The run must still start its program, only without a word in any log.
    std::string exe = e2e::placefixture(dir.path, "onewin.exe");
    e2e::writefile(dir.file("start.cfg"),
                   "start \"" + dir.slashed() + "/onewin.exe\", 0 stop 0, 0, 3\n");
    ASSERT_TRUE(CreateDirectoryA(dir.file("tessark.log").c_str(), nullptr));
    e2e::result r = e2e::runtessark(dir.path, "start.cfg");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitcode, 0u);
    EXPECT_EQ(unixlines(r.out), banner);
    DWORD attributes = GetFileAttributesA(dir.file("tessark.log").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    bool started = false;
    for (int i = 0; i < 100 && !started; ++i, Sleep(100))
        started = e2e::readfile(e2e::eventsfile(exe)).find(" ready") != std::string::npos;
    EXPECT_TRUE(started) << "the configured program was not started";
}

// What the log says about a configuration after "*** started", and whether the run stops there;
// the lexer, loader and check tests cover the rules themselves.
TEST(driver, configurationlines) {
    struct {
        const char *text; // nullptr: the file does not exist
        const char *line;
        bool stops = true;
    } cases[] = {
        // clang-format off
        {nullptr, "...not enough memory or syntax error at line 1 in config file"},
        {"start\n\"c:/a/a.exe\", 0\n\n-\n", "...not enough memory or syntax error at line 4 in config file"},
        {"start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0 stop 0,0,0", "...size of sections in cfg file is different"},
        {"start \"c:/a/a.exe\", 0 stop 1,0,0", "...wrong index in stop section"},
        {"justclose start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0\nstop 0,0,0 1,0,0", "...loaded [2,2] records from config, mode 13", false},
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.text ? c.text : "missing file");
        e2e::scratch dir;
        if (c.text)
            e2e::writefile(dir.file("t.cfg"), c.text);
        ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
        std::vector<std::string> lines = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "<stamp> *** started");
        EXPECT_EQ(lines[1], c.line);
        EXPECT_EQ(lines[2] == "<stamp> *** stop due to errors" && lines.size() == 3, c.stops);
    }
}

} // namespace
