#pragma once

#include "files.h"

#include <deque>
#include <string>
#include <vector>

// End-to-end tests run the real tessark.exe under Wine, with copies of bin/fixture.exe, named
// for their behaviour (tests/fixture/fixture.cpp), playing the configured programs.
namespace e2e {

std::string bindir(); // the test exe's directory, where tessark.exe and fixture.exe lie
// The form of tessark under test: tessark.exe, or another of bindir() that TESSARK_EXE names
// (its windowless form, from a second registration of the same test).
std::string tessarkexe();

struct result {
    bool finished = false; // within the time allowed
    unsigned exitcode = 0;
    std::string out; // stdout and stderr
    double seconds = 0;
};

// Runs a command line in dir. Output goes through a file, never a pipe: Wine children inherit
// descriptors, and a pipe could be held open by them.
result run(const std::string &dir, const std::string &commandline, unsigned timeoutms = 60000);
result runtessark(const std::string &dir, const std::string &args, unsigned timeoutms = 60000);
// Starts a command line in dir, not waiting; returns its process handle. Left suspended, a
// process costs a third of the time to start, and still counts.
void *launch(const std::string &dir, const std::string &commandline, void *out = nullptr,
             bool resume = true);

// The log's lines, each leading time stamp replaced by "<stamp> ".
std::vector<std::string> loglines(const std::string &logtext);

// Copies the fixture to dir/name (subdirectories allowed) unless it is there; returns the path.
std::string placefixture(const std::string &dir, const std::string &name);
std::string eventsfile(const std::string &exe); // onewin-3.exe -> onewin-3.events

struct program {
    std::string exe;
    unsigned pid = 0;
    bool ready = false; // it said "ready" in time
    void *process = nullptr;

    std::vector<std::string> events() const; // in order, without the pid
    bool waitfor(const std::string &line, unsigned timeoutms = 10000) const;
    bool waitexit(unsigned timeoutms = 10000) const;
};

// While it lives, every process the test starts, and all that those start in turn (such as the
// programs tessark.exe starts), belongs to it; it ends them all when it goes.
class guard {
public:
    explicit guard(const scratch &dir);
    ~guard();
    guard(const guard &) = delete;
    guard &operator=(const guard &) = delete;

    // Places the fixture as name in the directory, starts it and waits for its "ready".
    const program &start(const std::string &name);
    std::vector<unsigned> others() const; // the processes it holds that it did not start

private:
    std::string dir;
    std::deque<program> programs;
};

} // namespace e2e
