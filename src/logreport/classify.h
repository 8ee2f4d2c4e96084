#pragma once

#include <string_view>

namespace logreport {

// What one line of tessark.log says.
enum class linekind {
    unrecognised,
    started, // the stamped framing lines
    normalend,
    errorend,
    loaded, // the driver's
    found,
    enumallfailed,
    syntaxerror, // the configuration's
    sectionsizes,
    wrongindex,
    dumpheading, // the dump's heading, then its lines
    dumpline,
    branchstart, // the first line of a run mode's branch
    closing,
    terminating,
    refused,       // a termination refused
    unreached,     // a close that did not reach the program
    notresponding, // a hung program, terminated before the mode acts
    starting,
    enumfailed,
    startingall,
    restartfailed,
};

struct lineinfo {
    linekind kind = linekind::unrecognised;
    long long stamp = 0;      // framing lines: seconds since 1970, UTC
    std::string_view command; // the lines that name a program
    bool running = false;     // dump lines: "exist"
};

// The line without its line end. indump: the lines before it since the dump's heading were
// dump lines, the only place where a dump line can stand; elsewhere "   starting X not exist"
// is the start of a program named "X not exist".
lineinfo classify(std::string_view line, bool indump);

} // namespace logreport
