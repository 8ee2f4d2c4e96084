#pragma once

#include "logreport/history.h"

#include <string>
#include <vector>

namespace logreport {

// Reads the logs, oldest first, into h as one history, and ends it. Empty, or which log cannot
// be read and why: "tessark.log: it does not exist".
std::string readlogs(const std::vector<std::string> &paths, history &h);

} // namespace logreport
