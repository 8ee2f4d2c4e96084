#pragma once

#include "config/loadtrace.h"

#include <string>
#include <vector>

// Everything the loader told the checker during one load.
struct loadrecord {
    std::vector<loadmark> marks;
    loadfailure failure = {nofailure, 1, 1, 0, false, nullptr};
    std::string foundtext; // failure.text, kept

    void mark(const loadmark &m) { marks.push_back(m); }
    // The first failure told is the one that ended the load.
    void failed(const loadfailure &f) {
        if (failure.wanted != nofailure)
            return;
        failure = f;
        foundtext = f.text;
        failure.text = nullptr;
    }
};
