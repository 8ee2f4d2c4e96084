// tessarkcheck.exe under Wine, among running fixtures: per case one check, which must leave
// the directory as it was; its exit code and the lines it prints. Its plan of each run mode's
// branches is compared with tessark.exe's run in the acting tests.
#include "harness.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct plancase {
    const char *name, *args;
    // t.cfg: this text ('~' as below), then, with programs, a start entry "~/NAME.exe", 0 for
    // each and as many stop entries.
    std::string text;
    // Fixtures placed; "*": running ("**": twice); "-": named, not placed; "+": placed, not named.
    std::vector<std::string> programs;
    unsigned exitcode;
    // Beginnings of printed lines, in order: the first begins the output, the last ends it; '~'
    // stands for the scratch directory written with '/'.
    std::vector<std::string> lines;
};

const char reading[] = "configuration, as tessark.exe reads it:",
           usage[] = "usage: tessarkcheck.exe [--offline] CONFIGFILE",
           clean[] = "0 errors, 0 warnings";
const std::vector<std::string> machine = {"-nodir/a", "-none", "-OneWin", "*onewin"};

// clang-format off
const std::vector<plancase> cases = {
    // What this machine says, and only when asked: a directory or a program that is not there,
    // and a name in another letter case on disk and among the running processes.
    {"machine", "t.cfg", "juststart\nstart", machine, 1, {reading, "t.cfg:3:1: warning: the start directory", "t.cfg:4:1: warning: \"~/none.exe\" does", "t.cfg:5:1: warning: the file is named \"onewin.exe\"", "t.cfg:5:1: warning: a process runs as \"onewin.exe\"", "0 errors, 4 warnings"}},
    {"machine, offline", "--offline t.cfg", "juststart\nstart", machine, 0, {reading, clean}},
    // A process that refuses termination; of several processes by one name, the one acted on.
    {"guarded", "t.cfg", "juststart\nstart", {"*guarded"}, 1, {reading, "t.cfg:3:1: warning: the program runs (pid", "0 errors, 1 warning"}},
    {"family", "t.cfg", "juststart\nstart", {"*family"}, 0, {reading, "   ~/family.exe exist, pid", "      > \"~/family.exe\": 3 processes run by its name; Tessark acts on pid", clean}},
    {"two by one name", "t.cfg", "juststart\nstart", {"**onewin"}, 0, {reading, "   ~/onewin.exe exist, pid", "      > \"~/onewin.exe\": 2 processes run by its name; Tessark acts on pid", clean}},
    // Windows runs the first file that exists before a space; a '/' in an argument makes a
    // start directory that does not exist.
    {"arguments", "t.cfg", "juststart\nstart\n\"~/my dir/onewin.exe -q\", 100\n\"~/onewin.exe /q\", 100\nstop 0,0,0 1,0,0", {"+my dir/onewin", "+onewin"}, 1, {reading, "t.cfg:3:1: warning: the name Tessark looks for", "t.cfg:4:1: warning: the '/' in the arguments", "   starting ~/my dir/onewin.exe -q", "      > in \"~/my dir\", then a pause of 100 ms", "   starting ~/onewin.exe /q", "      > the start fails, with no pause: its start directory does not exist", "0 errors, 2 warnings"}},
    // The command line, the form of a finding, the exit codes.
    {"no file", "", "", {}, 3, {usage}},
    {"two files", "a.cfg b.cfg", "", {}, 3, {usage}},
    {"unknown option", "--online a.cfg", "", {}, 3, {usage}},
    {"missing file", "--offline missing.cfg", "", {}, 2, {"missing.cfg:1:1: error: cannot read the file: it does not exist", "1 error, 0 warnings"}},
    // As PowerShell's > saves it: the encoding is the error, not the syntax it makes.
    {"utf-16", "--offline t.cfg", "\xFF\xFEs\0t\0"s, {}, 2, {"t.cfg:1:1: error: the file is saved as UTF-16, as PowerShell's > does: save it as ANSI", "1 error, 0 warnings"}},
    {"syntax error", "--offline t.cfg", "start\n\"a.exe\" 1\n", {}, 2, {"t.cfg:2:9: error: expected ',' after the command, found the number 1", "1 error, 0 warnings"}},
    {"a warning", "--offline t.cfg", "start \"c:/a.exe\", 0\nstop 0, 0, 1\n", {}, 1, {reading, "0 errors, 1 warning"}},
    // The bundled examples fall into none of the traps. Offline: they name Windows' own
    // programs, and Wine has no charmap.exe.
    {"juststart.cfg", "--offline \"" EXAMPLES "/juststart.cfg\"", "", {}, 0, {reading, clean}},
    {"restart.cfg", "--offline \"" EXAMPLES "/restart.cfg\"", "", {}, 0, {reading, clean}},
    {"invert.cfg", "--offline \"" EXAMPLES "/invert.cfg\"", "", {}, 0, {reading, clean}},
    {"justclose.cfg", "--offline \"" EXAMPLES "/justclose.cfg\"", "", {}, 0, {reading, clean}},
};
// clang-format on

TEST(checker, cases) {
    for (const plancase &c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::string text = c.text, stops;
        for (size_t at; (at = text.find('~')) != std::string::npos;)
            text.replace(at, 1, dir.slashed());
        for (size_t i = 0; i < c.programs.size(); ++i) {
            const std::string &p = c.programs[i];
            size_t marks = p.find_first_not_of("*-+");
            std::string name = p.substr(marks) + ".exe";
            for (size_t started = 0; p[0] == '*' && started < marks; ++started)
                ASSERT_TRUE(fixtures.start(name).ready);
            if (marks == 0 || p[0] == '+')
                e2e::placefixture(dir.path, name);
            if (p[0] != '+') {
                text += "\n\"" + dir.slashed() + "/" + name + "\", 0";
                stops += std::to_string(i) + ", 0, 0\n";
            }
        }
        e2e::writefile(dir.file("t.cfg"), stops.empty() ? text : text + "\nstop\n" + stops);

        std::set<std::string> before = e2e::listing(dir.path);
        e2e::result r = e2e::run(dir.path, "\"" + e2e::bindir() + "\\tessarkcheck.exe\" " + c.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitcode, c.exitcode) << r.out;
        EXPECT_EQ(e2e::listing(dir.path), before) << "the checker made or removed a file";
        std::vector<std::string> out = e2e::loglines(r.out);
        for (size_t i = 0, at = 0; i < c.lines.size(); ++i, ++at) {
            std::string want = c.lines[i];
            if (size_t tilde = want.find('~'); tilde != std::string::npos)
                want.replace(tilde, 1, dir.slashed());
            auto begins = [&](size_t k) { return k < out.size() && out[k].rfind(want, 0) == 0; };
            while (i > 0 && at < out.size() && !begins(at))
                ++at;
            EXPECT_TRUE(begins(at) && (i + 1 < c.lines.size() || begins(out.size() - 1)))
                << want << "\n"
                << r.out;
        }
    }
}

} // namespace
