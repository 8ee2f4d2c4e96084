// Logs against the verdicts and counts they give: every rule of the report, and the bad input
// a log written by dying runs and opened in editors holds. The logs are real files.
#include "../e2e/files.h"
#include "logreport/clocktext.h"
#include "logreport/counters.h"
#include "logreport/reading.h"
#include "logreport/verdict.h"

#include <cstdio>

#include <gtest/gtest.h>

using namespace logreport;

namespace {

const long long now = epochseconds(2026, 12, 7, 12, 0, 0);

// A stamped line, ago seconds before now.
std::string at(long long ago, const char *text) {
    long long t = now - ago;
    std::string iso = isotime(t); // YYYY-MM-DDTHH:MM:SSZ
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4) + " " +
           iso.substr(11, 8) + " " + text + "\n";
}

const std::string dumpa = "process dump:\n   c:/t/a.exe exist, pid 208 found 2 hwnds\n";
const std::string losta = "process dump:\n   c:/t/a.exe not exist\n";
const std::string starta = "...starting all not existed\n   starting c:/t/a.exe\n";
const std::string dumpab = dumpa + "   c:/t/b.exe exist, pid 209 found 1 hwnds\n";
const std::string closea = "...closing all\n   trying to close c:/t/a.exe\n";
// Restart mode, where b died since the last run and a runs.
const std::string restartb =
    "process dump:\n   c:/t/a.exe exist, pid 208 found 2 hwnds\n   c:/t/b.exe not exist\n"
    "...not all processes exist, restarting\n   trying to close c:/t/a.exe\n"
    "...starting all\n   starting c:/t/a.exe\n   starting c:/t/b.exe\n";
// Restart mode, where b hangs.
const std::string hungb = dumpab + "   not responding c:/t/b.exe\n...not all processes exist, "
                                   "restarting\n   trying to close c:/t/a.exe\n...starting all\n"
                                   "   starting c:/t/a.exe\n   starting c:/t/b.exe\n";

// A juststart run ago seconds before now, with body between its loaded and end lines.
std::string run(long long ago, const std::string &body = dumpa,
                const char *end = "*** normal shutdown") {
    return at(ago, "*** started") + "...loaded [1,1] records from config, mode 10\n" +
           "...found 42 processes\n" + body + (end ? at(ago, end) : "");
}

std::string repeat(const std::string &text, int n) {
    std::string all;
    while (n-- > 0)
        all += text;
    return all;
}

// The counts as one line: runs normal/errors/cutoff/running, unrecognised lines, failed
// restarts and process lists, then each program shown: running (c: closed by the last run),
// then its counts in the report's order.
std::string counts(const history &h) {
    char line[200];
    std::snprintf(line, sizeof line, "%d/%d/%d/%d u%lld r%d e%d", h.runs[normalrun],
                  h.runs[errorsrun], h.runs[cutoffrun], h.runs[runningrun], h.unrecognisedlines,
                  h.restartfailures, h.enumfailures);
    std::string text = line;
    for (const program *p : h.programs.shown()) {
        text += " [" + p->command + (p->closedbylastrun ? " c" : p->running ? " 1" : " 0");
        for (const counter &c : counters)
            text += " " + std::to_string(p->*c.count);
        text += "]";
    }
    return text;
}

TEST(report, table) {
    const std::string huge(3 << 20, 'x');
    const std::string garbage("\x01\xff\xfe\x80 *** started\x7f\x1b[0m", 18);
    struct {
        const char *name;
        std::vector<std::string> logs;
        status code;
        const char *counts;
        const char *says = ""; // part of the first reason
        long long every = 300;
        int flapping = 3;
        long long window = 86400;
    } cases[] = {
        // clang-format off
        {"healthy", {run(600) + run(300) + run(10)}, okstatus, "3/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"empty log", {""}, criticalstatus, "0/0/0/0 u0 r0 e0", "no run began in the last 24h"},
        {"only before the window", {run(86401)}, criticalstatus, "0/0/0/0 u0 r0 e0", "no run began in the last 24h"},
        {"window edge", {run(86400)}, criticalstatus, "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "the last run began 1d ago, more than three intervals of 5m"},
        {"window edge, no staleness", {run(86400)}, okstatus, "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "", 0},
        {"stale after three intervals", {run(901)}, criticalstatus, "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "began 15m 1s ago"},
        {"three intervals is not yet stale", {run(900)}, okstatus, "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"last run stopped due to errors", {run(600) + at(300, "*** started") + "...not enough memory or syntax error at line 7 in config file\n" + at(300, "*** stop due to errors")}, criticalstatus,
         "1/1/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "stopped due to errors: \"...not enough memory or syntax error at line 7 in config file\""},
        {"an earlier run stopped due to errors", {at(600, "*** started") + "...wrong index in stop section\n" + at(600, "*** stop due to errors") + run(300)}, warningstatus,
         "1/1/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "1 run stopped due to errors"},
        {"cut off by the next start", {run(600, dumpa, nullptr) + run(300)}, warningstatus, "1/0/1/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "1 run was cut off"},
        {"still running", {run(600) + run(599, dumpa, nullptr)}, okstatus, "1/0/0/1 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"no end line for ten minutes", {run(600, dumpa, nullptr)}, warningstatus, "0/0/1/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "1 run was cut off", 0},
        {"flapping", {run(900, losta + starta) + run(600, losta + starta) + run(300, dumpa) + run(10, losta + starta)}, warningstatus,
         "4/0/0/0 u0 r0 e0 [c:/t/a.exe 0 3 3 1 0 0 0 0 0]", "c:/t/a.exe was found not running and started again 3 times, and 1 of its starts did not last"},
        {"below flapping", {run(900, losta + starta) + run(600, losta + starta) + run(300, dumpa) + run(10, losta + starta)}, okstatus,
         "4/0/0/0 u0 r0 e0 [c:/t/a.exe 0 3 3 1 0 0 0 0 0]", "", 300, 4},
        {"starts before the window are not counted", {run(86500, losta + starta) + run(300, losta + starta) + run(10)}, okstatus,
         "2/0/0/0 u0 r0 e0 [c:/t/a.exe 1 1 1 0 0 0 0 0 0]"},
        {"termination", {run(10, dumpa + "...closing all existing applications\n   trying to close c:/t/a.exe\n...failed to close process, trying to terminate\n")}, warningstatus,
         "1/0/0/0 u0 r0 e0 [c:/t/a.exe c 0 0 0 1 1 0 0 0]", "c:/t/a.exe outlived its close and was terminated once"},
        {"one termination per close", {run(10, dumpa + "...closing all\n   trying to close c:/t/a.exe\n...failed to close process, trying to terminate\n...failed to close process, trying to terminate\n")}, warningstatus,
         "1/0/0/0 u1 r0 e0 [c:/t/a.exe c 0 0 0 1 1 0 0 0]", "terminated once"},
        {"refused and unreached", {run(10, dumpab + "...closing all\n   trying to close c:/t/a.exe\n   failed to terminate c:/t/a.exe\n   trying to close c:/t/b.exe\n   failed to reach c:/t/b.exe\n")}, warningstatus,
         "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 1 0 1 0 0] [c:/t/b.exe 1 0 0 0 1 0 0 1 0]", "c:/t/a.exe refused its termination once and still runs: run the task with the program's rights"},
        {"unreached, and its termination refused", {run(10, dumpa + closea + "   failed to reach c:/t/a.exe\n...failed to close process, trying to terminate\n   failed to terminate c:/t/a.exe\n")}, warningstatus,
         "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 1 0 1 1 0]", "refused its termination once"},
        {"unreached, then terminated", {run(10, dumpa + closea + "   failed to reach c:/t/a.exe\n...failed to close process, trying to terminate\n")}, warningstatus,
         "1/0/0/0 u0 r0 e0 [c:/t/a.exe c 0 0 0 1 1 0 1 0]", "terminated once"},
        {"failures that follow no close of theirs", {run(10, dumpa + "   failed to terminate c:/t/a.exe\n" + closea + "   failed to reach c:/t/a.exe\n   failed to reach c:/t/a.exe\n   failed to terminate c:/t/b.exe\n...failed to close process, trying to terminate\n   failed to reach c:/t/a.exe\n")}, warningstatus,
         "1/0/0/0 u4 r0 e0 [c:/t/a.exe c 0 0 0 1 1 0 1 0]", "terminated once"},
        {"closed by the last run", {run(20, dumpa + closea) + run(10, dumpab + "...closing all\n   trying to close c:/t/b.exe\n")}, okstatus,
         "2/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 1 0 0 0 0] [c:/t/b.exe c 0 0 0 1 0 0 0 0]"},
        {"closed, then a run that did not look", {run(20, dumpa + closea) + at(10, "*** started") + "...wrong index in stop section\n" + at(10, "*** stop due to errors")}, criticalstatus,
         "1/1/0/0 u0 r0 e0 [c:/t/a.exe c 0 0 0 1 0 0 0 0]", "\"...wrong index in stop section\""},
        {"restart: only the program that dies flaps", {run(900, restartb) + run(600, restartb) + run(300, restartb)}, warningstatus,
         "3/0/0/0 u0 r0 e0 [c:/t/a.exe 1 3 0 0 3 0 0 0 0] [c:/t/b.exe 0 3 3 2 0 0 0 0 0]", "c:/t/b.exe was found not running and started again 3 times, and 2 of its starts"},
        {"a hang, and the start after it", {run(10, dumpa + "   not responding c:/t/a.exe\n" + starta)}, warningstatus,
         "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 1 1 0 0 0 0 0 1]", "c:/t/a.exe stopped responding and was ended once"},
        {"restart: a program that keeps hanging flaps", {run(900, hungb) + run(600, hungb) + run(300, hungb)}, warningstatus,
         "3/0/0/0 u0 r0 e0 [c:/t/a.exe 1 3 0 0 3 0 0 0 0] [c:/t/b.exe 1 3 3 0 0 0 0 0 3]", "c:/t/b.exe was found not running or not responding and started again 3 times"},
        {"a hung program that refuses its termination", {run(10, dumpa + "   c:/t/b.exe not exist\n   not responding c:/t/a.exe\n   failed to terminate c:/t/a.exe\n   failed to terminate c:/t/a.exe\n" + restartb.substr(restartb.find("...not all")))}, warningstatus,
         "1/0/0/0 u1 r0 e0 [c:/t/a.exe 1 1 0 0 1 0 1 0 1] [c:/t/b.exe 0 1 1 0 0 0 0 0 0]", "c:/t/a.exe stopped responding once"},
        // A hang's end is known to have worked, whatever else the restart failed to close.
        {"a hung program ended in a restart that fails", {run(10, dumpab + "   not responding c:/t/b.exe\n...not all processes exist, restarting\n   trying to close c:/t/a.exe\n...failed shutdown processes, failed to restart\n")}, warningstatus,
         "1/0/0/0 u0 r1 e0 [c:/t/a.exe 1 0 0 0 1 0 0 0 0] [c:/t/b.exe c 0 0 0 0 0 0 0 1]", "c:/t/b.exe stopped responding and was ended once"},
        {"a termination needs its close line", {run(10, dumpa + "...failed to close process, trying to terminate\n")}, okstatus, "1/0/0/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"failed restart", {run(10, dumpa + "...not all processes exist, restarting\n   trying to close c:/t/a.exe\n...failed shutdown processes, failed to restart\n")}, warningstatus,
         "1/0/0/0 u0 r1 e0 [c:/t/a.exe 1 0 0 0 1 0 0 0 0]", "1 restart failed"},
        {"process list not read again", {run(10, dumpa + "...not all processes exist, restarting\n...failed to enumerate processes\n")}, warningstatus,
         "1/0/0/0 u0 r0 e1 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "1 time the list of processes could not be read"},
        {"process list not read at all", {run(300) + at(10, "*** started") + "...loaded [1,1] records from config, mode 10\n...failed to enumerate all processes\n" + at(10, "*** stop due to errors")}, criticalstatus,
         "1/1/0/0 u0 r0 e1 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "\"...failed to enumerate all processes\""},
        {"two logs, oldest first, one history", {run(600) + run(300, dumpa, nullptr), at(300, "*** normal shutdown") + run(10, losta + starta)}, okstatus,
         "3/0/0/0 u0 r0 e0 [c:/t/a.exe 0 1 1 0 0 0 0 0 0]"},
        {"a torn last line, in each log", {run(300, dumpa, nullptr) + "   starting c:/t/b.e", at(300, "*** normal shutdown") + run(10) + "10.12.2026 1"}, okstatus, "2/0/0/0 u2 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        // A run that dies mid-line leaves no line feed: the next run's start follows the torn text.
        {"a start after torn text", {run(300, dumpa, nullptr) + "   starting c:/t/b.e" + run(10)}, warningstatus, "1/0/1/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "1 run was cut off"},
        {"a start after a power loss's NULs", {run(300, dumpa, nullptr) + std::string(5000, '\0') + run(10)}, warningstatus, "1/0/1/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "1 run was cut off"},
        {"CRLF", {"07.12.2026 11:59:00 *** started\r\nprocess dump:\r\n   c:/t/a.exe exist, pid 1 failed to get hwnd\r\n07.12.2026 11:59:01 *** normal shutdown\r\n"}, okstatus,
         "1/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"a NUL in a dump's command ends the dump", {run(10, std::string("process dump:\n   c:/t/\0b.exe not exist\n", 39) + "   c:/t/a.exe exist, pid 208 found 2 hwnds\n")}, okstatus, "1/0/0/0 u2 r0 e0"},
        {"NUL, garbage and a valid run after them", {std::string("\0\0\0\n", 4) + garbage + "\n" + std::string("07.12.2026 11:58:00 *** st\0rted\n", 32) + run(10, dumpa + std::string("   starting c:/t/\0b.exe\n", 24))}, okstatus,
         "1/0/0/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"a line of megabytes, skipped whole", {run(300, dumpa + "   starting " + huge + "\n") + run(10)}, okstatus, "2/0/0/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"a line of megabytes at the end", {run(10) + huge}, okstatus, "1/0/0/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"invalid stamps start no run", {run(20) + "31.04.2026 11:00:00 *** started\n29.02.2026 11:00:00 *** started\n07.12.2026 24:00:00 *** started\n07.13.2026 11:00:00 *** started\n7.12.2026 11:00:00 *** started\n07.12.2026 11:00:000 *** started\n07.12.02026 11:00:00 *** started\n" + run(10)}, okstatus,
         "2/0/0/0 u7 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"leap days", {"29.02.2000 11:00:00 *** started\n29.02.2024 11:00:00 *** started\n29.02.2100 11:00:00 *** started\n29.02.2028 11:00:00 *** started\n"}, warningstatus,
         "0/0/2/1 u1 r0 e0", "2 runs were cut off", 0, 3, 40 * 365 * 86400LL},
        {"numbers that do not fit", {run(10, "process dump:\n   c:/t/a.exe exist, pid 4294967296 found 1 hwnds\n   c:/t/b.exe exist, pid 4294967295 found 99999999999 hwnds\n") + "...found 4294967296 processes\n"}, okstatus,
         "1/0/0/0 u3 r0 e0"},
        {"commands that look like dump lines", {run(10, "process dump:\n   c:/my exist, pid 1 found 1 hwnds x.exe not exist\n   c:/b.exe  not exist exist, pid 7 failed to get hwnd\n   starting c:/c.exe not exist\n...starting all not existed\n   starting c:/c.exe not exist\n")}, okstatus,
         "1/0/0/0 u0 r0 e0 [c:/my exist, pid 1 found 1 hwnds x.exe 0 0 0 0 0 0 0 0 0] [c:/b.exe  not exist 1 0 0 0 0 0 0 0 0] [starting c:/c.exe 0 0 0 0 0 0 0 0 0] [c:/c.exe not exist 0 1 0 0 0 0 0 0 0]"},
        {"a command holding a line end", {run(10, "process dump:\n   c:/a\nb.exe not exist\n   c:/t/a.exe exist, pid 208 found 2 hwnds\n...starting all not existed\n   starting c:/a\nb.exe\n")}, okstatus,
         "1/0/0/0 u3 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0] [c:/a 0 1 0 0 0 0 0 0 0]"},
        {"lines outside a run", {"   starting c:/t/a.exe\n" + at(20, "*** normal shutdown") + run(10) + "...found 1 processes\n"}, okstatus, "1/0/0/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"an unknown stamped line", {run(10) + at(5, "*** restarted")}, okstatus, "1/0/0/0 u1 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        {"every line of a restart", {run(10, losta + "...not all processes exist, restarting\n...starting all\n   starting c:/t/a.exe\n") + run(5, dumpa + "...no need to restart, all runs fine\n")}, okstatus,
         "2/0/0/0 u0 r0 e0 [c:/t/a.exe 1 1 1 0 0 0 0 0 0]"},
        {"every line of invert", {run(20, dumpa + "...closing all\n   trying to close c:/t/a.exe\n") + run(15, losta + "...starting them all\n   starting c:/t/a.exe\n") + run(10, dumpa + "...failed to invert, not all processes exist, shutdown them\n")}, okstatus,
         "3/0/0/0 u0 r0 e0 [c:/t/a.exe 1 1 1 0 1 0 0 0 0]"},
        {"sections of different sizes", {run(20) + at(10, "*** started") + "...size of sections in cfg file is different\n" + at(10, "*** stop due to errors")}, criticalstatus,
         "1/1/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]", "\"...size of sections in cfg file is different\""},
        {"before the window only stamps are read", {run(86500, losta + starta) + "garbage\n" + run(300, dumpa) + run(200, losta + "garbage\n")}, okstatus,
         "2/0/0/0 u1 r0 e0 [c:/t/a.exe 0 0 0 0 0 0 0 0 0]"},
        {"many runs", {repeat(run(300), 500)}, okstatus, "500/0/0/0 u0 r0 e0 [c:/t/a.exe 1 0 0 0 0 0 0 0 0]"},
        // clang-format on
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        std::vector<std::string> paths;
        for (const std::string &log : c.logs) {
            paths.push_back(dir.file("tessark.log." + std::to_string(paths.size())));
            e2e::writefile(paths.back(), log);
        }
        settings s;
        s.now = now;
        s.every = c.every;
        s.flapping = c.flapping;
        s.window = c.window;
        history h(s);
        ASSERT_EQ(readlogs(paths, h), "");
        verdict v = judge(h, "24h");
        EXPECT_EQ(v.code, c.code);
        EXPECT_EQ(counts(h), c.counts);
        if (*c.says) {
            ASSERT_FALSE(v.reasons.empty());
            EXPECT_NE(v.reasons[0].find(c.says), std::string::npos) << v.reasons[0];
        } else {
            EXPECT_TRUE(v.reasons.empty()) << v.reasons[0];
        }
    }
}

// What cannot be read makes the report UNKNOWN, with the log and the reason.
TEST(report, unreadable) {
    e2e::scratch dir;
    e2e::writefile(dir.file("tessark.log"), run(10));
    const struct {
        std::string path;
        const char *says;
    } cases[] = {
        {dir.file("missing.log"), "missing.log: it does not exist"},
        {dir.path, ": it is a directory"},
    };
    for (const auto &c : cases) {
        history h(settings{});
        std::string why = readlogs({dir.file("tessark.log"), c.path}, h);
        EXPECT_NE(why.find(c.says), std::string::npos) << why;
        verdict v = unreadable(why);
        EXPECT_EQ(v.code, unknownstatus);
        EXPECT_EQ(v.reasons[0], "cannot read " + why);
    }
}

} // namespace
