#include "process/dump.h"

#include "config/configuration.h"
#include "io/logfile.h"
#include "io/loglines.h"
#include "process/logtext.h"

#include <string>

namespace process {

using namespace config;

std::string dumptext() {
    std::string text = dumpheading;
    for (const startentry &e : configuration.starts) {
        text += filled(dumpname, e.command);
        if (e.pid == 0) {
            text += dumpnotexist;
            continue;
        }
        text += filled(dumpexist, std::to_string(e.pid));
        if (e.windows.empty())
            text += dumpnowindow;
        else
            text += filled(dumpwindows, std::to_string(e.windows.size()));
    }
    return text;
}

void dumpprocesses() {
    applog.write(dumptext());
}

} // namespace process
