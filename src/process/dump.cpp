#include "process/dump.h"
#include "config/configuration.h"

#include <string>

std::string dumptext() {
    std::string text = "process dump:\n";
    for (const startentry &e : configuration.starts) {
        text += "   " + e.command + " ";
        if (e.pid == 0) {
            text += "not exist\n";
            continue;
        }
        // Unsigned, as process ids are: no id can show as a negative number.
        text += "exist, pid " + std::to_string(e.pid) + " ";
        if (e.windows.empty())
            text += "failed to get hwnd\n";
        else
            text += "found " + std::to_string(e.windows.size()) + " hwnds\n";
    }
    return text;
}
