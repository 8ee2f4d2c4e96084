// The four forms of one report, the command line, and --output's one file.
#include "../e2e/files.h"
#include "io/file.h"
#include "logreport/clocktext.h"
#include "logreport/formats.h"
#include "logreport/options.h"
#include "logreport/output.h"

#include <gtest/gtest.h>

using namespace logreport;

namespace {

// One run an hour ago, whose dump names a command with the characters each form must escape
// and a high byte (e with acute accent in Windows-1252), and which terminated it, so that it
// is shown closed.
struct sample {
    settings s;
    history h{s};
    verdict v;
    sample() {
        h.s.now = epochseconds(2026, 12, 7, 12, 0, 0);
        const char *lines[] = {
            "07.12.2026 11:00:00 *** started",
            "process dump:",
            "   c:/t/a\"b\\c|d \xe9t\x01.exe exist, pid 1 found 1 hwnds",
            "   trying to close c:/t/a\"b\\c|d \xe9t\x01.exe",
            "...failed to close process, trying to terminate",
            "07.12.2026 11:00:01 *** normal shutdown",
        };
        for (const char *l : lines)
            h.line(l, true);
        h.finish();
        v = judge(h, "24h");
    }
};

TEST(formats, shapes) {
    sample a;
    report r{a.h, a.v, "24h"};
    ASSERT_EQ(a.v.code, criticalstatus); // an hour without a run, and a termination
    ASSERT_EQ(a.v.reasons.size(), 2u);
    const struct {
        std::string text;
        std::vector<std::string> holds;
    } cases[] = {
        {textreport(r),
         {"TESSARK CRITICAL\n  the last run began 1h ago", "\nruns: 1 (1 normal, 0 stopped",
          "last run: 2026-12-07T11:00:00Z, normal\n",
          // hangs only once a program has hung
          "  running  starts  recoveries  lost  closes  terminations  refused  unreached  "
          "last seen running\n",
          "c:/t/a\"b\\c|d \xe9t\x01.exe  closed        0           0     0       1             1  "
          "      0          0  2026-12-07T11:00:00Z\n"}},
        {jsonreport(r),
         {"{\"status\":\"CRITICAL\",\"code\":2,\"since\":\"2026-12-06T12:00:00Z\",",
          "\"runs\":{\"normal\":1,\"errors\":0,\"cutoff\":0,",
          "\"lastrun\":{\"started\":\"2026-12-07T11:00:00Z\",\"result\":\"normal\"}",
          "\"programs\":[{\"command\":\"c:/t/a\\\"b\\\\c|d "
          "\xc3\xa9t\\u0001.exe\",\"running\":false,"
          "\"closedbylastrun\":true,\"starts\":0,\"recoveries\":0,\"lost\":0,\"closes\":1,"
          "\"terminations\":1,\"refused\":0,\"unreached\":0,",
          "],\"reasons\":[\"the last run began 1h ago"}},
        {nagiosreport(r),
         {"TESSARK CRITICAL - the last run began 1h ago, more than three intervals of 5m: the "
          "scheduled task no longer runs (and 1 more) | runs=1 errors=0 cutoff=0 starts=0 lost=0 "
          "terminations=1 refused=0 unreached=0 restartfailures=0 ",
          "\nc:/t/a\"b\\c/d \xe9t\x01.exe outlived its close and was terminated once\n"}},
        {prometheusreport(r),
         {"# HELP tessark_status ", "# TYPE tessark_status gauge\ntessark_status 2\n",
          "tessark_runs{result=\"cutoff\"} 0\n", "tessark_last_run_timestamp_seconds 1796641200\n",
          "tessark_window_seconds 86400\n",
          "# TYPE tessark_program_running gauge\ntessark_program_running{command=\"c:/t/"
          "a\\\"b\\\\c|d \xc3\xa9t\x01.exe\"} 0\n",
          "tessark_program_terminations{command=\"c:/t/a\\\"b\\\\c|d \xc3\xa9t\x01.exe\"} 1\n"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        for (const std::string &part : c.holds)
            EXPECT_NE(c.text.find(part), std::string::npos) << part;
        EXPECT_EQ(c.text.back(), '\n');
        EXPECT_EQ(c.text.find('\r'), std::string::npos);
    }
    // Every metric carries its HELP and TYPE before its first sample.
    std::string prom = prometheusreport(r);
    for (size_t at = 0; at < prom.size(); at = prom.find('\n', at) + 1) {
        if (prom[at] == '#')
            continue;
        std::string name = prom.substr(at, prom.find_first_of("{ ", at) - at);
        size_t type = prom.find("# TYPE " + name + " gauge\n");
        EXPECT_LT(type, at) << name;
        EXPECT_LT(prom.find("# HELP " + name + " "), type) << name;
    }
    // A label value holding a line feed stays on its line.
    history h(settings{});
    h.line("07.12.2026 11:00:00 *** started", true);
    h.line("   starting a\\nb", true);
    h.finish();
    verdict v;
    EXPECT_NE(prometheusreport({h, v, "24h"}).find("{command=\"a\\\\nb\"} 1\n"), std::string::npos);
    // The hangs column once a program has hung.
    history hung(settings{});
    for (const char *l : {"07.12.2026 11:00:00 *** started", "process dump:",
                          "   a exist, pid 5 found 1 hwnds", "   not responding a"})
        hung.line(l, true);
    hung.finish();
    EXPECT_NE(textreport({hung, v, "24h"}).find("  unreached  hangs  last seen running\n"),
              std::string::npos);
}

TEST(formats, commandline) {
    const struct {
        std::vector<const char *> args;
        bool right;
        long long since = 0, every = 0;
        int flapping = 0;
    } cases[] = {
        // clang-format off
        {{"tessark.log"}, true, 86400, 300, 3},
        {{"--since", "90m", "--every", "0", "a", "b"}, true, 5400, 0, 3},
        {{"--since", "7d", "--every", "1h", "--flapping", "5", "a"}, true, 604800, 3600, 5},
        {{"--since", "30s", "--every", "0m", "--format", "prometheus", "--output", "x.prom", "a"}, true, 30, 0, 3},
        {{"--since", "36525d", "a"}, true, 3155760000, 300, 3},
        {{}, false},
        {{"--since", "24h"}, false},
        {{"--since", "24", "a"}, false},
        {{"--since", "h", "a"}, false},
        {{"--since", "1.5h", "a"}, false},
        {{"--since", "-5m", "a"}, false},
        {{"--since", "5w", "a"}, false},
        {{"--since", "0h", "a"}, false},
        {{"--since", "36526d", "a"}, false},
        {{"--since", "99999999999d", "a"}, false},
        {{"--every", "5", "a"}, false},
        {{"--flapping", "0", "a"}, false},
        {{"--flapping", "x", "a"}, false},
        {{"--flapping", "9999999", "a"}, false},
        {{"--format", "xml", "a"}, false},
        {{"--output", "", "a"}, false},
        {{"--quiet", "a"}, false},
        {{"a", "--since"}, false},
        // clang-format on
    };
    for (const auto &c : cases) {
        std::vector<char *> argv = {(char *)"tessarklog.exe"};
        for (const char *a : c.args)
            argv.push_back((char *)a);
        options o;
        bool right = parseoptions((int)argv.size(), argv.data(), 1, o);
        EXPECT_EQ(right, c.right) << (c.args.size() > 1 ? c.args[1] : "");
        if (right && c.right) {
            EXPECT_EQ(o.since, c.since);
            EXPECT_EQ(o.every, c.every);
            EXPECT_EQ(o.flapping, c.flapping);
        }
    }
}

// --output leaves the report and nothing else, replaces an older one whole, and a failed write
// leaves nothing behind.
TEST(formats, output) {
    e2e::scratch dir;
    std::string target = dir.file("tessark.prom");
    ASSERT_EQ(writeatomically(target, "old\n"), "");
    ASSERT_EQ(writeatomically(target, "new\n"), "");
    EXPECT_EQ(e2e::readfile(target), "new\n");
    EXPECT_EQ(e2e::listing(dir.path), std::set<std::string>{target});
    EXPECT_NE(writeatomically(dir.file("no such dir/tessark.prom"), "x\n"), "");
    std::string folder = dir.file("folder.prom");
    std::filesystem::create_directory(folder);
    EXPECT_NE(writeatomically(folder, "x\n"), ""); // a directory is not replaced
    EXPECT_EQ(e2e::listing(dir.path), (std::set<std::string>{target, folder}));
    // A collector reading the old report, sharing it for reading only: replaced where a held
    // file can be (POSIX; NTFS since Windows 10 1809, not Wine), else the old one stays whole.
    io::file collector;
    collector.open(target.c_str(), 0);
    std::string why = writeatomically(target, "held\n");
    collector.close();
    EXPECT_EQ(e2e::readfile(target), why.empty() ? "held\n" : "new\n") << why;
    EXPECT_EQ(e2e::listing(dir.path), (std::set<std::string>{target, folder}));
}

} // namespace
