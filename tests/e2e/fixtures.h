#pragma once

#include "harness.h"

#include <deque>
#include <string>
#include <vector>

// The fixture program (bin/fixture.exe) plays a configured program. Its behaviour follows from
// the name it is copied under: onewin, twowin, hidden, nowin, stubborn, hung or dialog, with an
// optional "-suffix" (onewin-17.exe). It appends "<pid> <event>" lines to <name>.events beside
// itself: "cwd <dir>", "window <role> <hwnd>", "ready", the messages it gets ("WM_CLOSE main",
// "WM_QUIT main", "WM_SYSKEYDOWN VK_F4 main", ...) and "exit".
namespace e2e {

// Copies the fixture into dir as name (subdirectories allowed, '\' or '/'), unless it is
// already there; returns the copy's full path.
std::string placefixture(const std::string &dir, const std::string &name);

// onewin-3.exe -> onewin-3.events, beside it.
std::string eventsfile(const std::string &exe);

// The events of one process in an events file, in order, without the pid.
std::vector<std::string> events(const std::string &eventsfile, unsigned pid);

// A fixture process started by a guard.
struct program {
    std::string exe;
    unsigned pid = 0;
    bool ready = false; // it said "ready" in time
    void *process = nullptr;

    std::vector<std::string> events() const;
    // Waits until it has recorded line; false on timeout.
    bool waitfor(const std::string &line, unsigned timeoutms = 10000) const;
    // Waits until it has ended; false on timeout.
    bool waitexit(unsigned timeoutms = 10000) const;
    // Its visible top-level windows, in the system's enumeration order.
    std::vector<void *> visiblewindows() const;
};

// Ends, when it goes, every program started through it and every process whose image lies in
// its directory (such as those tessark.exe started), whatever the test did. Declare it after
// the scratch directory, so that it goes first.
class guard {
public:
    explicit guard(const scratch &dir);
    ~guard();
    guard(const guard &) = delete;
    guard &operator=(const guard &) = delete;

    // Places the fixture as name in the directory and starts it there, then waits for its
    // "ready".
    const program &start(const std::string &name);

private:
    std::string dir;
    std::deque<program> programs;
};

// The ids of all processes, in the system's order.
std::vector<unsigned> processids();

// The full image path of every process whose image lies under dir, with its id.
std::vector<std::pair<unsigned, std::string>> processesunder(const std::string &dir);

} // namespace e2e
