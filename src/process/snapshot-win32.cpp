#include "process/session.h"
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
        e.pid = 0, e.created = 0;
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

unsigned long long creationtime(void *process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes((HANDLE)process, &created, &exited, &kernel, &user))
        return 0;
    return (unsigned long long)created.dwHighDateTime << 32 | created.dwLowDateTime;
}

namespace {

// The name in the ANSI code page, exactly or not at all (empty): best fit would take a name
// written with fullwidth letters for the plain "app.exe". A UTF-8 code page holds every name,
// and takes neither the flag nor the report.
std::string ansiname(const wchar_t *name, int size) {
    bool utf8 = GetACP() == CP_UTF8;
    BOOL inexact = FALSE;
    std::string text((size_t)size * 4, '\0'); // room in any code page
    int made = size == 0
                   ? 0
                   : WideCharToMultiByte(CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS,
                                         name, size, &text[0], (int)text.size(), nullptr,
                                         utf8 ? nullptr : &inexact);
    text.resize(inexact ? 0 : (size_t)made);
    return text;
}

} // namespace

std::string processname(unsigned pid, unsigned long long *created) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h)
        return "<unknown>";
    if (created)
        *created = creationtime(h);
    // A path may be longer than MAX_PATH; 32768 is the longest Windows has.
    std::vector<wchar_t> path(MAX_PATH);
    DWORD size = 0;
    for (;;) {
        size = (DWORD)path.size();
        if (QueryFullProcessImageNameW(h, 0, path.data(), &size))
            break;
        size = 0;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768)
            break;
        path.resize(std::min<size_t>(path.size() * 2, 32768));
    }
    CloseHandle(h);
    if (size == 0)
        return "<unknown>";
    DWORD name = size;
    while (name > 0 && path[name - 1] != L'\\')
        --name;
    return ansiname(path.data() + name, (int)(size - name));
}

int namedentry(unsigned pid, const std::vector<std::string> &names, unsigned long long *created) {
    // Another session is another user's desktop: its programs are not ours to find or close.
    if (!inoursession(pid))
        return -1;
    std::string name = processname(pid, created);
    for (size_t i = 0; i < names.size(); ++i) {
        // An entry without a name component matches nothing.
        if (!names[i].empty() && names[i] == name)
            return (int)i;
    }
    return -1;
}

void identifyprocess(unsigned pid) {
    unsigned long long created = 0;
    int k = namedentry(pid, namecomponents(), &created);
    if (k >= 0) {
        configuration.starts[(size_t)k].pid = pid;
        configuration.starts[(size_t)k].created = created;
    }
}

int countrunning() {
    int n = 0;
    for (const startentry &e : configuration.starts)
        n += e.pid != 0;
    return n;
}

} // namespace process
