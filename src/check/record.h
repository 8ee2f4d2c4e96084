#pragma once

#include "config/loadtrace.h"

#include <string>
#include <vector>

namespace check {

// Everything the loader told the checker during one load.
struct loadrecord {
    std::vector<config::loadmark> marks;
    config::loadfailure failure = {config::expectation::nofailure, 1, 1, 0, false, nullptr};
    std::string foundtext; // failure.text, kept

    void mark(const config::loadmark &m) { marks.push_back(m); }
    // The first failure told is the one that ended the load.
    void failed(const config::loadfailure &f) {
        if (failure.wanted != config::expectation::nofailure)
            return;
        failure = f;
        foundtext = f.text;
        failure.text = nullptr;
    }
};

} // namespace check
