#pragma once

#include "check/analysis.h"

#include <string>

namespace check {

// What a run would do now, on this machine: the process dump and every step in order, each
// with the line tessark.exe would log for it, and the longest time the run can take. Looks
// the programs up as a run does, and plans by the very steps a run takes; starts, closes and
// sends nothing.
std::string plantext(const analysis &a);

} // namespace check
