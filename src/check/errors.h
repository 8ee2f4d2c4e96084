#pragma once

#include "check/analysis.h"

#include <string>

namespace check {

// The errors that make tessark.exe stop at the configuration: the encoding, the syntax, a file
// that cannot be read (reason: why, in words, when known), sections that do not fit.
void finderrors(analysis &a, const std::string &reason);

} // namespace check
