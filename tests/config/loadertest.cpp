#include "config/loader.h"
#include "config/check.h"
#include "config/configuration.h"
#include "config/grammar.h"
#include "io/logfile.h"
#include "io/memorystream.h"
#include "testio.h"

#include <gtest/gtest.h>

using namespace config;

namespace {

// What applog received since construction. applog cannot be closed, so it is opened once per
// process, on a file in the current directory.
struct logtail {
    static constexpr const char *name = "configtest.log";
    size_t mark;
    logtail() {
        static bool opened = (applog.open(name, true), true);
        mark = opened ? e2e::readfile(name).size() : 0;
    }
    std::string text() const { return e2e::readfile(name).substr(mark); }
};

// The loaded configuration in one line: "mode delay [hung N] | [command]delay ... |
// index,delay,method ..."
std::string render() {
    std::string s =
        std::to_string(configuration.mode) + " " + std::to_string(configuration.restartdelay) +
        (configuration.hungtimeout ? " hung " + std::to_string(configuration.hungtimeout) : "") +
        " |";
    for (const startentry &e : configuration.starts)
        s += " [" + e.command + "]" + std::to_string(e.startdelay);
    s += " |";
    for (const stopentry &e : configuration.stops)
        s += " " + std::to_string(e.index) + "," + std::to_string(e.closedelay) + "," +
             std::to_string(e.method);
    return s;
}

// A fresh load from source (a stream or a path), which fails at errorline, or succeeds if 0.
template <class S> void load(S &&source, int errorline) {
    configuration = config::settings();
    logtail log;
    EXPECT_EQ(loadconfiguration(source), errorline == 0);
    EXPECT_EQ(log.text(), errorline ? "...not enough memory or syntax error at line " +
                                          std::to_string(errorline) + " in config file\n"
                                    : "");
}

// Text -> the line of the syntax error (0: none), what was loaded, and what the check of a
// loaded configuration says: 0 it passes, 's' the sections differ in size, 'i' a wrong index.
TEST(loader, loadandcheck) {
    struct {
        std::string text;
        int errorline;
        std::string loaded;
        char check = 0;
    } cases[] = {
        // clang-format off
        {"", 0, "10 0 | |"},
        {"invert", 0, "12 0 | |"},
        {"restart\njustclose", 0, "13 0 | |"}, // the later mode and delay win
        {"restartdelay 5 restartdelay 7", 0, "10 7 | |"},
        {"hungtimeout 8000 start \"a\",1 restart hungtimeout 3000", 0, "11 0 hung 3000 | [a]1 |", 's'},
        {"hungtimeout 3000 hungtimeout 0", 0, "10 0 | |"}, // 0 turns it off
        {"restart ;x\nstart\n\"c:/s.exe\", 2000 ;y\n\"c:/c.exe\", 0\nstop\n1, 500, 0\n0, 5000, 5\n", 0, "11 0 | [c:/s.exe]2000 [c:/c.exe]0 | 1,500,0 0,5000,5"},
        {"start\"a\",1stop 0,2,3", 0, "10 0 | [a]1 | 0,2,3"},
        {"stop 1,0,0 start \"a\",1 invert \"b\",2 restartdelay 9 stop 0,0,5", 0, "12 9 | [a]1 [b]2 | 1,0,0 0,0,5"},
        {"start \"C:\\x y/z.exe -q;,\",0", 0, "10 0 | [C:\\x y/z.exe -q;,]0 |", 's'}, // as written
        // Numbers: the fraction is dropped, anything above 2147483647 held there, not wrapped.
        {"start \"a\",1.5 restartdelay 2000.9", 0, "10 2000 | [a]1 |", 's'},
        {"stop .,.,.", 0, "10 0 | | 0,0,0", 's'},
        {"restartdelay 2147483647", 0, "10 2147483647 | |"},
        {"restartdelay 2147483648", 0, "10 2147483647 | |"},
        {"stop 4294967296,4294967297,99999999999999999999.5", 0, "10 0 | | 2147483647,2147483647,2147483647", 's'},
        // Syntax errors (more, with their columns, in the checker's tests); what was appended
        // before one stays.
        {"\n\n1,2,3", 3, "10 0 | |"},
        {"start 1,2", 1, "10 0 | |"},
        {"stop \"a\",1,2", 1, "10 0 | |"},
        {"restartdelay restart", 1, "10 0 | |"},
        {"hungtimeout\n,", 2, "10 0 | |"},
        {"invert start \"a\",1\n\"b\",2 x", 2, "12 0 | [a]1 [b]2 |"},
        // The end of the file inside an item ends the load without an error.
        {"start \"a\"", 0, "10 0 | |"},
        {"start \"a\",", 0, "10 0 | |"},
        {"start \"a\",1 \"b\",", 0, "10 0 | [a]1 |", 's'},
        {"stop 0", 0, "10 0 | |"},
        {"stop 0,1,", 0, "10 0 | |"},
        {"restartdelay 5\nrestartdelay", 0, "10 5 | |"},
        {"start \"a\",1\"", 0, "10 0 | [a]1 |", 's'},
        {"stop 0,0,0 start \"a\",", 0, "10 0 | | 0,0,0", 's'}, // a start entry cut short is dropped
        // The check: an index may repeat, methods and delays are free, sizes are told first.
        {"start \"a\",0 \"b\",0 stop 1,0,0 1,0,0", 0, "10 0 | [a]0 [b]0 | 1,0,0 1,0,0"},
        {"start \"a\",0 stop 0,99999,77", 0, "10 0 | [a]0 | 0,99999,77"},
        {"start \"a\",0 \"b\",0 stop 0,0,0 2,0,0", 0, "10 0 | [a]0 [b]0 | 0,0,0 2,0,0", 'i'},
        {"start \"a\",0 stop 0,0,0 start \"b\",0 stop 9,0,0", 0, "10 0 | [a]0 [b]0 | 0,0,0 9,0,0", 'i'},
        {"start \"a\",0 stop 4294967296,0,0", 0, "10 0 | [a]0 | 2147483647,0,0", 'i'}, // not wrapped to 0
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        load(io::memorystream(c.text.data(), c.text.size()), c.errorline);
        EXPECT_EQ(render(), c.loaded);
        for (const startentry &e : configuration.starts) {
            EXPECT_EQ(e.pid, 0u);
            EXPECT_TRUE(e.windows.empty());
        }
        if (c.errorline == 0) {
            logtail log;
            EXPECT_EQ(checkconfiguration(), c.check == 0);
            EXPECT_EQ(log.text(), c.check == 's' ? "...size of sections in cfg file is different\n"
                                  : c.check == 'i' ? "...wrong index in stop section\n"
                                                   : "");
        }
    }
}

std::string entries(int n) {
    std::string text = "restart\nstart\n";
    for (int i = 0; i < n; ++i)
        text += "\"c:/programs/p" + std::to_string(i) + ".exe\", " + std::to_string(i) + "\n";
    text += "stop\n";
    for (int i = 0; i < n; ++i)
        text += std::to_string(n - 1 - i) + ", 250, 5\n";
    return text;
}

// A failing read is a syntax error at the line reached; the third read would bring the bytes
// from 2048 on, so everything before was loaded.
TEST(loader, failedread) {
    std::string text = entries(100);
    int ends = (int)std::count(text.begin(), text.begin() + 2048, '\n');
    for (auto c : {std::pair<int, int>{0, 1}, {2, 1 + ends}}) {
        load(scriptedstream(text, c.first), c.second);
        EXPECT_EQ(configuration.starts.size(), c.first ? ends - 2u : 0u); // "restart", "start"
    }
    // The checker is told where the lexer stood: in a number begun at line 2041, column 4.
    struct {
        loadfailure told = {};
        void mark(const loadmark &) {}
        void failed(const loadfailure &f) { told = f; }
    } tell;
    scriptedstream number(std::string(2040, '\n') + "   " + std::string(20, '7'), 2);
    EXPECT_FALSE(loadconfiguration(number, tell));
    EXPECT_EQ(tell.told.wanted, expectation::unreadable);
    EXPECT_EQ(std::make_pair(tell.told.line, tell.told.column), std::make_pair(2041, 4u));
}

} // namespace
