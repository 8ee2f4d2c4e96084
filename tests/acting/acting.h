#pragma once

#include "fixtures.h"
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// What the tests of closing, starting and the run modes share: configurations written for
// programs in a scratch directory, and what a run of tessark.exe left behind.
namespace acting {

struct stop {
    int index, closedelay, method;
};

struct start {
    std::string command;
    int startdelay;
};

// Writes the configuration t.cfg into dir and runs tessark.exe on it there.
inline e2e::result run(const e2e::scratch &dir, const std::string &mode, int restartdelay,
                       const std::vector<start> &starts, const std::vector<stop> &stops) {
    std::string text = mode + "\nrestartdelay " + std::to_string(restartdelay) + "\nstart\n";
    for (const start &s : starts)
        text += "\"" + s.command + "\", " + std::to_string(s.startdelay) + "\n";
    text += "stop\n";
    for (const stop &s : stops)
        text += std::to_string(s.index) + ", " + std::to_string(s.closedelay) + ", " +
                std::to_string(s.method) + "\n";
    e2e::writefile(dir.file("t.cfg"), text);
    return e2e::runtessark(dir.path, "t.cfg");
}

// The lines of the log after the heading of its only process dump and the first skip lines
// after it; the heading must follow "...found".
inline std::vector<std::string> afterdump(const e2e::scratch &dir, size_t skip) {
    std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    auto heading = std::find(log.begin(), log.end(), "process dump:");
    if (heading == log.end() || heading == log.begin() || heading[-1].rfind("...found ", 0) != 0 ||
        size_t(log.end() - heading) <= skip) {
        ADD_FAILURE() << "no process dump after \"...found\" in the log";
        return log;
    }
    return std::vector<std::string>(heading + 1 + skip, log.end());
}

// Running processes whose image is exe (a full path), except those in skip.
inline std::vector<unsigned> instances(const e2e::scratch &dir, const std::string &exe,
                                       const std::vector<unsigned> &skip = {}) {
    std::vector<unsigned> r;
    for (const auto &p : e2e::processesunder(dir.path))
        if (_stricmp(p.second.c_str(), exe.c_str()) == 0 &&
            std::find(skip.begin(), skip.end(), p.first) == skip.end())
            r.push_back(p.first);
    return r;
}

inline int count(const std::vector<std::string> &lines, const std::string &line) {
    return (int)std::count(lines.begin(), lines.end(), line);
}

// Loose bounds on a run's wall time; 0 leaves a bound out.
inline void expectseconds(double seconds, double atleast, double under) {
    if (atleast > 0) {
        EXPECT_GE(seconds, atleast);
    }
    if (under > 0) {
        EXPECT_LT(seconds, under);
    }
}

} // namespace acting
