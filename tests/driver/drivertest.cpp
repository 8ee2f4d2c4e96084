#include "fixtures.h"
#include "harness.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const char banner[] = "Tessark, version 1.0beta2\n"
                      "keeps the configured programs in the state you want\n";

std::string unixlines(std::string s) {
    std::string r;
    for (char c : s)
        if (c != '\r')
            r += c;
    return r;
}

int count(const std::vector<std::string> &lines, const std::string &line) {
    int n = 0;
    for (const std::string &l : lines)
        n += l == line;
    return n;
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

TEST(driver, normalrunisframed) {
    e2e::scratch dir;
    e2e::writefile(dir.file("empty.cfg"), "; nothing to look after\n");
    e2e::result r = e2e::runtessark(dir.path, "empty.cfg");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitcode, 0u);
    EXPECT_EQ(unixlines(r.out), banner);

    std::string text = e2e::readfile(dir.file("tessark.log"));
    EXPECT_EQ(text.find('\r'), std::string::npos) << "log lines end in LF alone";
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::vector<std::string> lines = e2e::loglines(text);
    ASSERT_GE(lines.size(), 5u) << text;
    EXPECT_EQ(lines[0], "<stamp> *** started");
    EXPECT_EQ(lines[1], "...loaded [0,0] records from config, mode 10");
    int processes = 0;
    ASSERT_EQ(sscanf(lines[2].c_str(), "...found %d processes", &processes), 1) << lines[2];
    EXPECT_GT(processes, 0);
    EXPECT_EQ(lines[3], "process dump:") << "the run mode reports on the configured programs";
    EXPECT_EQ(lines.back(), "<stamp> *** normal shutdown");
    int stamps = 0;
    for (const std::string &l : lines)
        stamps += l.rfind("<stamp> ", 0) == 0;
    EXPECT_EQ(stamps, 2) << "only the framing lines carry a stamp";
}

TEST(driver, runsappendtothelog) {
    e2e::scratch dir;
    e2e::writefile(dir.file("empty.cfg"), "");
    e2e::writefile(dir.file("tessark.log"), "earlier line\n");
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(e2e::runtessark(dir.path, "empty.cfg").finished);
    std::vector<std::string> lines = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "earlier line");
    EXPECT_EQ(count(lines, "<stamp> *** started"), 2);
    EXPECT_EQ(count(lines, "<stamp> *** normal shutdown"), 2);
    // The second run begins after the first has ended.
    size_t second = 0;
    for (size_t i = 1; i < lines.size(); ++i)
        if (lines[i] == "<stamp> *** started")
            second = i;
    EXPECT_EQ(lines[second - 1], "<stamp> *** normal shutdown");
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

// What the log says about a configuration, from the first line after "*** started".
struct configcase {
    const char *name;
    const char *text; // nullptr: the file does not exist
    std::vector<std::string> lines;
};

const std::string stoperrors = "<stamp> *** stop due to errors";

std::vector<configcase> configcases() {
    return {
        {"missing file",
         nullptr,
         {"...not enough memory or syntax error at line 1 in config file", stoperrors}},
        {"syntax error at its line",
         "start\n\"c:/a/a.exe\", 0\n\n-\n",
         {"...not enough memory or syntax error at line 4 in config file", stoperrors}},
        {"upper-case keyword",
         "START\n",
         {"...not enough memory or syntax error at line 1 in config file", stoperrors}},
        {"line ends inside a string do not count",
         "start \"c:/a\n\n/a.exe\", #\n",
         {"...not enough memory or syntax error at line 1 in config file", stoperrors}},
        {"sections of different sizes",
         "start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0 stop 0,0,0",
         {"...size of sections in cfg file is different", stoperrors}},
        {"index past the start section",
         "start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0\n"
         "stop 0,0,0 2,0,0",
         {"...wrong index in stop section", stoperrors}},
        {"index too large for 32 bits",
         "start \"c:/a/a.exe\", 0 stop 4294967296, 0, 0",
         {"...wrong index in stop section", stoperrors}},
        {"entry cut short by the end",
         "justclose start \"c:/a/a.exe\", 0 \"c:/b/b.exe\", 0\n"
         "stop 0,0,0 1,0,0 start \"c:/c/c.exe\",",
         {"...loaded [2,2] records from config, mode 13"}},
        {"mode only", "invert restart justclose", {"...loaded [0,0] records from config, mode 13"}},
    };
}

TEST(driver, configurationlines) {
    for (configcase c : configcases()) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        if (c.text)
            e2e::writefile(dir.file("t.cfg"), c.text);
        ASSERT_TRUE(e2e::runtessark(dir.path, "t.cfg").finished);
        std::vector<std::string> lines = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
        ASSERT_GE(lines.size(), 1 + c.lines.size());
        EXPECT_EQ(lines[0], "<stamp> *** started");
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 1 + c.lines.size()),
                  c.lines);
        if (c.lines.back() == stoperrors) {
            EXPECT_EQ(lines.size(), 1 + c.lines.size()) << "nothing after the stop";
        }
    }
}

} // namespace
