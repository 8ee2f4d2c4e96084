#include "process/start.h"

#include "config/command.h"
#include "config/configuration.h"
#include "io/logfile.h"
#include "io/loglines.h"

#include <windows.h>

#include <vector>

namespace process {

using namespace config;

std::string applicationname(const std::string &command) {
    if (command.find(' ') == std::string::npos)
        return "";
    DWORD attributes = GetFileAttributesA(command.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "";
    return command;
}

void startall() {
    for (startentry &e : configuration.starts) {
        if (e.pid != 0)
            continue;
        applog.printf(startingline, e.command.c_str());
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string directory = startdirectory(e.command);
        std::string application = applicationname(e.command);
        // CreateProcessA may write into its command line, so it gets a copy.
        std::vector<char> line(e.command.begin(), e.command.end());
        line.push_back(0);
        // The directory goes in even when empty: a program is never started in ours.
        if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), line.data(),
                            nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                            directory.c_str(), &si, &pi))
            continue;
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        if (e.startdelay != 0)
            Sleep((DWORD)e.startdelay);
    }
}

} // namespace process
