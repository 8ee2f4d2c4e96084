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
    e2e::writefile(dir.file("empty.cfg"), "");
    ASSERT_TRUE(CreateDirectoryA(dir.file("tessark.log").c_str(), nullptr));
    e2e::result r = e2e::runtessark(dir.path, "empty.cfg");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitcode, 0u);
    EXPECT_EQ(unixlines(r.out), banner);
    DWORD attributes = GetFileAttributesA(dir.file("tessark.log").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

} // namespace
