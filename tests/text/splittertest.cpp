#include "text/splitter.h"
#include "text/auxexception.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// "piece|piece|... > directory", with "!" where a splitoverflow is thrown instead.
std::string run(const std::string &text, char separator = '/') {
    aux::splitter s(text.c_str(), separator);
    std::string r, copy;
    const char *last = nullptr;
    try {
        for (const char *piece; (piece = s.next()); last = piece)
            r += (last ? "|" : "") + (copy = piece);
        EXPECT_EQ(s.next(), nullptr) << "stays used up";
        EXPECT_EQ(last ? last : "", copy) << "the last piece stays readable";
        r += " > ";
        r += s.directory();
    } catch (aux::auxexception e) {
        EXPECT_EQ(e, aux::splitoverflow);
        r += "!";
    }
    return r;
}

TEST(splitter, pieces) {
    struct {
        const char *text, *split;
        char separator = '/';
    } cases[] = {
        // clang-format off
        {"c:/tools/app.exe", "c:|tools|app.exe > c:/tools"},
        {"app.exe", "app.exe > "},
        {"/app.exe", "app.exe > "},
        {"//app.exe", "app.exe > /"},
        {"c:/tools/", "c:|tools > c:/tools"},
        {"c://tools///app.exe//", "c:|tools|app.exe > c://tools///app.exe/"},
        {"c:\\tools\\app.exe", "c:\\tools\\app.exe > "},
        {"c:/tools/app.exe -o c:/out/x.txt", "c:|tools|app.exe -o c:|out|x.txt > c:/tools/app.exe -o c:/out"},
        {"", " > "},
        {"/", " > "},
        {"///", " > //"},
        {"a", "a > "},
        {"a;b;;c", "a|b|c > a;b;", ';'},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(run(c.text, c.separator), c.split) << c.text;
}

// Pieces and the directory have room for 4094 bytes; more is refused, not copied.
TEST(splitter, limits) {
    EXPECT_EQ(aux::splitoverflow, 5);
    for (size_t n : {4093, 4094, 4095, 10000}) {
        SCOPED_TRACE(n);
        bool fits = n <= 4094;
        std::string piece(n, 'x'), dir; // dir: n bytes of short pieces
        for (size_t i = 0; i < n; ++i)
            dir += i % 3 == 2 && i + 1 < n ? '/' : 'a';
        EXPECT_EQ(run(piece + "/tail"), fits ? piece + "|tail > " + piece : "!");
        EXPECT_EQ(run("c:/" + piece + "/tail"), fits ? "c:|" + piece + "|tail > !" : "c:!");
        std::string many = run(dir + "/app.exe");
        EXPECT_EQ(many.substr(many.find(" > ") + 3), fits ? dir : "!");
    }
}

} // namespace
