#include "text/lexer.h"
#include "config/loader.h"
#include "io/bufreader.h"
#include "io/memorystream.h"
#include "text/auxexception.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace config;

namespace {

using vocabulary = std::vector<std::pair<const char *, unsigned>>;

// Input -> every token as "code:text ", then "$" for the end of the input (which must repeat on
// the next call) or "!" for lexerror, and the line at the end. A window of 0 stands for the
// configuration's own vocabulary; otherwise words, with codes 3, 4 and 5 for identifiers,
// numbers and strings, as in the configuration.
TEST(lexer, tokens) {
    const vocabulary ops = {{" ", aux::skipflag}, {"=", 1}, {"==", 2}, {"=>", 3}, {"<==", 4}};
    const std::string id511(511, 'a'), num511(511, '7'), str510(510, 's');
    std::string hashes; // what 257 unmatched '#' give
    for (int i = 0; i < 257; ++i)
        hashes += "-2:# ";
    struct {
        vocabulary words;
        unsigned window;
        std::string input, tokens;
        int line;
    } cases[] = {
        // clang-format off
        {{}, 0, "start Start start1 _start", "7:start 3:Start 3:start1 3:_start $", 1}, // whole, in case
        {{}, 0, "restartdelay restart restarts", "20:restartdelay 11:restart 3:restarts $", 1},
        {{}, 0, "juststart invert justclose stop", "10:juststart 12:invert 13:justclose 8:stop $", 1},
        {{}, 0, "1.2.3", "4:1.2 4:.3 $", 1}, // numbers have at most one point
        {{}, 0, ". .5 1..2", "4:. 4:.5 4:1. 4:.2 $", 1},
        {{}, 0, "12ab ab12", "4:12 3:ab 3:ab12 $", 1},
        {{}, 0, "a,-5#", "3:a 9:, -2:- 4:5 -2:# $", 1}, // symbols are one character, unknown ones -2
        {{}, 0, std::string("\xff\x80\0", 3), "-2:\xff -2:\x80 -2: $", 1},
        {{}, 0, "a\"b;,c\"d", "3:a 5:b;,c 3:d $", 1}, // strings: no escapes, no comments
        {{}, 0, "\"\"", "5: $", 1},
        {{}, 0, "\"x\ny\" z\n", "5:x\ny 3:z $", 2},
        {{}, 0, "\"", "$", 1},
        {{}, 0, "\"a\nb", "-2:a\nb $", 1},
        {{}, 0, "", "$", 1}, // comments run to the line feed; CR LF is one line, a lone CR none
        {{}, 0, " \t\r\n ; c\n;", "$", 3},
        {{}, 0, "a;b\nc", "3:a 3:c $", 2},
        {{}, 0, "; x\r y \"z\n1", "4:1 $", 2},
        {{}, 0, "a\r\nb", "3:a 3:b $", 2},
        {{}, 0, "a\rb", "3:a 3:b $", 1},
        {{}, 0, ",\n", "9:, $", 2}, // the line end read after the comma is counted later, once
        {{}, 0, id511, "3:" + id511 + " $", 1}, // identifiers and numbers take 511 bytes, strings 510
        {{}, 0, id511 + "a", "!", 1},
        {{}, 0, num511, "4:" + num511 + " $", 1},
        {{}, 0, num511 + "7", "!", 1},
        {{}, 0, "\"" + str510 + "\"", "5:" + str510 + " $", 1},
        {{}, 0, "\"" + str510 + "s\"", "!", 1},
        {{}, 0, "\n\"" + std::string(600, '\n') + "\"", "!", 2},
        {ops, 3, "= == => ===", "1:= 2:== 3:=> 2:== 1:= $", 1}, // longest prefix shorter than the window
        {ops, 3, "<==", "-2:< 2:== $", 1}, // as long as the window: never looked up
        {ops, 4, "<== <=", "4:<== -2:< 1:= $", 1},
        {{{"/", aux::commentflag | 6}, {"//", 5}, {"\n", aux::lineflag | 1}}, 3, "a//b\nc/", "3:a 3:c $", 2}, // flags act at once
        {{{"'", aux::quoteflag | 2}}, 2, "'a\"b'", "5:a\"b $", 1}, // the registered quote only
        {{}, 300, std::string(257, '#'), hashes + "$", 1}, // 256 pushed back, not 257
        {{}, 300, std::string(258, '#'), "!", 1},
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE("input: " + c.input.substr(0, 40));
        io::memorystream source(c.input.data(), c.input.size());
        io::bufreader reader(source, 1024);
        aux::lexer lex;
        if (c.window == 0)
            configurelexer(lex, reader);
        else {
            lex.setbuffer(512);
            lex.setinput(reader);
            for (auto &v : c.words)
                lex.addtoken(v.first, v.second);
            lex.identifiercode = 3;
            lex.numbercode = 4;
            lex.stringcode = 5;
            lex.symbolwindow = c.window;
        }
        std::string out;
        try {
            for (int i = 0; i < 100000; ++i, out += " ")
                out += std::to_string(lex.nexttoken()) + ":" + lex.text();
            out += "(no end)";
        } catch (aux::auxexception e) {
            out += e == aux::lexerror ? "!" : e != aux::endofinput ? "?" : "$";
            if (e == aux::endofinput) {
                EXPECT_THROW(lex.nexttoken(), aux::auxexception) << "the end must repeat";
            }
        }
        EXPECT_EQ(out, c.tokens);
        EXPECT_EQ(lex.line, c.line);
    }
}

} // namespace
