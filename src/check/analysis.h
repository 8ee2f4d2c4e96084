#pragma once

#include "check/findings.h"
#include "check/record.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace io {
class stream;
}

namespace check {

// One configuration, loaded into the global configuration exactly as tessark.exe loads it,
// with where each item stands and what is wrong with it.
struct analysis {
    loadrecord record;
    bool loaded = false;                 // loadconfiguration succeeded
    bool consistent = false;             // and checkconfiguration too: a run would act on it
    std::vector<position> starts, stops; // where each entry begins
    position modeat = {0, 0}, delayat = {0, 0}, hungat = {0, 0}; // the keywords that count;
                                                                 // line 0: none
    std::vector<std::string> names, directories;         // of each start entry, worked out once
    std::unordered_map<size_t, std::string> unstartable; // start entry -> why starting it fails
    std::vector<finding> errors, warnings;
    std::string head; // the file's first three bytes, which tell its encoding
};

// Loads and checks the file, and finds everything that needs no machine to tell.
void analysefile(analysis &a, const char *path);
// The same for bytes from any source.
void analysestream(analysis &a, io::stream &source);

} // namespace check
