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

lineinfo dumped(std::string_view line) {
    static const std::string withwindows = std::string(dumpname) + dumpexist + dumpwindows;
    static const std::string nowindow = std::string(dumpname) + dumpexist + dumpnowindow;
    static const std::string notexist = std::string(dumpname) + dumpnotexist;
    lineinfo info;
    matched m;
    if (matchline(line, notexist, m)) {
        info.kind = dumpline;
    } else if (matchline(line, withwindows, m) || matchline(line, nowindow, m)) {
        info.kind = dumpline;
        info.running = true;
    }
    info.command = m.text;
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
    static const struct {
        const char *format;
        linekind kind;
    } lines[] = {
        {foundline, found},
        {startmissingline, branchstart},
        {allrunningline, branchstart},
        {restartsetline, branchstart},
        {startsetline, branchstart},
        {closesetline, branchstart},
        {closesomeline, branchstart},
        {closeexistingline, branchstart},
        {loadedline, loaded},
        {terminatingline, terminating},
        {startingallline, startingall},
        {restartfailedline, restartfailed},
        {enumfailedline, enumfailed},
        {enumallfailedline, enumallfailed},
        {syntaxerrorline, syntaxerror},
        {sectionsizesline, sectionsizes},
        {wrongindexline, wrongindex},
    };
    for (const auto &l : lines)
        if (matchline(line, l.format, m)) {
            info.kind = l.kind;
            return info;
        }
    return info;
}
