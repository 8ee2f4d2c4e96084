#include "check/traps.h"
#include "check/words.h"
#include "config/configuration.h"
#include "config/loader.h"
#include "process/methods.h"

#include <climits>
#include <cstdint>
#include <functional>

namespace check {

using namespace config;

namespace {

const int tenminutes = 600000;
// How often the shipped task runs.
const int taskinterval = 300000;

// The first start entry with each name: open addressing over entry numbers, which on a large
// configuration costs a fraction of a map's node per name. Eight bytes a slot keep the table
// of 100,000 names in the cache.
struct firstbyname {
    const std::vector<std::string> &names;
    std::vector<std::pair<uint32_t, uint32_t>> slots; // hash, entry + 1; 0: empty

    explicit firstbyname(const std::vector<std::string> &names) : names(names) {
        size_t size = 16;
        while (size < 2 * names.size())
            size *= 2;
        slots.assign(size, {0, 0});
    }

    // The first entry before k with k's name, or k itself when there is none.
    size_t first(size_t k) {
        uint32_t hash = (uint32_t)std::hash<std::string>()(names[k]);
        size_t mask = slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            if (slots[i].second == 0) {
                slots[i] = {hash, (uint32_t)k + 1};
                return k;
            }
            if (slots[i].first == hash && names[slots[i].second - 1] == names[k])
                return slots[i].second - 1;
        }
    }
};

// Whether text holds bytes of 0x80 and above, all of them in well-formed UTF-8 sequences.
bool utf8(const std::string &text) {
    bool high = false;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = (unsigned char)text[i++];
        if (c < 0x80)
            continue;
        high = true;
        size_t more = c >= 0xC2 && c <= 0xDF   ? 1
                      : c >= 0xE0 && c <= 0xEF ? 2
                      : c >= 0xF0 && c <= 0xF4 ? 3
                                               : 0;
        if (more == 0 || i + more > text.size())
            return false;
        for (; more > 0; --more)
            if (((unsigned char)text[i++] & 0xC0) != 0x80)
                return false;
    }
    return high;
}

struct traps {
    explicit traps(analysis &a) : a(a), names(a.names) {}

    analysis &a;
    firstbyname names;
    std::vector<int> closedby; // per start entry: first stop entry, or -1
    bool clippeditem = false;  // a number of the item being walked was held at INT_MAX

    void warn(findingkind kind, position at, const std::string &text) {
        a.warnings.push_back({kind, at, text});
    }

    void delay(position at, const char *what, int ms) {
        // One held at INT_MAX has had its say.
        if (ms > tenminutes && !(ms == INT_MAX && clippeditem))
            warn(findingkind::longdelay, at,
                 std::string("a ") + what + " of " + milliseconds(ms) +
                     " holds the whole run that long; is that meant?");
    }

    void command(size_t k) {
        const std::string &c = configuration.starts[k].command;
        position at = a.starts[k];
        const std::string &name = a.names[k];
        const std::string &directory = a.directories[k];
        if (c.empty()) {
            warn(findingkind::nodirectory, at,
                 "the command is empty: nothing is ever started or found running");
            a.unstartable[k] = "the command is empty";
            return;
        }
        size_t ends = 0;
        for (char ch : c)
            ends += ch == '\n';
        if (ends)
            warn(findingkind::multiline, at,
                 "the command holds a line end, which is part of it: no program runs by that "
                 "name, and tessark.exe counts " +
                     aux::counted(ends, "line", "lines") +
                     " fewer in the line numbers it gives after it; close the '\"' on its line");
        if (utf8(c))
            warn(findingkind::utf8command, at,
                 "the command holds letters written as UTF-8: the file was likely saved as UTF-8, "
                 "and Tessark reads that path in the ANSI code page as another path, which no "
                 "program has; save the file as ANSI");
        if (c.find('/') == std::string::npos && c.find('\\') != std::string::npos) {
            std::string slashed = c;
            for (char &ch : slashed)
                ch = ch == '\\' ? '/' : ch;
            warn(findingkind::backslashes, at,
                 "the command has backslashes and no '/': Tessark looks for the whole text as the "
                 "program's name, so it is never found running, and it has no start directory, "
                 "so Windows refuses to start it; write " +
                     quoted(slashed));
            a.unstartable[k] = "it has no start directory";
        } else if (directory.empty()) {
            warn(findingkind::nodirectory, at,
                 "the command has no start directory (no '/' after its first character): "
                 "Windows refuses to start a program in an empty one, so it never starts; "
                 "write the full path, with '/'");
            a.unstartable[k] = "it has no start directory";
        }
        size_t args = argumentsat(c);
        if (args != std::string::npos && c.find('/', args) != std::string::npos)
            warn(findingkind::slashinargument, at,
                 "the '/' in the arguments moves the start directory into them: Tessark starts "
                 "it in " +
                     quoted(directory) + " and looks for " + quoted(name) +
                     ", so it never starts and is never found running; give no arguments");
        else if (name.find(' ') != std::string::npos)
            warn(findingkind::arguments, at,
                 "the name Tessark looks for, " + quoted(name) +
                     ", holds a space: if that is an argument, no program runs by that name, so "
                     "it is never found running and is started again on every run; give no "
                     "arguments");
        else if (!name.empty() && name.find('.') == std::string::npos)
            warn(findingkind::noextension, at,
                 "the name Tessark looks for, " + quoted(name) +
                     ", has no extension: Windows adds \".exe\" and the program runs as " +
                     quoted(name + ".exe") +
                     ", which Tessark does not recognise, so it is started again on every run; "
                     "write " +
                     quoted(name + ".exe"));
        if (!name.empty()) {
            size_t first = names.first(k);
            if (first != k)
                warn(findingkind::samename, at,
                     "start entry " + std::to_string(first) + " (line " +
                         std::to_string(a.starts[first].line) + ") has the same name, " +
                         quoted(name) +
                         ": only that one is ever found running, so this one is started again "
                         "on every run and never closed");
        }
        delay(at, "startdelay", configuration.starts[k].startdelay);
    }

    void stop(size_t j) {
        const stopentry &s = configuration.stops[j];
        position at = a.stops[j];
        const char *trap = process::wayof(process::methodof(s.method)).trap;
        if (trap)
            warn(findingkind::methodtrap, at, "method " + std::to_string(s.method) + trap);
        if ((unsigned)s.index < closedby.size()) {
            int &first = closedby[s.index];
            if (first >= 0)
                warn(findingkind::closedtwice, at,
                     "start entry " + std::to_string(s.index) +
                         " is closed already by the stop entry at line " +
                         std::to_string(a.stops[first].line) +
                         ": it is closed twice, and another may be left running");
            else
                first = (int)j;
        }
        delay(at, "closedelay", s.closedelay);
    }

    // A setting that a later one of its kind overrides.
    void overridden(position at, const char *word, position last) {
        warn(findingkind::delayoverridden, at,
             std::string("this ") + word + " does not count: the last one does, at line " +
                 std::to_string(last.line));
    }

    void restartdelay(const loadmark &m, bool last) {
        position at = {m.line, m.column};
        if (!last) {
            overridden(at, "restartdelay", a.delayat);
        } else if (configuration.mode != restart) {
            warn(findingkind::delayunused, at,
                 "restartdelay only counts in restart mode, and the mode is " +
                     std::string(keyword(configuration.mode)));
        } else {
            delay(at, "restartdelay", m.value);
        }
    }

    void hungtimeout(const loadmark &m, bool last) {
        position at = {m.line, m.column};
        if (!last) {
            overridden(at, "hungtimeout", a.hungat);
        } else if (m.value != 0 && configuration.mode != juststart &&
                   configuration.mode != restart) {
            warn(findingkind::delayunused, at,
                 "hungtimeout only counts in juststart and restart modes, and the mode is " +
                     std::string(keyword(configuration.mode)));
        } else if (m.value > taskinterval) {
            warn(findingkind::longhungtimeout, at,
                 "a hungtimeout of " + milliseconds(m.value) +
                     " is longer than the task's interval of five minutes: a run that watches a "
                     "program that stopped responding holds the task that long, and its next "
                     "run is skipped meanwhile");
        }
    }

    void cut(const loadmark &m) {
        warn(findingkind::cutoff, {m.line, m.column},
             m.value == numbertoken ? "the file ends inside this stop entry: Tessark drops it "
                                      "without a word"
             : m.value == restartdelaytoken || m.value == hungtimeouttoken
                 ? std::string("the file ends before ") + keyword(m.value) +
                       "'s number: Tessark keeps the earlier value without a word"
                 : "the file ends inside this entry: Tessark drops it without a word");
    }

    void walk() {
        closedby.assign(configuration.starts.size(), -1);
        int modes = 0, delays = 0, hungs = 0;
        for (const loadmark &m : a.record.marks) {
            modes += m.what == loadmark::mode;
            delays += m.what == loadmark::restartdelay;
            hungs += m.what == loadmark::hungtimeout;
        }
        for (const loadmark &m : a.record.marks) {
            position at = {m.line, m.column};
            switch (m.what) {
            case loadmark::start:
                command((size_t)m.value);
                break;
            case loadmark::stop:
                stop((size_t)m.value);
                break;
            case loadmark::mode:
                if (--modes > 0)
                    warn(findingkind::modeoverridden, at,
                         "this mode does not count: the last mode keyword does, '" +
                             std::string(keyword(configuration.mode)) + "' at line " +
                             std::to_string(a.modeat.line));
                break;
            case loadmark::restartdelay:
                restartdelay(m, --delays == 0);
                break;
            case loadmark::hungtimeout:
                hungtimeout(m, --hungs == 0);
                break;
            case loadmark::fraction:
                warn(findingkind::fraction, at,
                     "a number with a fraction: Tessark drops it and reads " +
                         std::to_string(m.value) + "; write whole milliseconds");
                break;
            case loadmark::clipped:
                warn(findingkind::clipped, at,
                     "a number above 2147483647: Tessark reads 2147483647 (as a delay, about "
                     "24.8 days)");
                clippeditem = true;
                continue;
            case loadmark::cutoff:
                cut(m);
                break;
            }
            if (m.what != loadmark::fraction)
                clippeditem = false;
        }
        for (size_t k = 0; k < closedby.size(); ++k)
            if (closedby[k] < 0)
                warn(findingkind::neverclosed, a.starts[k],
                     "no stop entry closes start entry " + std::to_string(k) +
                         ": it is never closed, so justclose and invert leave it running, and "
                         "restart, finding it still running, never restarts the set");
    }
};

} // namespace

void findtraps(analysis &a) {
    traps(a).walk();
}

size_t argumentsat(const std::string &command) {
    for (size_t i = 0; i + 5 <= command.size(); ++i) {
        const char *c = command.c_str() + i;
        if (c[0] == '.' && (c[1] | 0x20) == 'e' && (c[2] | 0x20) == 'x' && (c[3] | 0x20) == 'e' &&
            c[4] == ' ')
            return i + 4;
    }
    return std::string::npos;
}

} // namespace check
