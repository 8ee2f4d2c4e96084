#pragma once

#include <string>

namespace process {

// A log text with its one conversion ("%s", "%d") filled in, for those who build the log's
// lines as text: the dump and the checker's plan. Numbers come as text, so a pid, unsigned as
// process ids are, never shows as a negative number.
std::string filled(const char *format, const std::string &value);

} // namespace process
