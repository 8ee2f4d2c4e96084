// The checker's analysis: configurations against the findings they give, and where.
#include "check/analysis.h"
#include "io/memorystream.h"

#include <tuple>

#include <gtest/gtest.h>

using namespace config;
using namespace check;

namespace {

using namespace std::string_literals;
using found = std::tuple<findingkind, int, unsigned>; // kind, line, column

// "@missing" and "@dir" stand for a file that does not exist and for a directory.
analysis check(const std::string &text) {
    analysis a;
    if (text == "@missing" || text == "@dir") {
        analysefile(a, text == "@dir" ? "." : "no such dir/x.cfg");
    } else {
        io::memorystream source(text.data(), text.size());
        analysestream(a, source);
    }
    return a;
}

const std::string ok = " stop 0,0,0"; // closes a lone start entry quietly

TEST(check, findings) {
    const std::string long600(600, 'x');
    struct {
        std::string text;
        std::vector<found> findings;
        const char *says = ""; // part of the first finding's text
    } cases[] = {
        // clang-format off
        {"restart\nstart \"c:/a.exe\", 0" + ok, {}},
        {"start \"a.exe\" 1", {{findingkind::syntaxerror, 1, 15}}, "expected ',' after the command, found the number 1"},
        {"\"a\",1", {{findingkind::syntaxerror, 1, 1}}, "expected 'start' or 'stop'"},
        {"restart\r\n  Stop", {{findingkind::syntaxerror, 2, 3}}, "the word 'Stop' (keywords are written in lower case)"},
        {"start \"a\",-1", {{findingkind::syntaxerror, 1, 11}}, "the character \"-\""},
        {"stop 0,1 2", {{findingkind::syntaxerror, 1, 10}}, "expected ',' after the closedelay"},
        {"start\n\"abc", {{findingkind::syntaxerror, 2, 1}}, "a string that the end of the file cuts off"},
        {"start \"" + long600 + "\"", {{findingkind::syntaxerror, 1, 7}}, "512 characters"},
        {"@missing", {{findingkind::unreadablefile, 1, 1}}, "it does not exist"},
        {"@dir", {{findingkind::unreadablefile, 1, 1}}, "it is a directory"},
        {"start \"c:/a.exe\",0\n\"c:/b.exe\",0 stop 0,0,0", {{findingkind::sectionsizes, 2, 1}, {findingkind::neverclosed, 2, 1}}, "2 start entries (the last at line 2) but 1 stop entry (the last at line 2)"},
        {"start \"c:/a.exe\",0 stop\n0,0,0 1,0,0\n7,0,0", {{findingkind::sectionsizes, 3, 1}, {findingkind::badindex, 2, 7}, {findingkind::badindex, 3, 1}}},
        {"start \"c:/a.exe\",0 stop 3,0,0", {{findingkind::badindex, 1, 25}, {findingkind::neverclosed, 1, 7}}, "names start entry 3, but the start entries are 0 to 0"},
        {"start \"c:\\t\\a.exe\",0" + ok, {{findingkind::backslashes, 1, 7}}, "write \"c:/t/a.exe\""},
        {"start \"a.exe\",0 \"/b.exe\",0 \"\",0 stop 0,0,0 1,0,0 2,0,0", {{findingkind::nodirectory, 1, 7}, {findingkind::nodirectory, 1, 17}, {findingkind::nodirectory, 1, 28}}},
        {"start \"c:/t/a.exe -q\",0 \"c:/my t/b c\",0 stop 0,0,0 1,0,0", {{findingkind::arguments, 1, 7}, {findingkind::arguments, 1, 25}}, "\"a.exe -q\""},
        {"start \"c:/t/a.EXE -o c:/x/y.txt\",0" + ok, {{findingkind::slashinargument, 1, 7}}, "starts it in \"c:/t/a.EXE -o c:/x\" and looks for \"y.txt\""},
        {"start \"c:/t/notepad\",0" + ok, {{findingkind::noextension, 1, 7}}, "runs as \"notepad.exe\""},
        {"start \"c:/a\n.exe\",0\n\n" + ok, {{findingkind::multiline, 1, 7}}},
        // The encodings: UTF-16 with and without its mark, UTF-8's mark, which tessark.exe does
        // not read; a later NUL is its line's own error; a path of UTF-8 letters, not of cp1252.
        {"\xFF\xFEs\0t\0"s, {{findingkind::wrongencoding, 1, 1}}, "saved as UTF-16, as PowerShell's > does: save it as ANSI"},
        {"s\0t\0a\0r\0t\0 \0\"\0"s, {{findingkind::wrongencoding, 1, 1}}, "finds a NUL here"},
        {"\xEF\xBB\xBFstart \"c:/a.exe\",0" + ok, {{findingkind::wrongencoding, 1, 1}}, "UTF-8 with a byte order mark"},
        {"start \"c:/a.exe\",0\n\0"s + ok, {{findingkind::syntaxerror, 2, 1}}},
        {";\0\nstart \"c:/a.exe\",0"s + ok, {{findingkind::oddencoding, 1, 1}}},
        {"start \"c:/caf\xC3\xA9.exe\",0" + ok, {{findingkind::utf8command, 1, 7}}, "saved as UTF-8"},
        {"start \"c:/caf\xE9.exe\",0" + ok, {}},
        {"start \"c:/t/a.exe\",0\n\"d:/a.exe\",0 stop 0,0,0 1,0,0", {{findingkind::samename, 2, 1}}, "start entry 0 (line 1)"},
        {"start \"c:/a.exe\",0 \"c:/b.exe\",0\nstop 0,0,0\n0,0,5", {{findingkind::neverclosed, 1, 20}, {findingkind::closedtwice, 3, 1}}},
        {"start \"c:/a.exe\",0 \"c:/b.exe\",0 \"c:/c.exe\",0 \"c:/d.exe\",0\nstop 0,0,1 1,0,2 2,0,4 3,0,6", {{findingkind::methodtrap, 2, 6}, {findingkind::methodtrap, 2, 12}, {findingkind::methodtrap, 2, 24}}},
        {"start \"c:/a.exe\",1.5 stop 0,0.0,0", {{findingkind::fraction, 1, 18}, {findingkind::fraction, 1, 29}}, "reads 1"},
        {"start \"c:/a.exe\",99999999999 stop 0,2147483647,0", {{findingkind::clipped, 1, 18}, {findingkind::longdelay, 1, 35}}},
        {"restart restartdelay 600001 start \"c:/a.exe\",600000 stop 0,600001,0", {{findingkind::longdelay, 1, 9}, {findingkind::longdelay, 1, 58}}, "600001 ms (10.0 minutes)"},
        {"juststart restartdelay 1\ninvert restartdelay 2 justclose", {{findingkind::modeoverridden, 1, 1}, {findingkind::delayoverridden, 1, 11}, {findingkind::modeoverridden, 2, 1}, {findingkind::delayunused, 2, 8}}, "'justclose' at line 2"},
        {"start \"c:/a.exe\",0" + ok + " start \"c:/b.exe\",", {{findingkind::cutoff, 1, 37}}, "inside this entry"},
        {"start \"c:/a.exe\",0" + ok + " 0,0", {{findingkind::cutoff, 1, 31}}, "inside this stop entry"},
        {"restartdelay 5 restartdelay", {{findingkind::delayunused, 1, 1}, {findingkind::cutoff, 1, 16}}, "restartdelay only counts in restart mode, and the mode is juststart"},
        {"start \"c:/a.exe\",0" + ok + " \"", {{findingkind::cutoff, 1, 31}}},
        // hungtimeout: the last counts, only where programs are kept running, and a watch longer
        // than the task's interval makes it skip runs.
        {"hungtimeout 1 invert hungtimeout 2\nhungtimeout 0 hungtimeout 5", {{findingkind::delayoverridden, 1, 1}, {findingkind::delayoverridden, 1, 22}, {findingkind::delayoverridden, 2, 1}, {findingkind::delayunused, 2, 15}}, "the last one does, at line 2"},
        {"restart hungtimeout 300001 hungtimeout", {{findingkind::longhungtimeout, 1, 9}, {findingkind::cutoff, 1, 28}}, "longer than the task's interval of five minutes"},
        // clang-format on
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 70));
        analysis a = check(c.text);
        std::vector<found> got;
        std::vector<finding> all = a.errors;
        all.insert(all.end(), a.warnings.begin(), a.warnings.end());
        for (const finding &f : all)
            got.emplace_back(f.kind, f.at.line, f.at.column);
        EXPECT_EQ(got, c.findings);
        if (!all.empty()) {
            EXPECT_NE(all[0].text.find(c.says), std::string::npos) << all[0].text;
        }
        // Errors are what makes tessark.exe stop, and nothing else.
        EXPECT_EQ(a.errors.empty(), a.consistent);
    }
}

} // namespace
