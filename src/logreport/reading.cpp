#include "logreport/reading.h"
#include "logreport/linereader.h"
#include "logreport/logsource.h"

#include <vector>

namespace logreport {

std::string readlogs(const std::vector<std::string> &paths, history &h) {
    linereader lines(h);
    std::vector<char> block(1 << 16);
    for (const std::string &path : paths) {
        logsource source;
        std::string why = source.open(path.c_str());
        if (!why.empty())
            return path + ": " + why;
        long got;
        while ((got = source.read(block.data(), (unsigned)block.size())) > 0)
            lines.feed(block.data(), (size_t)got);
        if (got < 0)
            return path + ": reading it failed";
        lines.end();
    }
    h.finish();
    return "";
}

} // namespace logreport
