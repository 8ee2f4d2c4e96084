#pragma once

#include "check/analysis.h"

#include <string>

namespace check {

// The warnings a loaded configuration earns without asking the machine: what it says against
// what it seems to.
void findtraps(analysis &a);
// Where the arguments of a command begin (the space after its first ".exe"), or npos.
size_t argumentsat(const std::string &command);

} // namespace check
