#include "process/snapshot.h"

#include "config/command.h"
#include "config/configuration.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

namespace process {

using namespace config;

snapshot procsnapshot;

bool takesnapshot() {
    procsnapshot.bytesreturned = 0;
    for (startentry &e : configuration.starts)
        e.pid = 0;
    // EnumProcesses cannot say how many ids there are: grow until the list no longer fills
    // the buffer, so that no running program is missed on a busy machine.
    std::vector<unsigned> &pids = procsnapshot.pids;
    if (pids.size() < 1024)
        pids.resize(1024);
    for (;;) {
        DWORD bytes = 0;
        DWORD size = (DWORD)(pids.size() * sizeof(DWORD));
        if (!EnumProcesses((DWORD *)pids.data(), size, &bytes))
            return false;
        if (bytes < size) {
            procsnapshot.bytesreturned = bytes;
            return true;
        }
        pids.resize(pids.size() * 2);
    }
}

std::vector<std::string> namecomponents() {
    std::vector<std::string> names;
    for (const startentry &e : configuration.starts)
        names.push_back(namecomponent(e.command));
    return names;
}

std::string processname(unsigned pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h)
        return "<unknown>";
    // A path may be longer than MAX_PATH; 32768 is the longest Windows has.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD size = (DWORD)path.size();
        if (QueryFullProcessImageNameA(h, 0, &path[0], &size)) {
            path.resize(size);
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) {
            path = "<unknown>";
            break;
        }
        path.resize(std::min<size_t>(path.size() * 2, 32768));
    }
    CloseHandle(h);
    return path.substr(path.rfind('\\') + 1);
}

int namedentry(unsigned pid, const std::vector<std::string> &names) {
    // Another session is another user's desktop: its programs are not ours to find or close.
    if (!inoursession(pid))
        return -1;
    std::string name = processname(pid);
    for (size_t i = 0; i < names.size(); ++i) {
        // An entry without a name component matches nothing.
        if (!names[i].empty() && names[i] == name)
            return (int)i;
    }
    return -1;
}

void identifyprocess(unsigned pid) {
    int k = namedentry(pid, namecomponents());
    if (k >= 0)
        configuration.starts[(size_t)k].pid = pid;
}

int countrunning() {
    int n = 0;
    for (const startentry &e : configuration.starts)
        n += e.pid != 0;
    return n;
}

} // namespace process
