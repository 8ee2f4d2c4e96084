#include "check/errors.h"
#include "check/words.h"
#include "config/check.h"
#include "config/configuration.h"
#include "config/loader.h"

namespace check {

using namespace config;

namespace {

const char *wanted(expectation e) {
    switch (e) {
    case expectation::wantkeyword:
        return "expected 'start' or 'stop' before the first entry (only a mode or restartdelay "
               "may stand before it)";
    case expectation::wantcommand:
        return "expected a start entry (\"command\", startdelay) or a keyword";
    case expectation::wantindex:
        return "expected a stop entry (index, closedelay, method) or a keyword";
    case expectation::wantcommaaftercommand:
        return "expected ',' after the command";
    case expectation::wantcommaafterindex:
        return "expected ',' after the index";
    case expectation::wantcommaafterclosedelay:
        return "expected ',' after the closedelay";
    case expectation::wantstartdelay:
        return "expected the startdelay, a number, after ','";
    case expectation::wantclosedelay:
        return "expected the closedelay, a number, after ','";
    case expectation::wantmethod:
        return "expected the method, a number, after ','";
    case expectation::wantrestartdelay:
        return "expected a number after restartdelay";
    case expectation::wanthungtimeout:
        return "expected a number after hungtimeout";
    default:
        return "";
    }
}

std::string syntax(const loadrecord &r) {
    if (r.failure.wanted == expectation::toolong)
        return "a token of 512 characters or more: a command holds at most 510, a number or a "
               "word 511";
    return std::string(wanted(r.failure.wanted)) + ", found " +
           tokenwords(r.failure.found, r.failure.foundcut, r.foundtext);
}

// What the first bytes say of a file saved in an encoding tessark.exe does not read, or empty.
// It reads one byte a character, so a byte order mark is text to it, and UTF-16 is text with
// a NUL in every other byte.
std::string encoding(const std::string &head) {
    if (head.compare(0, 2, "\xFF\xFE") == 0 || head.compare(0, 2, "\xFE\xFF") == 0 ||
        head.substr(0, 2).find('\0') != std::string::npos)
        return std::string("the file is saved as UTF-16, as PowerShell's > does: save it as ANSI "
                           "(tessark.exe reads one byte a character, and finds ") +
               (head[0] == '\xFF' || head[0] == '\xFE' ? "a byte order mark" : "a NUL") + " here)";
    if (head == "\xEF\xBB\xBF")
        return "the file is saved as UTF-8 with a byte order mark, which tessark.exe reads as "
               "part of the first keyword: save it as ANSI, or as UTF-8 without the mark";
    return "";
}

std::string lastat(const std::vector<position> &at) {
    return at.empty() ? "" : " (the last at line " + std::to_string(at.back().line) + ")";
}

} // namespace

void finderrors(analysis &a, const std::string &reason) {
    const loadfailure &f = a.record.failure;
    // The load failed for the encoding: that is the error, not the syntax it makes. A file that
    // loads all the same (a NUL after a ';') is only suspect.
    std::string wrong = encoding(a.head);
    if (!wrong.empty() && !a.loaded) {
        a.errors.push_back({findingkind::wrongencoding, {1, 1}, wrong});
        return;
    }
    if (!wrong.empty())
        a.warnings.push_back({findingkind::oddencoding, {1, 1}, wrong});
    if (!a.loaded) {
        position at = {f.line, f.column};
        if (f.wanted != expectation::unreadable)
            a.errors.push_back({findingkind::syntaxerror, at, syntax(a.record)});
        else if (!reason.empty())
            a.errors.push_back(
                {findingkind::unreadablefile, at, "cannot read the file: " + reason});
        else
            a.errors.push_back({findingkind::unreadablefile, at,
                                "reading the file failed here, or memory ran out"});
        return;
    }
    size_t starts = configuration.starts.size(), stops = configuration.stops.size();
    if (starts != stops) {
        // Pointed at where the longer section ends: that is where one is missing.
        position at = starts > stops ? a.starts.back() : a.stops.back();
        a.errors.push_back(
            {findingkind::sectionsizes, at,
             aux::counted(starts, "start entry", "start entries") + lastat(a.starts) + " but " +
                 aux::counted(stops, "stop entry", "stop entries") + lastat(a.stops) +
                 ": tessark.exe wants one stop entry for each "
                 "start entry, and stops"});
    }
    for (size_t i = wrongindex(0); i < stops; i = wrongindex(i + 1)) {
        std::string range = starts ? "the start entries are 0 to " + std::to_string(starts - 1)
                                   : "there is no start entry";
        a.errors.push_back({findingkind::badindex, a.stops[i],
                            "this stop entry names start entry " +
                                std::to_string(configuration.stops[i].index) + ", but " + range});
    }
}

} // namespace check
