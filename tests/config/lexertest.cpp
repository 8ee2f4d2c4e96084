#include "scan.h"
#include "sources.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct lexcase {
    std::string input;
    std::string tokens;
    int line;
};

std::string repeat(const std::string &s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

void run(const std::vector<lexcase> &cases) {
    for (const lexcase &c : cases) {
        SCOPED_TRACE("input: " + c.input.substr(0, 60));
        int line = 0;
        EXPECT_EQ(scan(c.input, line), c.tokens);
        EXPECT_EQ(line, c.line);
    }
}

// With the configuration's vocabulary: input -> tokens, and the line at the end.
TEST(lexer, configvocabulary) {
    run({
        // Keywords match whole identifiers only, in their own case.
        {"start Start start1 _start", "7:start 3:Start 3:start1 3:_start $", 1},
        {"restartdelay restart restarts", "20:restartdelay 11:restart 3:restarts $", 1},
        {"juststart invert justclose stop", "10:juststart 12:invert 13:justclose 8:stop $", 1},
        // Numbers: at most one point.
        {"1.2.3", "4:1.2 4:.3 $", 1},
        {". .5 1..2", "4:. 4:.5 4:1. 4:.2 $", 1},
        {"12ab ab12", "4:12 3:ab 3:ab12 $", 1},
        // Symbols are one character; unregistered bytes come back as -2.
        {"a,", "3:a 9:, $", 1},
        {"-5#", "-2:- 4:5 -2:# $", 1},
        {"\xff\x80", "-2:\xff -2:\x80 $", 1},
        {std::string("a\0b", 3), "3:a -2: 3:b $", 1},
        // Strings: no escapes, comments and line ends are text.
        {"\"a;b,c\"", "5:a;b,c $", 1},
        {"\"\"", "5: $", 1},
        {"a\"b\"c", "3:a 5:b 3:c $", 1},
        {"\"x\ny\" z\n", "5:x\ny 3:z $", 2},
        {"\"", "$", 1},
        {"\"a\nb", "-2:a\nb $", 1},
        // Comments run to the next line feed; CR LF is one line, a lone CR none.
        {"", "$", 1},
        {" \t\r\n ; c\n;", "$", 3},
        {"a;b\nc", "3:a 3:c $", 2},
        {"; x\r y \"z\n1", "4:1 $", 2},
        {"a\r\nb", "3:a 3:b $", 2},
        {"a\rb", "3:a 3:b $", 1},
        {",\n", "9:, $", 2}, // the line end read after the comma is counted later, once
    });
}

TEST(lexer, tokenlengths) {
    std::string id511(511, 'a'), num511(511, '7'), str510(510, 's');
    run({
        {id511, "3:" + id511 + " $", 1},
        {id511 + "a", "!", 1},
        {num511, "4:" + num511 + " $", 1},
        {num511 + "7", "!", 1},
        {"\"" + str510 + "\"", "5:" + str510 + " $", 1},
        {"\"" + str510 + "s\"", "!", 1},
        {"\n\"" + repeat("long\n", 200) + "\"", "!", 2},
    });
}

// Vocabularies other than the configuration's: longer windows, longer symbols.
struct vocabcase {
    std::vector<std::pair<const char *, unsigned>> vocabulary;
    unsigned window;
    std::string input;
    std::string tokens;
    int line;
};

TEST(lexer, othervocabularies) {
    const std::vector<std::pair<const char *, unsigned>> ops = {
        {" ", aux::skipflag}, {"=", 1}, {"==", 2}, {"=>", 3}, {"<==", 4}};
    vocabcase cases[] = {
        // Longest registered prefix shorter than the window wins; the rest is read again.
        {ops, 3, "= == => ===", "1:= 2:== 3:=> 2:== 1:= $", 1},
        {ops, 3, "=x", "1:= 3:x $", 1},
        {ops, 3, "<==", "-2:< 2:== $", 1}, // as long as the window: never looked up
        {ops, 4, "<== <=", "4:<== -2:< 1:= $", 1},
        {ops, 2, "==", "1:= 1:= $", 1},
        // A flagged prefix acts at once, even where a longer text is registered.
        {{{"/", aux::commentflag | 6}, {"//", 5}, {"\n", aux::lineflag | 1}},
         3,
         "a//b\nc/",
         "3:a 3:c $",
         2},
        {{{"\r", aux::skipflag}, {"\r\n", aux::lineflag | 1}}, 3, "a\r\nb", "3:a -2:\n 3:b $", 1},
        // The quote character is whatever was registered; the other one is text.
        {{{"'", aux::quoteflag | 2}}, 2, "'a\"b'", "5:a\"b $", 1},
        // The first registration of a text is kept.
        {{{"x", 7}, {"x", 8}}, 2, "x", "7:x $", 1},
        // A registered identifier keeps its code, whatever its flag half.
        {{{"ab", aux::skipflag | 9}}, 2, "ab", "9:ab $", 1},
        // Numbers and strings are never keywords.
        {{{"12", 9}, {"\"", aux::quoteflag}}, 2, "12 \"12\"", "4:12 -2:  5:12 $", 1},
        // An unknown flag half makes an ordinary symbol.
        {{{"+", 0x30000 | 9}}, 2, "+", "9:+ $", 1},
        // The push-back stack holds 256 characters: an unmatched run of 257 pushes 256 back.
        {{}, 300, std::string(257, '#'), repeat("-2:# ", 257) + "$", 1},
        {{}, 300, std::string(258, '#'), "!", 1},
    };
    for (const vocabcase &c : cases) {
        SCOPED_TRACE("input: " + c.input.substr(0, 40));
        int line = 0;
        auto setup = [&](aux::lexer &lex, io::bufreader &reader) {
            lex.setbuffer(512);
            lex.setinput(reader);
            for (auto &v : c.vocabulary)
                lex.addtoken(v.first, v.second);
            lex.identifiercode = 3;
            lex.numbercode = 4;
            lex.stringcode = 5;
            lex.symbolwindow = c.window;
        };
        EXPECT_EQ(scan(c.input, line, setup), c.tokens);
        EXPECT_EQ(line, c.line);
    }
}

TEST(lexer, endofinputrepeats) {
    io::memorystream source("a,", 2);
    io::bufreader reader(source, 1024);
    aux::lexer lex;
    configurelexer(lex, reader);
    EXPECT_EQ(lex.nexttoken(), 3);
    EXPECT_EQ(lex.nexttoken(), 9);
    for (int i = 0; i < 3; ++i)
        EXPECT_THROW(lex.nexttoken(), aux::auxexception);
}

TEST(lexer, readfailureisalexerror) {
    scriptedstream source("abc defgh");
    source.failat = 1;
    io::bufreader reader(source, 4);
    aux::lexer lex;
    configurelexer(lex, reader);
    EXPECT_EQ(lex.nexttoken(), 3);
    EXPECT_STREQ(lex.text(), "abc");
    aux::auxexception e = aux::endofinput;
    try {
        lex.nexttoken();
    } catch (aux::auxexception thrown) {
        e = thrown;
    }
    EXPECT_EQ(e, aux::lexerror);
}

} // namespace
