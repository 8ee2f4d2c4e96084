#include "logreport/classify.h"
#include "io/loglines.h"
#include "logreport/clocktext.h"
#include "logreport/lineformat.h"

#include <string>

namespace {

std::string_view bare(const char *text) {
    std::string_view s = text;
    if (!s.empty() && s.back() == '\n')
        s.remove_suffix(1);
    return s;
}

lineinfo stamped(std::string_view line) {
    lineinfo info;
    matched m;
    if (!matchline(line, stampformat, m))
        return info;
    long long t = epochseconds(m.numbers[2], m.numbers[1], m.numbers[0], m.numbers[3], m.numbers[4],
                               m.numbers[5]);
    if (t < 0)
        return info;
    if (m.text == startedline)
        info.kind = started;
    else if (m.text == normalendline)
        info.kind = normalend;
    else if (m.text == errorendline)
        info.kind = errorend;
    info.stamp = t;
    return info;
}

// A text of the log as a line, and what a line matching it is.
struct known {
    std::string_view text;
    linekind kind;
    bool fixed; // no conversion: the line must be the text
};

known make(const char *text, linekind kind) {
    std::string_view t = bare(text);
    return {t, kind, t.find('%') == std::string_view::npos};
}

lineinfo dumped(std::string_view line) {
    static const std::string withwindows = std::string(dumpname) + dumpexist + dumpwindows;
    static const std::string nowindow = std::string(dumpname) + dumpexist + dumpnowindow;
    static const std::string notexist = std::string(dumpname) + dumpnotexist;
    // The three endings differ in their last letter, which picks the one to try.
    static const std::string_view endings[] = {bare(notexist.c_str()), bare(withwindows.c_str()),
                                               bare(nowindow.c_str())};
    lineinfo info;
    matched m;
    for (std::string_view ending : endings) {
        if (line.back() != ending.back() || !matchline(line, ending, m))
            continue;
        info.kind = dumpline;
        info.running = ending != endings[0];
        info.command = m.text;
        break;
    }
    return info;
}

} // namespace

lineinfo classify(std::string_view line, bool indump) {
    if (line.empty())
        return {};
    if (line[0] >= '0' && line[0] <= '9')
        return stamped(line);
    lineinfo info;
    if (indump) {
        info = dumped(line);
        if (info.kind != unrecognised)
            return info;
    }
    matched m;
    if (line.substr(0, 3) == "   ") {
        if (matchline(line, startingline, m))
            info.kind = starting;
        else if (matchline(line, closingline, m))
            info.kind = closing;
        info.command = m.text;
        return info;
    }
    if (line == bare(dumpheading)) {
        info.kind = dumpheading_;
        return info;
    }
    if (line.substr(0, 3) != "...")
        return info;
    static const known lines[] = {
        make(foundline, found),
        make(startmissingline, branchstart),
        make(allrunningline, branchstart),
        make(restartsetline, branchstart),
        make(startsetline, branchstart),
        make(closesetline, branchstart),
        make(closesomeline, branchstart),
        make(closeexistingline, branchstart),
        make(loadedline, loaded),
        make(terminatingline, terminating),
        make(startingallline, startingall),
        make(restartfailedline, restartfailed),
        make(enumfailedline, enumfailed),
        make(enumallfailedline, enumallfailed),
        make(syntaxerrorline, syntaxerror),
        make(sectionsizesline, sectionsizes),
        make(wrongindexline, wrongindex),
    };
    for (const known &l : lines)
        if (l.fixed ? line == l.text : line[3] == l.text[3] && matchline(line, l.text, m)) {
            info.kind = l.kind;
            return info;
        }
    return info;
}
