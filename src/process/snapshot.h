#pragma once

#include "config/configuration.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace process {

// The system's process ids as last read. The list grows as needed, so a busy machine
// never hides a running program.
struct snapshot {
    std::vector<unsigned> pids;
    unsigned bytesreturned = 0;
    // When each process that the lookup named after a start entry was created, by pid. Windows
    // gives the id of a process that has ended to the next one: only this tells them apart.
    std::unordered_map<unsigned, unsigned long long> created;
    // The number of ids read.
    unsigned count() const { return bytesreturned / 4; }
    // 0 for a pid the lookup named after no entry, or whose time it could not read.
    unsigned long long createdof(unsigned pid) const {
        auto at = created.find(pid);
        return at == created.end() ? 0 : at->second;
    }
};

extern snapshot procsnapshot;

// Resets every start entry's pid and what the lookup kept, then reads the process ids; false
// when they were not read.
bool takesnapshot();
// The executable's file name of process pid, from its image path: the least right Windows has
// to give, granted for nearly every process, even one just created; "<unknown>" when not even
// that is granted. In the ANSI code page, as the configuration is written; a name with a
// character the code page lacks comes empty, matching no entry, never as a look-alike. Where
// created is given, it is set to when the process was created (0 when not read).
std::string processname(unsigned pid, unsigned long long *created = nullptr);
// When the process that handle process (one with at least the least right) names was created,
// in FILETIME's units; 0 when it cannot be read.
unsigned long long creationtime(void *process);
// False only when pid is known to run in another session than Tessark's own (another user's
// desktop). In a file of its own, so that a test can say which processes are elsewhere.
bool inoursession(unsigned pid);
// The first start entry whose name component is that process's executable name, or -1 (always
// for a process of another session), with the entries' name components worked out beforehand
// (namecomponents): a lookup compares every process with every entry. created as processname
// gives it.
int namedentry(unsigned pid, const std::vector<std::string> &names,
               unsigned long long *created = nullptr);
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
