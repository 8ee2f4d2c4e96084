#pragma once

#include <string>

namespace process {

// For every start entry, whether its program runs, its pid and how many windows the lookup
// found for it.
std::string dumptext();

// Writes the dump to the log in one flushed write: a flush per piece made it cost more than
// the whole lookup on a large configuration, and the text is the same.
void dumpprocesses();

} // namespace process
