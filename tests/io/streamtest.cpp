#include "io/bufreader.h"
#include "io/filestream.h"
#include "scratchdir.h"
#include "sources.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Every byte of the source, then endofdata; returns what was read.
std::string drain(io::bufreader &r, size_t expected) {
    std::string got;
    for (size_t i = 0; i < expected; ++i)
        got += r.getbyte();
    return got;
}

std::string pattern(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += (char)(i * 7 + 1); // every byte value, NUL and bytes above 0x7F included
    return s;
}

TEST(bufreader, blocks) {
    struct {
        size_t size;
        std::vector<unsigned> returned; // what the source's reads return, the final 0 included
    } cases[] = {
        {0, {0, 0}}, // the first fill gets 0 and is no failure; the first getbyte asks again
        {1, {1, 0}},
        {1023, {1023, 0}},
        {1024, {1024, 0}},
        {1025, {1024, 1, 0}},
        {2500, {1024, 1024, 452, 0}},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.size);
        std::string text = pattern(c.size);
        scriptedstream source(text);
        io::bufreader r(source, 1024);
        EXPECT_EQ(source.reads, 1); // the first block is read at construction
        EXPECT_EQ(drain(r, c.size), text);
        EXPECT_THROW(
            try { r.getbyte(); } catch (io::ioexception e) {
                EXPECT_EQ(e, io::endofdata);
                throw;
            },
            io::ioexception);
        EXPECT_EQ(source.returned, c.returned);
        EXPECT_EQ(source.asked, std::vector<unsigned>(c.returned.size(), 1024u));
        // At the end each further call asks the source again and throws again.
        EXPECT_THROW(r.getbyte(), io::ioexception);
        EXPECT_EQ(source.reads, (int)c.returned.size() + 1);
    }
}

TEST(bufreader, shortreadsarereadon) {
    std::string text = "abcdefghijklmnopqrstuvwxyz";
    scriptedstream source(text, {3, 1, 5, 2});
    io::bufreader r(source, 8);
    EXPECT_EQ(drain(r, text.size()), text);
    EXPECT_THROW(r.getbyte(), io::ioexception);
    EXPECT_EQ(source.returned, (std::vector<unsigned>{3, 1, 5, 2, 8, 7, 0}));
}

TEST(bufreader, failures) {
    struct {
        const char *name;
        int failat;          // which read of the source throws
        int failure;         // what it throws; -1: something else than an ioexception
        size_t before;       // bytes handed out before the failure shows
        io::ioexception got; // what the reader throws
    } cases[] = {
        {"first fill, readfailed", 0, io::readfailed, 0, io::readfailed},
        {"first fill, endofdata", 0, io::endofdata, 0, io::readfailed},
        {"first fill, no ioexception", 0, -1, 0, io::readfailed},
        {"later fill, readfailed", 1, io::readfailed, 4, io::readfailed},
        {"later fill, passes through", 2, io::openfailed, 8, io::openfailed},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.name);
        scriptedstream source("0123456789abcdef");
        source.failat = c.failat;
        source.failure = c.failure;
        io::ioexception thrown = io::nomemory;
        bool threw = false;
        size_t handed = 0;
        try {
            io::bufreader r(source, 4);
            for (;; ++handed)
                r.getbyte();
        } catch (io::ioexception e) {
            threw = true;
            thrown = e;
        }
        EXPECT_TRUE(threw);
        EXPECT_EQ(thrown, c.got);
        EXPECT_EQ(handed, c.before);
    }
}

// A source that claims more than it was asked for must not make the reader index past its buffer.
struct boastingstream : io::stream {
    int reads = 0;
    unsigned read(void *buffer, unsigned size) override {
        if (reads++)
            return 0;
        std::memset(buffer, 'x', size);
        return size + 100;
    }
    void close() override {}
};

TEST(bufreader, overlongreadisclamped) {
    boastingstream source;
    io::bufreader r(source, 16);
    EXPECT_EQ(drain(r, 16), std::string(16, 'x'));
    EXPECT_THROW(r.getbyte(), io::ioexception);
}

TEST(filestream, readsafile) {
    scratchdir dir;
    std::string name = dir.file("c.cfg");
    std::string text = pattern(2500);
    spit(name, text);
    io::filestream f(name.c_str());
    EXPECT_TRUE(f.isopen());
    {
        io::bufreader r(f, 1024);
        EXPECT_EQ(drain(r, 2500), text);
        EXPECT_THROW(r.getbyte(), io::ioexception);
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

TEST(filestream, cannotopen) {
    scratchdir dir;
    for (std::string name : {dir.file("missing.cfg"), dir.path.string()}) {
        SCOPED_TRACE(name);
        bool threw = false;
        try {
            io::filestream f(name.c_str());
        } catch (io::ioexception e) {
            threw = true;
            EXPECT_EQ(e, io::openfailed);
        }
        EXPECT_TRUE(threw);
    }
}

TEST(filestream, deletingthroughabaseclosesthefile) {
    scratchdir dir;
    std::string name = dir.file("c.cfg");
    spit(name, "abc");
    // Windows keeps an open file from being replaced; the rename shows it was closed.
    std::unique_ptr<io::stream> s(new io::filestream(name.c_str()));
    s.reset();
    std::filesystem::rename(name, dir.file("d.cfg"));
    std::unique_ptr<io::file> f(new io::filestream(dir.file("d.cfg").c_str()));
    f.reset();
    std::filesystem::remove(dir.file("d.cfg"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("d.cfg")));
}

} // namespace
