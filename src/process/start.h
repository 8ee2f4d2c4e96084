#pragma once

#include "config/configuration.h"

#include <string>

namespace process {

// Starts the entry's program in its own directory; false when Windows refused.
bool startprogram(const config::startentry &e);

// The application name to pass with a command line: the command itself when it contains a
// space and names an existing file as a whole, so that "c:/my apps/app.exe" never runs
// "c:/my.exe"; otherwise none (empty), and the system parses the command line.
std::string applicationname(const std::string &command);

} // namespace process
