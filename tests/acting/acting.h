#pragma once

#include "fixtures.h"
#include "harness.h"

#include <string>
#include <vector>

// What the tests of closing, starting and the run modes share: configurations written for
// programs in a scratch directory, and what a run of tessark.exe left behind.
namespace acting {

struct stop {
    int index;
    int closedelay;
    int method;
};

struct start {
    std::string command;
    int startdelay;
};

// A configuration file's text.
std::string configtext(const std::string &mode, int restartdelay, const std::vector<start> &starts,
                       const std::vector<stop> &stops);

// Replaces every "{d}" by the directory written with '/', every "{bs}" by it with '\'.
std::string fillin(std::string text, const e2e::scratch &dir);

// The lines of the log that follow the process dump of its only run, the closing line
// included; the dump must follow "...found" and have one line per entry.
std::vector<std::string> afterdump(const e2e::scratch &dir, size_t entries);

// Running processes whose image is exe, except those in skip.
std::vector<unsigned> instances(const e2e::scratch &dir, const std::string &exe,
                                const std::vector<unsigned> &skip = {});

// The first event of pid in the events file beside exe, waited for; empty on timeout.
std::string firstevent(const std::string &exe, unsigned pid, unsigned timeoutms = 10000);

// Loose bounds on a run's wall time; 0 leaves a bound out.
void expectseconds(double seconds, double atleast, double under);

int count(const std::vector<std::string> &lines, const std::string &line);

// Waits until a window of the program is the foreground window; false on timeout.
bool infront(const e2e::program &p, unsigned timeoutms = 5000);

// Neither Alt nor F4 reads as held down on the display.
bool altf4released();

} // namespace acting
