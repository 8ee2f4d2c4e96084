#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The system's process ids as last read. The list grows as needed, so a busy machine
// never hides a running program; bytesreturned / 4 is the number of ids.
struct snapshot {
    std::vector<unsigned> pids;
    unsigned bytesreturned = 0;
};

extern snapshot procsnapshot;

// The name component of each start entry (the last non-empty piece of its command at '/'),
// each worked out once, when first needed: a lookup compares every process with every entry.
// Valid while the start entries stay as they are.
class namecomponents {
public:
    // Null when the entry's command has no name component.
    const char *get(size_t entry);

private:
    enum : unsigned char { unknown, none, known };
    std::vector<std::string> names;
    std::vector<unsigned char> state;
};

// Resets every start entry's pid, then reads the process ids; false when they were not read.
bool takesnapshot();
// Gives pid to the first start entry whose name component is that process's executable name,
// or "<unknown>" when the process cannot be opened or read.
void identifyprocess(unsigned pid);
void identifyprocess(unsigned pid, namecomponents &names);
// The number of start entries with a pid.
int countrunning();
