#include "process/snapshot.h"
#include "config/command.h"
#include "config/configuration.h"

#include <windows.h>

#include <psapi.h>

#include <cstring>

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

namespace {

const char unknownname[] = "<unknown>";

// A process with more rights than ours (elevated, or another user's) refuses all access but
// still tells anyone its image path; its file name is the text after the last '\'.
void imagename(unsigned pid, char (&name)[MAX_PATH]) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h)
        return;
    char path[MAX_PATH];
    DWORD size = sizeof path;
    if (QueryFullProcessImageNameA(h, 0, path, &size)) {
        const char *slash = std::strrchr(path, '\\');
        std::strcpy(name, slash ? slash + 1 : path);
    }
    CloseHandle(h);
}

} // namespace

void processname(unsigned pid, char (&name)[MAX_PATH]) {
    std::strcpy(name, unknownname);
    // 0x1F0FFF: all access as older headers define it, which every Windows accepts.
    HANDLE h = OpenProcess(0x1F0FFF, FALSE, pid);
    if (!h)
        return imagename(pid, name);
    HMODULE first;
    DWORD needed;
    // Room for exactly one module handle: the first module is the executable.
    if (EnumProcessModules(h, &first, sizeof first, &needed)) {
        if (!GetModuleBaseNameA(h, first, name, sizeof name))
            std::strcpy(name, unknownname);
    }
    CloseHandle(h);
}

int namedentry(unsigned pid, const std::vector<std::string> &names) {
    char name[MAX_PATH];
    processname(pid, name);
    for (size_t i = 0; i < names.size(); ++i) {
        // An entry without a name component matches nothing.
        if (!names[i].empty() && names[i] == name)
            return (int)i;
    }
    return -1;
}

int countrunning() {
    int n = 0;
    for (const startentry &e : configuration.starts)
        n += e.pid != 0;
    return n;
}
