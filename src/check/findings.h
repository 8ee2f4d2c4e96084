#pragma once

#include <string>
#include <vector>

namespace check {

// What the checker reports: the errors that make tessark.exe stop, then the traps.
enum class findingkind {
    syntaxerror,
    unreadablefile,
    wrongencoding,
    sectionsizes,
    badindex,
    // warnings
    backslashes,
    nodirectory,
    arguments,
    noextension,
    slashinargument,
    multiline,
    oddencoding,
    utf8command,
    samename,
    neverclosed,
    closedtwice,
    methodtrap, // a method that does not close, or no method at all
    fraction,
    clipped,
    longdelay,
    modeoverridden,
    delayoverridden,
    delayunused,
    longhungtimeout,
    cutoff,
    // warnings that ask this machine
    missingexe,
    missingdirectory,
    exelettercase,
    processlettercase,
    unterminable,
    abovechecker,
};

struct position {
    int line;
    unsigned column;
};

struct finding {
    findingkind kind;
    position at;
    std::string text;
};

inline bool iserror(findingkind k) {
    return k <= findingkind::badindex;
}

// "FILE:LINE:COLUMN: error: text" or "...: warning: text", the form editors and CI read.
std::string findingline(const std::string &file, const finding &f);
// Warnings in the order of the file.
void sortbyposition(std::vector<finding> &findings);

} // namespace check
