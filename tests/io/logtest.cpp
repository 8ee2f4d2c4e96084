#include "io/clock.h"
#include "io/logfile.h"
#include "testio.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

void logto(const std::string &name, bool truncate, const std::string &message) {
    io::logfile log;
    log.open(name.c_str(), truncate);
    log.printf("%s", message.c_str());
}

TEST(log, opens) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    io::logfile unopened;
    unopened.printf("before open\n"); // no file yet: nothing, no exception
    EXPECT_FALSE(std::filesystem::exists(name));
    logto(name, false, "first\n");
    logto(name, false, "second\n"); // appends
    EXPECT_EQ(slurp(name), "first\nsecond\n");
    logto(name, true, "third\n");
    EXPECT_EQ(slurp(name), "third\n");
    std::filesystem::create_directory(dir.file("d")); // a directory cannot be the log
    for (std::string bad : {dir.file("d"), dir.file("no/such/dir/tessark.log")})
        EXPECT_NO_THROW(logto(bad, false, "after failed open\n"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("d")));
}

// printf writes the formatted message as one piece of at most 1023 bytes, '%' in it literal.
TEST(log, messagelengths) {
    for (auto c :
         {std::pair<size_t, size_t>{0, 0}, {1, 1}, {1023, 1023}, {1024, 1023}, {5000, 1023}}) {
        SCOPED_TRACE(c.first);
        scratchdir dir;
        std::string name = dir.file("tessark.log"), text;
        for (size_t i = 0; i < c.first; ++i)
            text += "100%s %d\n"[i % 9];
        logto(name, false, text);
        EXPECT_EQ(slurp(name), text.substr(0, c.second));
    }
}

TEST(log, writeandclose) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    std::string text = std::string(5000, 'x') + "%d\n"; // any length, not a format
    io::logfile log;
    log.write(text); // not open yet: nothing
    log.open(name.c_str(), false);
    log.write(text);
    log.write("");
    log.close();
    EXPECT_NO_THROW(log.printf("dropped\n"));
    EXPECT_EQ(slurp(name), text);
    std::error_code ec; // Windows refuses to delete a file still held open
    EXPECT_TRUE(std::filesystem::remove(name, ec)) << ec.message();
    EXPECT_NO_THROW(log.close());
}

// Uses the program's one applog, so it is the only test that opens it.
TEST(log, stampisutc) {
    scratchdir dir;
    std::string name = dir.file("tessark.log");
    applog.open(name.c_str(), false);
    std::time_t before = std::time(nullptr);
    logline("*** started");
    std::time_t after = std::time(nullptr);
    std::string text = slurp(name);
    bool found = false;
    for (std::time_t t = before; t <= after; ++t) {
        char utc[64]; // gmtime converts without a zone
        std::strftime(utc, sizeof utc, "%d.%m.%Y %H:%M:%S *** started\n", std::gmtime(&t));
        found |= text == utc;
    }
    EXPECT_TRUE(found) << text;
    // Under a zone far from UTC the test only means something if local time differs.
    if (const char *tz = std::getenv("TZ"); tz && *tz) {
        std::time_t now = std::time(nullptr);
        int local = std::localtime(&now)->tm_hour, utc = std::gmtime(&now)->tm_hour;
        EXPECT_NE(local, utc) << "TZ=" << tz << " did not change local time";
    }
}

} // namespace
