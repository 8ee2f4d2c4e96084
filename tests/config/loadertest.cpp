#include "config/loader.h"
#include "config/configuration.h"
#include "io/memorystream.h"
#include "logtail.h"
#include "scratchdir.h"
#include "sources.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The loaded configuration in one line: "mode delay | [command]delay ... | index,delay,method ..."
std::string render() {
    std::string s = std::to_string(configuration.mode) + " " +
                    std::to_string(configuration.restartdelay) + " |";
    for (const startentry &e : configuration.starts)
        s += " [" + e.command + "]" + std::to_string(e.startdelay);
    s += " |";
    for (const stopentry &e : configuration.stops)
        s += " " + std::to_string(e.index) + "," + std::to_string(e.closedelay) + "," +
             std::to_string(e.method);
    return s;
}

std::string failure(int line) {
    return "...not enough memory or syntax error at line " + std::to_string(line) +
           " in config file\n";
}

struct loadcase {
    const char *name;
    std::string text;
    int errorline; // 0: the load succeeds
    std::string loaded;
};

void run(const std::vector<loadcase> &cases) {
    for (const loadcase &c : cases) {
        SCOPED_TRACE(c.name);
        configuration = config();
        logtail log;
        io::memorystream source(c.text.data(), c.text.size());
        EXPECT_EQ(loadconfiguration(source), c.errorline == 0);
        EXPECT_EQ(log.text(), c.errorline ? failure(c.errorline) : "");
        EXPECT_EQ(render(), c.loaded);
        for (const startentry &e : configuration.starts) {
            EXPECT_EQ(e.pid, 0u);
            EXPECT_TRUE(e.windows.empty());
        }
    }
}

const char example[] = R"(; programs kept running
restart
restartdelay 3000

start
"c:/tools/server.exe", 2000   ; two seconds for the server to come up
"c:/tools/client.exe", 0

stop
1, 500, 0      ; the client first, with WM_CLOSE, then half a second
0, 5000, 5     ; the server: WM_CLOSE, five seconds, then terminate if still there
)";

TEST(loader, items) {
    run({
        {"empty", "", 0, "10 0 | |"},
        {"only comments", "; nothing\n \t\r\n;x", 0, "10 0 | |"},
        {"mode alone", "invert", 0, "12 0 | |"},
        {"later mode wins", "restart\njustclose", 0, "13 0 | |"},
        {"later delay wins", "restartdelay 5 restartdelay 7", 0, "10 7 | |"},
        {"example", example, 0,
         "11 3000 | [c:/tools/server.exe]2000 [c:/tools/client.exe]0 | 1,500,0 0,5000,5"},
        {"one line", "start \"a\",1 stop 0,2,3", 0, "10 0 | [a]1 | 0,2,3"},
        {"no spaces", "start\"a\",1stop 0,2,3", 0, "10 0 | [a]1 | 0,2,3"},
        {"interleaved", "stop 1,0,0 start \"a\",1 invert \"b\",2 restartdelay 9 stop 0,0,5", 0,
         "12 9 | [a]1 [b]2 | 1,0,0 0,0,5"},
        {"command kept as written", "start \"C:\\x y/z.exe -q;,\",0", 0,
         "10 0 | [C:\\x y/z.exe -q;,]0 |"},
        {"string over two lines", "start \"a\nb\",0", 0, "10 0 | [a\nb]0 |"},
    });
}

TEST(loader, numbers) {
    run({
        {"fraction dropped", "start \"a\",1.5 restartdelay 2000.9", 0, "10 2000 | [a]1 |"},
        {"leading point", "restartdelay .5", 0, "10 0 | |"},
        {"lone point", "stop .,.,.", 0, "10 0 | | 0,0,0"},
        {"largest", "restartdelay 2147483647", 0, "10 2147483647 | |"},
        {"saturated", "restartdelay 2147483648", 0, "10 2147483647 | |"},
        {"saturated, not wrapped", "stop 4294967296,4294967297,99999999999999999999.5", 0,
         "10 0 | | 2147483647,2147483647,2147483647"},
        {"longest", "restartdelay " + std::string(511, '9'), 0, "10 2147483647 | |"},
        {"too long", "restartdelay " + std::string(512, '9'), 1, "10 0 | |"},
    });
}

TEST(loader, syntaxerrors) {
    run({
        {"entry before any section", "\"a\",1", 1, "10 0 | |"},
        {"stop entry before any section", "\n\n1,2,3", 3, "10 0 | |"},
        {"upper case START", "START", 1, "10 0 | |"},
        {"Stop", "restart\nStop", 2, "11 0 | |"},
        {"number in start section", "start 1,2", 1, "10 0 | |"},
        {"string in stop section", "stop \"a\",1,2", 1, "10 0 | |"},
        {"missing comma", "start \"a\" 1", 1, "10 0 | |"},
        {"missing comma in stop", "stop 0,1 2", 1, "10 0 | |"},
        {"restartdelay without number", "restartdelay restart", 1, "10 0 | |"},
        {"minus", "start \"a\",-1", 1, "10 0 | |"},
        {"NUL byte", std::string("start\0", 6), 1, "10 0 | |"},
        {"string left open", "start \"abc", 1, "10 0 | |"},
        {"identifier too long", std::string(600, 'x'), 1, "10 0 | |"},
        {"longest command", "start \"" + std::string(510, 'c') + "\",0", 0,
         "10 0 | [" + std::string(510, 'c') + "]0 |"},
        {"command too long", "start \"" + std::string(511, 'c') + "\",0", 1, "10 0 | |"},
        // What was appended before the failure stays.
        {"entries before the error stay", "invert start \"a\",1\n\"b\",2 x", 2,
         "12 0 | [a]1 [b]2 |"},
    });
}

TEST(loader, lines) {
    run({
        {"CR LF counts one line", "start\r\n\"a\",1\r\n#", 3, "10 0 | [a]1 |"},
        {"lone CR counts none", "start\r\"a\",1\r#", 1, "10 0 | [a]1 |"},
        {"lines in strings are not counted", "start\n\"c:/a\nb\",1\n#", 3, "10 0 | [c:/a\nb]1 |"},
        {"comments count their line end", "; one\n; two\n\n#", 4, "10 0 | |"},
        {"error after a comma at line end", "start\n\"a\",\n#", 3, "10 0 | |"},
    });
}

TEST(loader, endoffile) {
    run({
        {"after command", "start \"a\"", 0, "10 0 | |"},
        {"after comma", "start \"a\",", 0, "10 0 | |"},
        {"after earlier entry", "start \"a\",1 \"b\",", 0, "10 0 | [a]1 |"},
        {"in a stop entry", "stop 0", 0, "10 0 | |"},
        {"after second comma", "stop 0,1,", 0, "10 0 | |"},
        {"comment swallows the rest", "stop 0;1,2\n", 0, "10 0 | |"},
        {"restartdelay cut short", "restartdelay 5\nrestartdelay", 0, "10 5 | |"},
        {"lone quote at the end", "start \"", 0, "10 0 | |"},
        {"quote after an entry", "start \"a\",1\"", 0, "10 0 | [a]1 |"},
    });
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

// Large inputs in one pass: these would crawl if any step were quadratic.
TEST(loader, largeinputs) {
    const std::string commas(10 * 1024 * 1024, ',');
    struct {
        const char *name;
        std::string text;
        int errorline;
        size_t starts, stops;
    } cases[] = {
        {"10 MB of commas", commas, 1, 0, 0},
        {"10 MB of commas in a section", "start\n" + commas, 2, 0, 0},
        {"10 MB of commas in a comment", ";" + commas + "\ninvert", 0, 0, 0},
        {"10 MB of commas in a string", "start \"" + commas + "\"", 1, 0, 0},
        {"10 MB of line ends", std::string(10 * 1024 * 1024, '\n') + "#", 10 * 1024 * 1024 + 1, 0,
         0},
        {"100000 entries", entries(100000), 0, 100000, 100000},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.name);
        configuration = config();
        logtail log;
        io::memorystream source(c.text.data(), c.text.size());
        EXPECT_EQ(loadconfiguration(source), c.errorline == 0);
        EXPECT_EQ(log.text(), c.errorline ? failure(c.errorline) : "");
        EXPECT_EQ(configuration.starts.size(), c.starts);
        EXPECT_EQ(configuration.stops.size(), c.stops);
    }
    EXPECT_EQ(configuration.starts[99999].command, "c:/programs/p99999.exe");
    EXPECT_EQ(configuration.stops[99999].index, 0);
}

TEST(loader, failedread) {
    struct {
        const char *name;
        int failat; // which read of the source fails
        int errorline;
        size_t starts;
    } cases[] = {
        {"first block", 0, 1, 0},
        {"third block", 2, 0, 0},
    };
    // The third read would bring the bytes from 2048 on: everything before was scanned.
    std::string text = entries(100);
    size_t ends = std::count(text.begin(), text.begin() + 2048, '\n');
    cases[1].errorline = 1 + (int)ends;
    cases[1].starts = ends - 2; // after "restart" and "start", an entry per line
    for (auto &c : cases) {
        SCOPED_TRACE(c.name);
        configuration = config();
        logtail log;
        scriptedstream source(text);
        source.failat = c.failat;
        EXPECT_FALSE(loadconfiguration(source));
        EXPECT_EQ(log.text(), failure(c.errorline));
        EXPECT_EQ(configuration.starts.size(), c.starts);
    }
}

TEST(loader, files) {
    scratchdir dir;
    // Spans three blocks, with entries cut across the block ends.
    std::string text = entries(80);
    ASSERT_GT(text.size(), 2048u);
    spit(dir.file("big.cfg"), text);
    spit(dir.file("empty.cfg"), "");
    spit(dir.file("bad.cfg"), "start\n\"a\", 1\n\n-");
    struct {
        std::string path;
        int errorline;
        size_t starts;
    } cases[] = {
        {dir.file("big.cfg"), 0, 80},        {dir.file("empty.cfg"), 0, 0},
        {dir.file("bad.cfg"), 4, 1},         {dir.file("missing.cfg"), 1, 0},
        {dir.file("no/such/dir.cfg"), 1, 0}, {dir.path.string(), 1, 0},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.path);
        configuration = config();
        logtail log;
        EXPECT_EQ(loadconfiguration(c.path.c_str()), c.errorline == 0);
        EXPECT_EQ(log.text(), c.errorline ? failure(c.errorline) : "");
        EXPECT_EQ(configuration.starts.size(), c.starts);
    }
    configuration = config();
    ASSERT_TRUE(loadconfiguration(dir.file("big.cfg").c_str()));
    ASSERT_EQ(configuration.starts.size(), 80u);
    for (int i = 0; i < 80; ++i) {
        EXPECT_EQ(configuration.starts[i].command, "c:/programs/p" + std::to_string(i) + ".exe");
        EXPECT_EQ(configuration.starts[i].startdelay, i);
        EXPECT_EQ(configuration.stops[i].index, 79 - i);
    }
    // Every path closed its file: the directory can go, also under Windows.
    std::filesystem::remove_all(dir.path);
    EXPECT_FALSE(std::filesystem::exists(dir.path));
}

} // namespace
