#pragma once

#include "check/analysis.h"

#include <functional>
#include <string>

namespace check {

// The loaded configuration as tessark.exe reads it: the mode, restartdelay, and each entry
// with its line and what it means. Handed to put in pieces of some 64 KB: the text of a large
// configuration is several times its size and need never be whole in memory.
void writereading(const analysis &a, const std::function<void(const std::string &)> &put);
// All of it in one text.
std::string readingtext(const analysis &a);

} // namespace check
