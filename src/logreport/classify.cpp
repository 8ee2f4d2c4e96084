#include "logreport/classify.h"
#include "io/loglines.h"
#include "logreport/clocktext.h"
#include "logreport/lineformat.h"

#include <string>

namespace logreport {

namespace {

std::string_view bare(std::string_view s) {
    if (!s.empty() && s.back() == '\n')
        s.remove_suffix(1);
    return s;
}

lineinfo stamped(std::string_view line) {
    static const lineformat stamp(stampformat);
    lineinfo info;
    matched m;
    if (!stamp.match(line, m))
        return info;
    long long t = epochseconds(m.numbers[2], m.numbers[1], m.numbers[0], m.numbers[3], m.numbers[4],
                               m.numbers[5]);
    if (t < 0)
        return info;
    if (m.text == startedline)
        info.kind = linekind::started;
    else if (m.text == normalendline)
        info.kind = linekind::normalend;
    else if (m.text == errorendline)
        info.kind = linekind::errorend;
    info.stamp = t;
    return info;
}

// A text of the log, and what a line matching it is.
struct known {
    std::string_view text;
    linekind kind;
    bool fixed; // no conversion: the line must be the text
    lineformat format;
    known(const char *t, linekind kind)
        : text(bare(t)), kind(kind), fixed(text.find('%') == std::string_view::npos), format(text) {
    }
};

// The three endings of a dump line differ in their last letter, which picks the one to try.
struct dumpending {
    std::string text;
    bool running;
    lineformat format;
    dumpending(std::string t, bool running) : text(t), running(running), format(bare(text)) {}
};

lineinfo dumped(std::string_view line) {
    static const dumpending endings[] = {
        {std::string(dumpname) + dumpnotexist, false},
        {std::string(dumpname) + dumpexist + dumpwindows, true},
        {std::string(dumpname) + dumpexist + dumpnowindow, true},
    };
    lineinfo info;
    matched m;
    for (const dumpending &e : endings) {
        if (line.back() != e.text[e.text.size() - 2] || !e.format.match(line, m))
            continue;
        info.kind = linekind::dumpline;
        info.running = e.running;
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
        if (info.kind != linekind::unrecognised)
            return info;
    }
    matched m;
    if (line.substr(0, 3) == "   ") {
        // clang-format off
        static const known lines[] = {
            {startingline, linekind::starting},
            {closingline, linekind::closing},
            {terminatefailedline, linekind::refused},
            {unreachedline, linekind::unreached},
            {notrespondingline, linekind::notresponding},
        };
        // clang-format on
        // The fourth letter rules out most texts before a match is tried.
        for (const known &l : lines)
            if (line.size() > 3 && line[3] == l.text[3] && l.format.match(line, m)) {
                info.kind = l.kind;
                info.command = m.text;
                break;
            }
        return info;
    }
    if (line == bare(dumpheading)) {
        info.kind = linekind::dumpheading;
        return info;
    }
    if (line.substr(0, 3) != "...")
        return info;
    static const known lines[] = {
        {foundline, linekind::found},
        {startmissingline, linekind::branchstart},
        {allrunningline, linekind::branchstart},
        {restartsetline, linekind::branchstart},
        {startsetline, linekind::branchstart},
        {closesetline, linekind::branchstart},
        {closesomeline, linekind::branchstart},
        {closeexistingline, linekind::branchstart},
        {loadedline, linekind::loaded},
        {terminatingline, linekind::terminating},
        {startingallline, linekind::startingall},
        {restartfailedline, linekind::restartfailed},
        {enumfailedline, linekind::enumfailed},
        {enumallfailedline, linekind::enumallfailed},
        {syntaxerrorline, linekind::syntaxerror},
        {sectionsizesline, linekind::sectionsizes},
        {wrongindexline, linekind::wrongindex},
    };
    for (const known &l : lines)
        if (l.fixed ? line == l.text
                    : line.size() > 3 && line[3] == l.text[3] && l.format.match(line, m)) {
            info.kind = l.kind;
            return info;
        }
    return info;
}

} // namespace logreport
