#pragma once

#include "config/configuration.h"

#include <string>
#include <vector>

namespace process {

// The system's process ids as last read. The list grows as needed, so a busy machine
// never hides a running program.
struct snapshot {
    std::vector<unsigned> pids;
    unsigned bytesreturned = 0;
    // The number of ids read.
    unsigned count() const { return bytesreturned / 4; }
};

extern snapshot procsnapshot;

// Resets every start entry's pid, then reads the process ids; false when they were not read.
bool takesnapshot();
// The executable's file name of process pid, from its image path: the least right Windows has
// to give, granted for nearly every process, even one just created; "<unknown>" when not even
// that is granted. In the ANSI code page, as the configuration is written; a name with a
// character the code page lacks comes empty, matching no entry, never as a look-alike.
std::string processname(unsigned pid);
// False only when pid is known to run in another session than Tessark's own (another user's
// desktop). In a file of its own, so that a test can say which processes are elsewhere.
bool inoursession(unsigned pid);
// The first start entry whose name component is that process's executable name, or -1 (always
// for a process of another session), with the entries' name components worked out beforehand
// (namecomponents): a lookup compares every process with every entry.
int namedentry(unsigned pid, const std::vector<std::string> &names);
// The last non-empty piece of each start entry's command at '/'; empty when it has none.
std::vector<std::string> namecomponents();
// Gives pid to that entry. Inline: tessark.exe never calls it, and as a function of its own it
// would make tessark.exe larger.
inline void identifyprocess(unsigned pid) {
    int k = namedentry(pid, namecomponents());
    if (k >= 0)
        config::configuration.starts[(size_t)k].pid = pid;
}
// The number of start entries with a pid.
int countrunning();

} // namespace process
