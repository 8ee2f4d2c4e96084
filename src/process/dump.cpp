#include "process/dump.h"
#include "config/configuration.h"
#include "io/loglines.h"

#include <string>

namespace {

// A piece with its one conversion filled in. Numbers come as text: a pid is unsigned, as
// process ids are, so no id can show as a negative number.
std::string fill(const char *piece, const std::string &value) {
    std::string text = piece;
    return text.replace(text.find('%'), 2, value);
}

} // namespace

std::string dumptext() {
    std::string text = dumpheading;
    for (const startentry &e : configuration.starts) {
        text += fill(dumpname, e.command);
        if (e.pid == 0) {
            text += dumpnotexist;
            continue;
        }
        text += fill(dumpexist, std::to_string(e.pid));
        if (e.windows.empty())
            text += dumpnowindow;
        else
            text += fill(dumpwindows, std::to_string(e.windows.size()));
    }
    return text;
}
