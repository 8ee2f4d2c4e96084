#include "io/file.h"
#include "testio.h"

#include <gtest/gtest.h>

namespace {

// Each mode on a file holding "hello" or on none: whether open fails, then whether a one-byte
// read and a write of "x" work, and the content after close (nullptr: no file).
TEST(file, openmodes) {
    struct {
        int mode;
        bool exists, opens, reads, writes;
        const char *after;
    } cases[] = {
        // clang-format off
        {0, true, true, true, false, "hello"}, {0, false, false, false, false, nullptr},
        {1, true, true, false, true, "xello"}, {1, false, true, false, true, "x"},
        {2, true, true, false, true, "x"},     {2, false, true, false, true, "x"},
        {3, true, true, true, true, "hxllo"},  {3, false, false, false, false, nullptr},
        {7, true, true, false, true, "xello"}, {-1, false, true, false, true, "x"},
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.exists ? " existing" : " missing"));
        e2e::scratch dir;
        std::string name = dir.file("f.txt");
        if (c.exists)
            e2e::writefile(name, "hello");
        io::file f;
        char ch = 0;
        EXPECT_EQ(fails([&] { f.open(name.c_str(), c.mode); }), c.opens ? -1 : io::openfailed);
        EXPECT_EQ(f.isopen(), c.opens);
        EXPECT_EQ(c.opens && fails([&] { f.read(&ch, 1); }) < 0, c.reads);
        EXPECT_EQ(ch, c.reads ? 'h' : 0);
        EXPECT_EQ(c.opens && fails([&] { f.write("x", 1); }) < 0, c.writes);
        f.close();
        EXPECT_EQ(e2e::exists(name), c.after != nullptr);
        if (c.after) {
            EXPECT_EQ(e2e::readfile(name), c.after);
        }
    }
    // A directory is no file, in either build.
    e2e::scratch dir;
    io::file f;
    EXPECT_EQ(fails([&] { f.open(dir.path.c_str(), 0); }), io::openfailed);
}

TEST(file, readwriteseek) {
    e2e::scratch dir;
    std::string name = dir.file("f.txt");
    io::file f;
    f.open(name.c_str(), 2);
    f.write("", 0); // nothing to write is no failure
    f.write("hello world", 11);
    EXPECT_EQ(f.seek(0, io::fromend), 11);
    EXPECT_EQ(f.seek(2, io::fromcurrent), 13);
    EXPECT_EQ(f.seek(-3, io::fromend), 8);
    // A position whose low half is all ones is a position, not a failure; before the start is.
    EXPECT_EQ(f.seek(0xFFFFFFFFLL, io::frombegin), 0xFFFFFFFFLL);
    EXPECT_EQ(f.seek(-10, io::frombegin), -1);
    f.flush();
    f.close();
    f.close(); // a second close does nothing
    f.open(name.c_str(), 0);
    char buffer[32];
    EXPECT_EQ(f.read(buffer, 5), 5u);
    EXPECT_EQ(f.read(buffer, sizeof buffer), 6u); // short read: what is left
    EXPECT_EQ(std::string(buffer, 6), " world");
    EXPECT_EQ(f.read(buffer, sizeof buffer), 0u); // at the end: 0, no exception
    f.close();
}

} // namespace
