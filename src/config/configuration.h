#pragma once

#include <string>
#include <vector>

namespace config {

// The run modes carry the token codes of their keywords.
enum runmode { juststart = 10, restart = 11, invert = 12, justclose = 13 };

// One program to look after. pid and windows are filled at run time by the process lookup.
struct startentry {
    std::string
        command; // command line; after its last '/' the process name, before it the directory
    int startdelay = 0; // ms to wait after a successful start
    unsigned pid = 0;   // 0: not running
    // When that process was created (FILETIME's units; 0: unknown): Windows gives the id of a
    // process that has ended to the next, and only this tells them apart.
    unsigned long long created = 0;
    std::vector<void *> windows; // visible top-level windows (HWND) of that process
};

// One step of the shutdown order.
struct stopentry {
    int index = 0;      // position in starts
    int closedelay = 0; // ms
    int method = 0;     // close method 0 to 5
};

struct settings {
    std::vector<startentry> starts;
    std::vector<stopentry> stops;
    runmode mode = juststart;
    int restartdelay = 0; // ms
    // ms a program that stopped responding is watched before it is ended and started again;
    // 0: it is never
    int hungtimeout = 0;
};

// The one configuration of the process, filled by the loader (config/loader.h). Defined in
// driver/globals.cpp, before the log.
extern settings configuration;

} // namespace config
