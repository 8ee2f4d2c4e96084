#include "io/logfile.h"
#include "testio.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

void logto(const std::string &name, bool truncate, const std::string &message) {
    io::logfile log;
    log.open(name.c_str(), truncate);
    log.printf("%s", message.c_str());
    log.write(message);
}

// Appends or empties; before open and after a failed one, nothing is written or thrown.
TEST(log, opens) {
    e2e::scratch dir;
    std::string name = dir.file("tessark.log");
    io::logfile unopened;
    unopened.printf("before open\n");
    unopened.write("before open\n");
    EXPECT_FALSE(e2e::exists(name));
    logto(name, false, "a\n");
    logto(name, false, "b\n");
    EXPECT_EQ(e2e::readfile(name), "a\na\nb\nb\n");
    logto(name, true, "c\n");
    EXPECT_EQ(e2e::readfile(name), "c\nc\n");
    EXPECT_NO_THROW(logto(dir.path, false, "into a directory\n"));
    io::logfile closed;
    closed.open(name.c_str(), true);
    closed.close();
    EXPECT_NO_THROW(closed.printf("dropped\n"));
    EXPECT_TRUE(std::filesystem::remove(name)); // Windows refuses to delete a file held open
}

// printf writes at most 1023 bytes of a message, '%' in it literal; write any length.
TEST(log, messagelengths) {
    for (size_t n : {1023, 1024, 5000}) {
        SCOPED_TRACE(n);
        e2e::scratch dir;
        std::string name = dir.file("tessark.log"), text;
        for (size_t i = 0; i < n; ++i)
            text += "100%s %d\n"[i % 9];
        logto(name, false, text);
        EXPECT_EQ(e2e::readfile(name), text.substr(0, 1023) + text);
    }
}

// Uses the program's one applog, so it is the only test that opens it.
TEST(log, stampisutc) {
    e2e::scratch dir;
    std::string name = dir.file("tessark.log");
    applog.open(name.c_str(), false);
    std::time_t before = std::time(nullptr);
    logline("*** started");
    std::time_t after = std::time(nullptr);
    std::string text = e2e::readfile(name);
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
        int local = std::localtime(&now)->tm_hour; // both share one buffer
        EXPECT_NE(local, std::gmtime(&now)->tm_hour) << "TZ=" << tz;
    }
    applog.close();
}

} // namespace
