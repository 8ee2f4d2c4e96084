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
// that is granted.
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
// Gives pid to the first entry that names its program.
void identifyprocess(unsigned pid);
// The number of start entries with a pid.
int countrunning();

} // namespace process
