#include "io/file.h"
#include "io/ioexception.h"
#include "scratchdir.h"

#include <gtest/gtest.h>

namespace {

struct openmode {
    int mode;
    bool exists;       // the file is there before the open, holding "hello"
    bool throws;       // open fails with openfailed
    const char *after; // content after open and close; nullptr: the file does not exist
};

const openmode openmodes[] = {
    {0, true, false, "hello"}, {0, false, true, nullptr}, {1, true, false, "hello"},
    {1, false, false, ""},     {2, true, false, ""},      {2, false, false, ""},
    {3, true, false, "hello"}, {3, false, true, nullptr}, {7, true, false, "hello"},
    {7, false, false, ""},     {-1, false, false, ""},
};

TEST(file, openmodes) {
    for (const openmode &c : openmodes) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.exists ? " existing" : " missing"));
        scratchdir dir;
        std::string name = dir.file("f.txt");
        if (c.exists)
            spit(name, "hello");
        io::file f;
        bool threw = false;
        try {
            f.open(name.c_str(), c.mode);
        } catch (io::ioexception e) {
            threw = true;
            EXPECT_EQ(e, io::openfailed);
        }
        EXPECT_EQ(threw, c.throws);
        EXPECT_EQ(f.isopen(), !c.throws);
        f.close();
        if (c.after)
            EXPECT_EQ(slurp(name), c.after);
        else
            EXPECT_FALSE(std::filesystem::exists(name));
    }
}

TEST(file, modesgiveaccess) {
    scratchdir dir;
    std::string name = dir.file("f.txt");
    spit(name, "abc");
    char c;
    io::file f;
    f.open(name.c_str(), 0); // read only
    EXPECT_EQ(f.read(&c, 1), 1u);
    EXPECT_THROW(f.write("x", 1), io::ioexception);
    f.close();
    f.open(name.c_str(), 1); // write only, from the start
    EXPECT_THROW(f.read(&c, 1), io::ioexception);
    f.write("x", 1);
    f.close();
    f.open(name.c_str(), 3); // both
    EXPECT_EQ(f.read(&c, 1), 1u);
    EXPECT_EQ(c, 'x');
    f.write("y", 1);
    f.close();
    EXPECT_EQ(slurp(name), "xyc");
}

TEST(file, readsandwrites) {
    scratchdir dir;
    std::string name = dir.file("f.txt");
    io::file f;
    f.open(name.c_str(), 2);
    f.write("", 0); // nothing to write is no failure
    f.write("hello world", 11);
    f.flush();
    f.close();
    f.close(); // a second close does nothing
    EXPECT_FALSE(f.isopen());

    f.open(name.c_str(), 0);
    char buffer[32];
    EXPECT_EQ(f.read(buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_EQ(f.read(buffer, sizeof buffer), 6u); // short read: what is left
    EXPECT_EQ(f.read(buffer, sizeof buffer), 0u); // at the end: 0, no exception
    EXPECT_EQ(f.read(buffer, sizeof buffer), 0u);
    f.close();
}

TEST(file, directoryisnotafile) {
    scratchdir dir;
    io::file f;
    for (int mode : {0, 1, 2, 3}) {
        EXPECT_THROW(f.open(dir.path.string().c_str(), mode), io::ioexception) << mode;
        EXPECT_FALSE(f.isopen());
    }
}

TEST(file, seek) {
    scratchdir dir;
    std::string name = dir.file("f.txt");
    io::file f;
    f.open(name.c_str(), 2);
    EXPECT_EQ(f.seek(0, io::fromend), 0);
    f.write("12345", 5);
    EXPECT_EQ(f.seek(0, io::fromend), 5);
    EXPECT_EQ(f.seek(1, io::frombegin), 1);
    EXPECT_EQ(f.seek(2, io::fromcurrent), 3);
    EXPECT_EQ(f.seek(-1, io::fromend), 4);
    // A position whose low half is all ones is a position, not a failure.
    EXPECT_EQ(f.seek(0xFFFFFFFFLL, io::frombegin), 0xFFFFFFFFLL);
    EXPECT_EQ(f.seek(0x100000002LL, io::frombegin), 0x100000002LL);
    // Before the start of the file is a failure.
    EXPECT_EQ(f.seek(-10, io::frombegin), -1);
    f.close();
}

} // namespace
