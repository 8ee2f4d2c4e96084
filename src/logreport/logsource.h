#pragma once

#include "io/handle.h"

#include <string>

namespace logreport {

// A log opened for reading only, and shared for reading and writing: tessark.exe keeps its log
// open for writing while it runs, and a reader that refused to share writing would fail then.
class logsource {
public:
    logsource() = default;
    ~logsource();
    logsource(const logsource &) = delete;
    logsource &operator=(const logsource &) = delete;

    // Empty, or why the log cannot be read, in words ("it does not exist").
    std::string open(const char *path);
    // Bytes read, 0 at the end, -1 when reading fails.
    long read(char *buffer, unsigned size);

private:
    io::oshandle handle = io::closedhandle;
};

} // namespace logreport
