#include "rotate/rotate.h"
#include "../e2e/files.h"
#include "io/file.h"
#include "logreport/formats.h"
#include "logreport/reading.h"
#include "rotate/logfiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace logreport;
using namespace rotate;

namespace {

// Files by their name's end after "tessark.log" ("" the log itself, ".1" ...); "/" is a
// directory, "@.x" another name (a hard link) of the file at ".x".
using files = std::map<std::string, std::string>;

std::string setup(const e2e::scratch &dir, const files &with) {
    std::string log = dir.file("tessark.log");
    for (auto &[end, content] : with) {
        if (content == "/")
            std::filesystem::create_directory(log + end);
        else if (content.rfind('@', 0) != 0)
            e2e::writefile(log + end, content);
    }
    for (auto &[end, content] : with) {
        if (content.rfind('@', 0) == 0)
            std::filesystem::create_hard_link(log + content.substr(1), log + end);
    }
    return log;
}

files found(const e2e::scratch &dir) {
    files got;
    std::string log = dir.file("tessark.log");
    for (auto &path : e2e::listing(dir.path)) {
        std::string end = path.substr(log.size());
        got[end] = std::filesystem::is_directory(path) ? "/" : e2e::readfile(path);
    }
    return got;
}

TEST(rotate, sizes) {
    struct {
        const char *text;
        bool valid;
        unsigned long long size;
    } cases[] = {
        // clang-format off
        {"0", true, 0}, {"1", true, 1}, {"1KB", true, 1024}, {"10MB", true, 10485760},
        {"3GB", true, 3221225472ULL}, {"18446744073709551615", true, ~0ULL},
        {"17179869183GB", true, ~0ULL - 1073741823},
        {"18446744073709551616", false, 0}, {"17179869184GB", false, 0}, // beyond 64 bits
        {"", false, 0}, {"KB", false, 0}, {"10kb", false, 0}, {"10 MB", false, 0},
        {"10TB", false, 0}, {"10B", false, 0}, {"10MBs", false, 0}, {"-1", false, 0},
        {"1.5MB", false, 0},
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.text);
        unsigned long long size = 12345;
        EXPECT_EQ(parsesize(c.text, size), c.valid);
        EXPECT_EQ(size, c.valid ? c.size : 12345);
    }
}

// The plan from what stands at each name: '-' nothing, 'f' a file, 'r' a read-only file,
// 'd' something else, by the name's end.
TEST(rotate, plan) {
    struct {
        int keep;
        std::map<std::string, char> there;
        const char *plan; // "from>to" steps, "from>" a removal; or the name in the way
    } cases[] = {
        {3, {{".1", 'f'}, {".2", 'f'}, {".3", 'f'}}, ".3>.dropped .2>.3 .1>.2 >.1 .dropped>"},
        {3, {{".1", 'f'}, {".3", 'r'}}, ".1>.2 >.1"}, // the oldest stays when nothing moves on it
        {1, {{".1", 'f'}}, ".1>.dropped >.1 .dropped>"},
        {1, {{".2", 'f'}}, ">.1"},
        {3, {{".2", 'f'}, {".3", 'r'}}, "!.3"},
        {3, {{".3", 'd'}}, "!.3"},
        {3, {{".2", 'f'}, {".3", 'f'}, {".dropped", 'f'}}, "!.dropped"},
        {3, {{".dropped", 'f'}}, ">.1"}, // in the way only of a drop
    };
    for (auto &c : cases) {
        std::string want = c.plan;
        SCOPED_TRACE(std::to_string(c.keep) + " " + want);
        auto kindat = [&](const std::string &name) {
            auto i = c.there.find(name.substr(3));
            char k = i == c.there.end() ? '-' : i->second;
            return k == '-' ? nothing : k == 'f' ? plainfile : k == 'r' ? lockedfile : othername;
        };
        std::string why, got;
        for (auto &r : rotationplan("log", c.keep, kindat, why))
            got += (got.empty() ? "" : " ") + r.from.substr(3) + ">" +
                   r.to.substr(r.to.empty() ? 0 : 3);
        if (want[0] == '!') {
            EXPECT_EQ(got, "");
            EXPECT_EQ(why.substr(0, 3 + want.size() - 1), "log" + want.substr(1));
        } else {
            EXPECT_EQ(got, want);
        }
    }
}

// Real files: the result, and every file's name and content afterwards; and what it says.
TEST(rotate, files) {
    struct {
        const char *name;
        files before;
        unsigned long long size;
        int keep;
        rotateresult result;
        files after;
        const char *says = "";
    } cases[] = {
        // clang-format off
        {"below", {{"", "abc"}}, 4, 5, belowsize, {{"", "abc"}}},
        {"at", {{"", "abcd"}}, 4, 5, rotated, {{".1", "abcd"}}},
        {"empty", {{"", ""}}, 0, 5, belowsize, {{"", ""}}},
        {"missing", {{".1", "one"}}, 0, 5, nolog, {{".1", "one"}}},
        {"shift", {{"", "L"}, {".1", "one"}, {".2", "two"}, {".3", "three"}}, 1, 3, rotated,
                  {{".1", "L"}, {".2", "one"}, {".3", "two"}}},
        {"gap", {{"", "L"}, {".2", "two"}, {".4", "four"}}, 1, 3, rotated,
                {{".1", "L"}, {".3", "two"}, {".4", "four"}}},
        {"one", {{"", "L"}, {".1", "one"}}, 1, 1, rotated, {{".1", "L"}}},
        {"directory", {{"", "L"}, {".1", "one"}, {".2", "/"}}, 1, 3, notrotated,
                      {{"", "L"}, {".1", "one"}, {".2", "/"}}},
        {"log is a directory", {{"", "/"}}, 0, 5, notrotated, {{"", "/"}}},
        // A link may be another's file: left alone, and every other file with it.
        {"log is a link", {{"", "@.x"}, {".x", "theirs"}}, 0, 5, notrotated,
                          {{"", "theirs"}, {".x", "theirs"}}, ": not rotated: it is a link"},
        {"a link", {{"", "L"}, {".1", "one"}, {".2", "@.x"}, {".x", "theirs"}}, 1, 3, notrotated,
                   {{"", "L"}, {".1", "one"}, {".2", "theirs"}, {".x", "theirs"}},
                   ".2 is in the way: it is a link"},
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        std::string said, log = setup(dir, c.before);
        EXPECT_EQ(rotatelog(log, c.size, c.keep, said), c.result) << said;
        EXPECT_EQ(found(dir), c.after);
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
    }
}

// tessarklog.exe with args after its name.
int rotatewith(std::vector<std::string> args) {
    args.insert(args.begin(), "tessarklog.exe");
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    return rotatecommand((int)argv.size(), argv.data());
}

// A log held the way a run holds it, and a rename that fails halfway because a reader holds
// that file: nothing renamed, or everything renamed back. Held at twice SIZE or more, it is
// more than a run that holds it.
TEST(rotate, heldfiles) {
    if (!detectsheld)
        GTEST_SKIP() << "no share modes on this platform";
    struct {
        const char *held;
        int mode;
        const char *size;
        int code;
    } cases[] = {
        {"", 1, "3", 0},   // as tessark.exe appends, below twice SIZE
        {"", 1, "2", 1},   // at twice SIZE
        {".1", 0, "1", 3}, // as a reader of an older log
    };
    files before = {{"", "LLLL"}, {".1", "one"}, {".2", "two"}, {".3", "three"}};
    for (auto &c : cases) {
        SCOPED_TRACE(std::string(c.held) + " " + c.size);
        e2e::scratch dir;
        std::string log = setup(dir, before);
        io::file holder;
        holder.open((log + c.held).c_str(), c.mode);
        EXPECT_EQ(rotatewith({"--rotate", c.size, "--keep", "3", log}), c.code);
        holder.close();
        EXPECT_EQ(found(dir), before);
    }
}

// The command line: a wrong one changes nothing; --keep defaults to 5.
TEST(rotate, command) {
    struct {
        std::vector<std::string> args;
        int code;
        bool rotates;
    } cases[] = {
        {{"--rotate", "2", "L"}, 0, true},
        {{"--rotate", "2", "--keep", "5", "L"}, 0, true},
        {{"--rotate", "2", "--keep", "0", "L"}, 3, false},
        {{"--rotate", "2", "--keep", "2KB", "L"}, 3, false},
        {{"--rotate", "2", "--keep", "L"}, 3, false},
        {{"--rotate", "2MiB", "L"}, 3, false},
        {{"--rotate", "2", "L", "M"}, 3, false},
        {{"--rotate", "L"}, 3, false},
    };
    files before = {{"", "LL"}, {".1", "1"}, {".2", "2"}, {".3", "3"}, {".4", "4"}, {".5", "5"}};
    files after = {{".1", "LL"}, {".2", "1"}, {".3", "2"}, {".4", "3"}, {".5", "4"}};
    for (auto &c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args.back());
        e2e::scratch dir;
        std::string log = setup(dir, before);
        std::vector<std::string> args;
        for (auto &a : c.args)
            args.push_back(a == "L" ? log : a);
        EXPECT_EQ(rotatewith(args), c.code);
        EXPECT_EQ(found(dir), c.rotates ? after : before);
    }
}

// Runs logged, rotated away and logged anew, as the task does: the report reads the rotated
// logs back, oldest first, as the same runs as the one log that would have grown instead.
TEST(rotate, readback) {
    auto run = [](int minute, const char *found, const char *end) {
        std::string at = "07.12.2026 11:" + std::to_string(minute) + ":00 ";
        return at + "*** started\n...loaded [1,1] records from config, mode 10\n" + found +
               "\nprocess dump:\n   c:/t/a.exe not exist\n...starting all not existed\n" +
               "   starting c:/t/a.exe\n" + at + end + "\n";
    };
    e2e::scratch dir;
    std::string log = dir.file("tessark.log"), whole, said;
    for (int i = 0; i < 5; ++i) {
        std::string next =
            i == 1 ? run(15, "...failed to enumerate all processes", "*** stop due to errors")
                   : run(10 + 5 * i, "...found 40 processes", "*** normal shutdown");
        e2e::writefile(log, e2e::readfile(log) + next);
        whole += next;
        if (i % 2 == 1) {
            EXPECT_EQ(rotatelog(log, 1, 5, said), rotated) << said;
        }
    }
    e2e::writefile(dir.file("whole.log"), whole);
    auto reported = [](std::vector<std::string> logs) {
        settings s;
        s.now = 1796644800; // 07.12.2026 12:00:00 UTC
        history h(s);
        std::string failed = readlogs(logs, h);
        verdict v = judge(h, "24h");
        return failed + textreport({h, v, "24h"});
    };
    std::string rotatedback = reported({log + ".2", log + ".1", log});
    EXPECT_EQ(rotatedback, reported({dir.file("whole.log")}));
    EXPECT_NE(rotatedback.find("runs: 5 (4 normal, 1 stopped due to errors"), std::string::npos)
        << rotatedback;
}

} // namespace
