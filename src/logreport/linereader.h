#pragma once

#include "logreport/history.h"

#include <string>

namespace logreport {

// Cuts the bytes of a log into lines for a history. A line that lies whole in one block is
// handed on where it lies; only a line across two blocks is copied, into a buffer that never
// grows past limit. A longer line is passed over whole, to its line feed, and counted.
class linereader {
public:
    explicit linereader(history &h, size_t limit = 4096) : h(h), limit(limit) {}
    void feed(const char *data, size_t size);
    // The end of one log: what is left without a line feed is a torn line.
    void end();

private:
    history &h;
    size_t limit;
    std::string held;
    std::string tail; // the last bytes of a line passed over, for a start line at its end
    bool skipping = false;

    void keeptail(const char *data, size_t size);
};

} // namespace logreport
