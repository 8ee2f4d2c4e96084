#include "io/clock.h"
#include "io/logfile.h"
#include "scratchdir.h"

#include <chrono>
#include <cstring>
#include <ctime>
#include <gtest/gtest.h>
#include <regex>

namespace {

TEST(log, appendsacrossopens) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    {
        io::logfile log;
        log.open(name.c_str(), false);
        log.printf("first %d\n", 1);
    }
    {
        io::logfile log;
        log.open(name.c_str(), false);
        log.printf("second ");
        log.printf("%s\n", "run");
    }
    EXPECT_EQ(slurp(name), "first 1\nsecond run\n");
    {
        io::logfile log;
        log.open(name.c_str(), true); // truncate empties
        log.printf("third\n");
    }
    EXPECT_EQ(slurp(name), "third\n");
}

TEST(log, writesonlyaftersuccessfulopen) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    io::logfile log;
    log.printf("before open\n"); // no file yet: nothing, no exception
    EXPECT_FALSE(std::filesystem::exists(name));

    std::filesystem::create_directory(name); // a directory cannot be the log
    io::logfile blocked;
    EXPECT_NO_THROW(blocked.open(name.c_str(), false));
    EXPECT_NO_THROW(blocked.printf("after failed open\n"));
    EXPECT_TRUE(std::filesystem::is_directory(name));

    io::logfile missing;
    EXPECT_NO_THROW(missing.open(dir.file("no/such/dir/tessark.log").c_str(), false));
    EXPECT_NO_THROW(missing.printf("after failed open\n"));
}

TEST(log, messagelengths) {
    struct {
        size_t length;  // of the message after formatting
        size_t written; // bytes in the file
    } cases[] = {{0, 0}, {1, 1}, {1022, 1022}, {1023, 1023}, {1024, 1023}, {5000, 1023}};
    for (auto c : cases) {
        SCOPED_TRACE(c.length);
        scratchdir dir;
        std::string name = dir.file("tessark.log");
        std::string text;
        for (size_t i = 0; i < c.length; ++i)
            text += (char)('a' + i % 26);
        {
            io::logfile log;
            log.open(name.c_str(), false);
            log.printf("%s", text.c_str());
        }
        EXPECT_EQ(slurp(name), text.substr(0, c.written));
    }
}

TEST(log, percentinlinemessageisliteral) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    {
        io::logfile log;
        log.open(name.c_str(), false);
        log.printf("%s\n", "100%s %d");
    }
    EXPECT_EQ(slurp(name), "100%s %d\n");
}

TEST(log, writetakesanylength) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    std::string text(5000, 'x');
    text += "%d\n"; // not a format
    io::logfile log;
    log.write(text); // not open yet: nothing
    log.open(name.c_str(), false);
    log.write(text);
    log.write("");
    log.close();
    EXPECT_EQ(slurp(name), text);
}

TEST(log, closeendswriting) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    io::logfile log;
    log.open(name.c_str(), false);
    log.printf("kept\n");
    log.close();
    EXPECT_NO_THROW(log.printf("dropped\n"));
    EXPECT_EQ(slurp(name), "kept\n");
    // Windows refuses to delete a file still held open.
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::remove(name, ec)) << ec.message();
    EXPECT_NO_THROW(log.close());
}

// The UTC clock read a second way: system_clock is UTC, gmtime converts without a zone.
std::tm utcnowbystd() {
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    return *std::gmtime(&now);
}

// Uses the program's one applog, so it is the only test that opens it.
TEST(log, stampisutc) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    applog.open(name.c_str(), false);
    std::tm before = utcnowbystd();
    logline("*** started");
    std::tm after = utcnowbystd();
    std::string text = slurp(name);

    std::smatch m;
    ASSERT_TRUE(std::regex_match(
        text, m, std::regex(R"((\d\d)\.(\d\d)\.(\d{4}) (\d\d):(\d\d):(\d\d) \*\*\* started\n)")))
        << text;
    std::tm stamped = {};
    stamped.tm_mday = std::stoi(m[1]);
    stamped.tm_mon = std::stoi(m[2]) - 1;
    stamped.tm_year = std::stoi(m[3]) - 1900;
    stamped.tm_hour = std::stoi(m[4]);
    stamped.tm_min = std::stoi(m[5]);
    stamped.tm_sec = std::stoi(m[6]);
    auto seconds = [](std::tm t) {
        // Days from the civil date, so that no time zone enters the comparison.
        int y = t.tm_year + 1900, mo = t.tm_mon + 1, d = t.tm_mday;
        y -= mo <= 2;
        long era = (y >= 0 ? y : y - 399) / 400;
        long yoe = y - era * 400;
        long doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        long days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
        return ((days * 24 + t.tm_hour) * 60 + t.tm_min) * 60LL + t.tm_sec;
    };
    EXPECT_GE(seconds(stamped), seconds(before));
    EXPECT_LE(seconds(stamped), seconds(after));

    // Under a zone far from UTC the test only means something if local time differs.
    const char *tz = std::getenv("TZ");
    if (tz && *tz) {
        std::time_t now = std::time(nullptr);
        std::tm local = *std::localtime(&now);
        std::tm utc = *std::gmtime(&now);
        EXPECT_NE(local.tm_hour, utc.tm_hour) << "TZ=" << tz << " did not change local time";
    }
}

} // namespace
