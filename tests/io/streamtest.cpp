#include "io/bufreader.h"
#include "io/filestream.h"
#include "testio.h"

#include <gtest/gtest.h>

namespace {

std::string pattern(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += (char)(i * 7 + 1); // every byte value, NUL and bytes above 0x7F included
    return s;
}

// Every byte of the source, then endofdata.
void drain(io::bufreader &r, const std::string &text) {
    std::string got;
    for (size_t i = 0; i < text.size(); ++i)
        got += r.getbyte();
    EXPECT_EQ(got, text);
    EXPECT_EQ(fails([&] { r.getbyte(); }), io::endofdata);
}

TEST(bufreader, failures) {
    struct {
        int failat, failure; // which read of the source throws what; -1: no ioexception
        size_t before;       // bytes handed out before the failure shows
        int got;             // what the reader throws
    } cases[] = {
        {0, io::endofdata, 0, io::readfailed}, // the first fill fails as readfailed, whatever
        {0, -1, 0, io::readfailed},
        {2, io::openfailed, 8, io::openfailed}, // a later fill passes the failure through
    };
    for (auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.failat) + " " + std::to_string(c.failure));
        scriptedstream source("0123456789abcdef", c.failat, c.failure);
        size_t handed = 0;
        EXPECT_EQ(fails([&] {
                      io::bufreader r(source, 4);
                      for (;; ++handed)
                          r.getbyte();
                  }),
                  c.got);
        EXPECT_EQ(handed, c.before);
    }
}

// A source that claims more than it was asked for must not make the reader index past its buffer.
TEST(bufreader, overlongreadisclamped) {
    struct : scriptedstream {
        using scriptedstream::scriptedstream;
        unsigned read(void *buffer, unsigned size) override {
            return scriptedstream::read(buffer, size) ? size + 100 : 0;
        }
    } source(std::string(16, 'x'));
    io::bufreader r(source, 16);
    drain(r, std::string(16, 'x'));
}

// The file stream reads through a reader and closes its file when it goes.
TEST(filestream, readsafile) {
    e2e::scratch dir;
    std::string name = dir.file("c.cfg"), text = pattern(2500);
    e2e::writefile(name, text);
    {
        io::filestream f(name.c_str());
        io::bufreader r(f, 1024);
        drain(r, text);
    }
    EXPECT_TRUE(std::filesystem::remove(name));
    EXPECT_EQ(fails([&] { io::filestream f(name.c_str()); }), io::openfailed);
}

} // namespace
