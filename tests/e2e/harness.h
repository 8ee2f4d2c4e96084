#pragma once

#include "files.h"

#include <deque>
#include <string>
#include <vector>

// End-to-end tests run the real tessark.exe under Wine, with copies of the fixture program
// (bin/fixture.exe) playing the configured programs. A fixture's behaviour follows from the name
// it is copied under: onewin, twowin, hidden, nowin, stubborn, hung or dialog, with an optional
// "-suffix" (onewin-17.exe). It appends "<pid> <event>" lines to <name>.events beside itself:
// "cwd <dir>", "ready", the messages it gets ("WM_CLOSE main", "WM_QUIT second", ...), "exit".
namespace e2e {

// The directory of the running test exe; tessark.exe and fixture.exe lie beside it.
std::string bindir();

struct result {
    bool finished = false; // ended within the time allowed
    unsigned exitcode = 0;
    std::string out;    // what it wrote to stdout and stderr
    double seconds = 0; // wall time of the run
};

// Runs a command line in dir. Output goes through a file, never a pipe: Wine children
// inherit descriptors, and a pipe could be held open by them.
result run(const std::string &dir, const std::string &commandline, unsigned timeoutms = 60000);
result runtessark(const std::string &dir, const std::string &args, unsigned timeoutms = 60000);
// Starts a command line in dir and returns its process handle, not waiting.
void *launch(const std::string &dir, const std::string &commandline, void *out = nullptr);

// The log's lines, with each leading time stamp replaced by "<stamp> ".
std::vector<std::string> loglines(const std::string &logtext);

// Copies the fixture into dir as name (subdirectories allowed), unless it is there already;
// returns the copy's full path.
std::string placefixture(const std::string &dir, const std::string &name);
std::string eventsfile(const std::string &exe); // onewin-3.exe -> onewin-3.events
// The events of one process, in order, without the pid; of every process if pid is 0.
std::vector<std::string> events(const std::string &eventsfile, unsigned pid);

struct program {
    std::string exe;
    unsigned pid = 0;
    bool ready = false; // it said "ready" in time
    void *process = nullptr;

    std::vector<std::string> events() const;
    bool waitfor(const std::string &line, unsigned timeoutms = 10000) const;
    bool waitexit(unsigned timeoutms = 10000) const;
};

// While it lives, every process that the test starts, and all that those start in turn (such
// as the programs tessark.exe starts), belongs to it; it ends them all when it goes.
class guard {
public:
    explicit guard(const scratch &dir);
    ~guard();
    guard(const guard &) = delete;
    guard &operator=(const guard &) = delete;

    // Places the fixture as name in the directory, starts it there and waits for its "ready".
    const program &start(const std::string &name);
    // The ids of the processes it holds that it did not start itself.
    std::vector<unsigned> others() const;

private:
    std::string dir;
    std::deque<program> programs;
};

} // namespace e2e
