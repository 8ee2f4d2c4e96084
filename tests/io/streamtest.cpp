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

TEST(bufreader, blocks) {
    struct {
        size_t size;
        unsigned block;
        std::vector<unsigned> script, returned; // what the reads return, the final 0 included
    } cases[] = {
        // clang-format off
        {0, 1024, {}, {0, 0}}, // the first fill gets 0 and is no failure; getbyte asks again
        {1, 1024, {}, {1, 0}},
        {1023, 1024, {}, {1023, 0}},
        {1024, 1024, {}, {1024, 0}},
        {1025, 1024, {}, {1024, 1, 0}},
        {2500, 1024, {}, {1024, 1024, 452, 0}},
        {26, 8, {3, 1, 5, 2}, {3, 1, 5, 2, 8, 7, 0}}, // short reads are read on
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.size);
        std::string text = pattern(c.size);
        scriptedstream source(text, c.script);
        io::bufreader r(source, c.block);
        EXPECT_EQ(source.asked.size(), 1u); // the first block is read at construction
        drain(r, text);
        EXPECT_EQ(source.returned, c.returned);
        EXPECT_EQ(source.asked, std::vector<unsigned>(c.returned.size(), c.block));
        // At the end each further call asks the source again and throws again.
        EXPECT_EQ(fails([&] { r.getbyte(); }), io::endofdata);
        EXPECT_EQ(source.asked.size(), c.returned.size() + 1);
    }
}

TEST(bufreader, failures) {
    struct {
        int failat, failure; // which read of the source throws what; -1: no ioexception
        size_t before;       // bytes handed out before the failure shows
        int got;             // what the reader throws
    } cases[] = {
        {0, io::readfailed, 0, io::readfailed},
        {0, io::endofdata, 0, io::readfailed},
        {0, -1, 0, io::readfailed},
        {1, io::readfailed, 4, io::readfailed},
        {2, io::openfailed, 8, io::openfailed}, // a later fill passes the failure through
    };
    for (auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.failat) + " " + std::to_string(c.failure));
        scriptedstream source("0123456789abcdef", {}, c.failat, c.failure);
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
    struct : io::stream {
        int reads = 0;
        unsigned read(void *buffer, unsigned size) override {
            std::memset(buffer, 'x', size);
            return reads++ ? 0 : size + 100;
        }
        void close() override {}
    } source;
    io::bufreader r(source, 16);
    drain(r, std::string(16, 'x'));
}

TEST(filestream, readsafileandstaysopen) {
    scratchdir dir;
    std::string name = dir.file("c.cfg"), text = pattern(2500);
    spit(name, text);
    io::filestream f(name.c_str());
    EXPECT_TRUE(f.isopen());
    {
        io::bufreader r(f, 1024);
        drain(r, text);
    }
    // The reader is gone; its source is still open and usable.
    EXPECT_TRUE(f.isopen());
    EXPECT_EQ(f.seek(0, io::frombegin), 0);
    char c;
    EXPECT_EQ(f.read(&c, 1), 1u);
    EXPECT_EQ(c, text[0]);
    f.close();
    EXPECT_FALSE(f.isopen());
}

} // namespace
