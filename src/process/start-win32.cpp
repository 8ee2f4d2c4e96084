#include "process/start.h"

#include "config/command.h"
#include "config/configuration.h"

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

bool startprogram(const startentry &e) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string directory = startdirectory(e.command);
    std::string application = applicationname(e.command);
    // CreateProcessA may write into its command line, so it gets a copy.
    std::vector<char> line(e.command.begin(), e.command.end());
    line.push_back(0);
    // The directory goes in even when empty: a program is never started in ours.
    if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), line.data(), nullptr,
                        nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, directory.c_str(), &si,
                        &pi))
        return false;
    // Nothing waits for it.
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return true;
}

} // namespace process
