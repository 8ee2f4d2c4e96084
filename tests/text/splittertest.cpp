#include "text/splitter.h"
#include "text/auxexception.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct split {
    std::vector<std::string> pieces;
    std::string directory; // once next has returned null
};

split run(const std::string &text, char separator = '/') {
    aux::splitter s(text.c_str(), separator);
    split r;
    while (const char *piece = s.next())
        r.pieces.push_back(piece);
    r.directory = s.directory();
    return r;
}

TEST(splitter, pieces) {
    struct {
        const char *text;
        std::vector<std::string> pieces;
        const char *directory;
    } cases[] = {
        {"c:/tools/app.exe", {"c:", "tools", "app.exe"}, "c:/tools"},
        {"app.exe", {"app.exe"}, ""},
        {"/app.exe", {"app.exe"}, ""},
        {"//app.exe", {"app.exe"}, "/"},
        {"c:/tools/", {"c:", "tools"}, "c:/tools"},
        {"c://tools///app.exe//", {"c:", "tools", "app.exe"}, "c://tools///app.exe/"},
        {"c:\\tools\\app.exe", {"c:\\tools\\app.exe"}, ""},
        {"c:/tools/app.exe -o c:/out/x.txt",
         {"c:", "tools", "app.exe -o c:", "out", "x.txt"},
         "c:/tools/app.exe -o c:/out"},
        {"", {}, ""},
        {"/", {}, ""},
        {"///", {}, "//"},
        {"a", {"a"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        split r = run(c.text);
        EXPECT_EQ(r.pieces, c.pieces);
        EXPECT_EQ(r.directory, c.directory);
    }
}

TEST(splitter, bufferkeepslastpieceafterend) {
    aux::splitter s("c:/tools/", '/');
    const char *piece = nullptr;
    const char *last = nullptr;
    while ((piece = s.next()))
        last = piece;
    ASSERT_NE(last, nullptr);
    EXPECT_STREQ(last, "tools");
    EXPECT_EQ(s.next(), nullptr) << "stays used up";
    EXPECT_STREQ(last, "tools");
}

TEST(splitter, otherseparator) {
    split r = run("a;b;;c", ';');
    EXPECT_EQ(r.pieces, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(r.directory, "a;b;");
}

TEST(splitter, piecelimit) {
    struct {
        size_t length; // of the one long piece
        bool fits;
    } cases[] = {{4093, true}, {4094, true}, {4095, false}, {10000, false}};
    for (const char *prefix : {"", "c:/"}) {
        for (auto c : cases) {
            SCOPED_TRACE(std::string(prefix) + " + " + std::to_string(c.length));
            std::string piece(c.length, 'x');
            std::string text = std::string(prefix) + piece + "/tail";
            aux::splitter s(text.c_str(), '/');
            std::vector<std::string> pieces;
            if (c.fits) {
                while (const char *p = s.next())
                    pieces.push_back(p);
                ASSERT_GE(pieces.size(), 2u);
                EXPECT_EQ(pieces[pieces.size() - 2], piece);
                EXPECT_EQ(pieces.back(), "tail");
            } else {
                try {
                    while (s.next()) {
                    }
                    ADD_FAILURE() << "no exception";
                } catch (aux::auxexception e) {
                    EXPECT_EQ(e, aux::splitoverflow);
                    EXPECT_EQ(e, 5);
                }
            }
        }
    }
}

// A long text of short pieces has a directory longer than the buffer: refused, not copied.
TEST(splitter, directorylimit) {
    struct {
        size_t length; // of the directory
        bool fits;
    } cases[] = {{4094, true}, {4095, false}, {9000, false}};
    for (auto c : cases) {
        SCOPED_TRACE(c.length);
        std::string dir;
        while (dir.size() < c.length)
            dir += "ab/";
        dir.resize(c.length);
        if (dir.back() == '/')
            dir.back() = 'z';
        std::string text = dir + "/app.exe";
        aux::splitter s(text.c_str(), '/');
        while (s.next()) {
        }
        if (c.fits) {
            EXPECT_EQ(std::string(s.directory()), dir);
        } else {
            try {
                s.directory();
                ADD_FAILURE() << "no exception";
            } catch (aux::auxexception e) {
                EXPECT_EQ(e, aux::splitoverflow);
            }
        }
    }
}

} // namespace
