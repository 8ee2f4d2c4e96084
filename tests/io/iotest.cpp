#include "io/bufreader.h"
#include "io/file.h"
#include "io/filestream.h"
#include "io/logfile.h"
#include "testio.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

// Each mode on a file holding "hello", on none ('-') or on a directory ('d'): whether open
// works, then whether a one-byte read and a write of "x" do, and the content after close.
TEST(file, openmodes) {
    struct {
        int mode;
        char there;
        bool opens, reads, writes;
        const char *after; // nullptr: no file
    } cases[] = {
        // clang-format off
        {0, 'f', true, true, false, "hello"}, {0, '-', false, false, false, nullptr},
        {1, 'f', true, false, true, "xello"}, {1, '-', true, false, true, "x"},
        {2, 'f', true, false, true, "x"},     {2, '-', true, false, true, "x"},
        {3, 'f', true, true, true, "hxllo"},  {3, '-', false, false, false, nullptr},
        {7, 'f', true, false, true, "xello"}, {-1, '-', true, false, true, "x"},
        {0, 'd', false, false, false, nullptr}, // a directory is no file, in either build
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + c.there);
        e2e::scratch dir;
        std::string name = c.there == 'd' ? dir.path : dir.file("f.txt");
        if (c.there == 'f')
            e2e::writefile(name, "hello");
        io::file f;
        char ch = 0;
        EXPECT_EQ(fails([&] { f.open(name.c_str(), c.mode); }), c.opens ? -1 : io::openfailed);
        EXPECT_EQ(f.isopen(), c.opens);
        EXPECT_EQ(c.opens && fails([&] { f.read(&ch, 1); }) < 0, c.reads);
        EXPECT_EQ(ch, c.reads ? 'h' : 0);
        EXPECT_EQ(c.opens && fails([&] { f.write("x", 1); }) < 0, c.writes);
        f.close();
        std::string after = c.there != 'd' && e2e::exists(name) ? e2e::readfile(name) : "-";
        EXPECT_EQ(after, c.after ? c.after : "-");
    }
}

TEST(file, readwriteseek) {
    e2e::scratch dir;
    std::string name = dir.file("f.txt");
    io::file f;
    f.open(name.c_str(), 2);
    f.write("", 0); // nothing to write is no failure
    f.write("hello world", 11);
    EXPECT_EQ(f.seek(2, io::fromcurrent), 13);
    EXPECT_EQ(f.seek(-3, io::fromend), 8);
    // A position whose low half is all ones is a position, not a failure; before the start is.
    EXPECT_EQ(f.seek(0xFFFFFFFFLL, io::frombegin), 0xFFFFFFFFLL);
    EXPECT_EQ(f.seek(-10, io::frombegin), -1);
    f.close();
    f.close(); // a second close does nothing
    f.open(name.c_str(), 0);
    char buffer[32];
    EXPECT_EQ(f.read(buffer, 5), 5u);
    EXPECT_EQ(f.read(buffer, sizeof buffer), 6u); // a short read gives what is left
    EXPECT_EQ(std::string(buffer, 6), " world");
    EXPECT_EQ(f.read(buffer, sizeof buffer), 0u); // at the end: 0, no exception
    f.close();
}

void logto(const std::string &name, bool truncate, const std::string &message) {
    io::logfile log;
    log.open(name.c_str(), truncate);
    log.printf("%s", message.c_str());
    log.write(message);
}

// Appends or empties; before open, after a failed one (at once, for a directory) and after close
// nothing is written or thrown. printf writes at most 1023 bytes of a message, '%' in it literal;
// write any length. A log that is another name of a file (a hard link) is neither written nor
// emptied: that file may be another user's.
TEST(log, opensandwrites) {
    e2e::scratch dir;
    std::string name = dir.file("tessark.log"), text;
    io::logfile unopened;
    unopened.printf("before open\n");
    unopened.write("before open\n");
    EXPECT_FALSE(e2e::exists(name));
    logto(name, false, "a\n");
    logto(name, false, "b\n");
    EXPECT_EQ(e2e::readfile(name), "a\na\nb\nb\n");
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_NO_THROW(logto(dir.path, false, "into a directory\n"));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5)); // no 10 s wait
    e2e::writefile(dir.file("theirs"), "theirs\n");
    std::filesystem::create_hard_link(dir.file("theirs"), dir.file("linked.log"));
    for (bool truncate : {false, true})
        logto(dir.file("linked.log"), truncate, "mine\n");
    EXPECT_EQ(e2e::readfile(dir.file("theirs")), "theirs\n");
    for (size_t i = 0; i < 5000; ++i)
        text += "100%s %d\n"[i % 9];
    for (size_t n : {1023, 1024, 5000}) {
        logto(name, true, text.substr(0, n));
        EXPECT_EQ(e2e::readfile(name), text.substr(0, 1023) + text.substr(0, n)) << n;
    }
    io::logfile closed;
    closed.open(name.c_str(), true);
    closed.close();
    EXPECT_NO_THROW(closed.printf("dropped\n"));
    EXPECT_TRUE(std::filesystem::remove(name)); // Windows refuses to delete a file held open
}

// Uses the program's one applog, so it is the only test that opens it.
TEST(log, stampisutc) {
    e2e::scratch dir;
    std::string name = dir.file("tessark.log");
    applog.open(name.c_str(), false);
    std::time_t before = std::time(nullptr);
    logline("*** started");
    std::string text = e2e::readfile(name);
    bool found = false;
    for (std::time_t t = before; t <= std::time(nullptr); ++t) {
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

// The first fill fails as readfailed, whatever the source threw; a later fill passes its
// failure through. A source claiming more than it was asked for must not overrun the buffer.
TEST(bufreader, failures) {
    struct overlong : scriptedstream {
        using scriptedstream::scriptedstream;
        unsigned read(void *buffer, unsigned size) override {
            return scriptedstream::read(buffer, size) ? size + 100 : 0;
        }
    };
    struct {
        int failat, failure; // which read of the source throws what; -1: no ioexception
        size_t before;       // bytes handed out before the failure shows
        int got;             // what the reader throws
    } cases[] = {{0, io::endofdata, 0, io::readfailed},
                 {0, -1, 0, io::readfailed},
                 {2, io::openfailed, 8, io::openfailed},
                 {-1, 0, 16, io::endofdata}};
    for (auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.failat) + " " + std::to_string(c.failure));
        scriptedstream plain(std::string(16, 'x'), c.failat, c.failure);
        overlong claims(std::string(16, 'x'));
        size_t handed = 0;
        EXPECT_EQ(fails([&] {
                      io::bufreader r(c.failat < 0 ? claims : plain, c.failat < 0 ? 16 : 4);
                      for (; r.getbyte() == 'x'; ++handed)
                          ;
                  }),
                  c.got);
        EXPECT_EQ(handed, c.before);
    }
}

// The file stream reads every byte value through a reader, and closes its file when it goes.
TEST(filestream, readsafile) {
    e2e::scratch dir;
    std::string name = dir.file("c.cfg"), text, got;
    for (size_t i = 0; i < 2500; ++i)
        text += (char)(i * 7 + 1);
    e2e::writefile(name, text);
    {
        io::filestream f(name.c_str());
        io::bufreader r(f, 1024);
        EXPECT_EQ(fails([&] {
                      for (;;)
                          got += r.getbyte();
                  }),
                  io::endofdata);
    }
    EXPECT_EQ(got, text);
    EXPECT_TRUE(std::filesystem::remove(name));
    EXPECT_EQ(fails([&] { io::filestream f(name.c_str()); }), io::openfailed);
}

} // namespace
