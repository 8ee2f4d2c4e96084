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
// character the code page lacks comes empty, matching no entry, never as a look-alike. Where
// created is given, it is set to when the process was created (0 when not read).
std::string processname(unsigned pid, unsigned long long *created = nullptr);
// When the process that handle process (one with at least the least right) names was created,
// in FILETIME's units; 0 when it cannot be read.
unsigned long long creationtime(void *process);
// The first start entry whose name component is that process's executable name, or -1 (always
// for a process of another session), with the entries' name components worked out beforehand
// (namecomponents): a lookup compares every process with every entry. created as processname
// gives it.
int namedentry(unsigned pid, const std::vector<std::string> &names,
               unsigned long long *created = nullptr);
// The last non-empty piece of each start entry's command at '/'; empty when it has none.
std::vector<std::string> namecomponents();
// Gives pid to the first entry that names its program.
void identifyprocess(unsigned pid);
// The number of start entries with a pid.
int countrunning();

} // namespace process
