#include "check/ourlevels.h"
#include "check/rights.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace check {

namespace {

// The level the shipped task runs at (LeastPrivilege): a standard user's, and an
// administrator's without elevation.
const unsigned medium = SECURITY_MANDATORY_MEDIUM_RID;

// The level at which the rights are judged: the check's own, unless it runs elevated; then
// the task's, that of the same user without elevation (UAC's medium; Wine, which enforces no
// levels, says high of it as of every process), or, with no such token to read (UAC off, or
// the SYSTEM account), medium, as a standard user's task runs. 0: unknown.
unsigned tasklevel() {
    tokenlevels l = ourlevels();
    return l.own <= medium ? l.own : l.unelevated ? l.unelevated : medium;
}

unsigned processlevel(unsigned pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid), token;
    unsigned level = 0;
    if (process && OpenProcessToken(process, TOKEN_QUERY, &token)) {
        level = tokenlevel(token);
        CloseHandle(token);
    }
    if (process)
        CloseHandle(process);
    return level;
}

std::string levelname(unsigned level) {
    const char *names[] = {"untrusted", "low", "medium", "high", "system"};
    if (level % 0x1000 == 0 && level / 0x1000 < 5)
        return names[level / 0x1000];
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", level);
    return hex;
}

} // namespace

unsigned tokenlevel(void *token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<char> buffer(size + sizeof(TOKEN_MANDATORY_LABEL));
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size))
        return 0;
    // The level is the label's last subauthority.
    PSID label = ((TOKEN_MANDATORY_LABEL *)buffer.data())->Label.Sid;
    return *GetSidSubAuthority(label, *GetSidSubAuthorityCount(label) - 1);
}

std::string judgedas() {
    unsigned task = tasklevel();
    return task < ourlevels().own ? levelname(task) : "";
}

std::string elevatednote() {
    tokenlevels l = ourlevels();
    unsigned task = tasklevel();
    if (task >= l.own)
        return "";
    return "this check runs elevated (" + levelname(l.own) + " integrity) and the task will not (" +
           levelname(task) +
           "): it judges programs' integrity levels and termination as the task will, so that "
           "one started elevated shows as refusing it; what it says of a program that another "
           "user started holds only when it runs without elevation, as the task's user\n";
}

bool refusestermination(unsigned pid) {
    // Elevated, this check may open what the task may not: mandatory integrity keeps a lower
    // level from opening a higher one's process for termination, whatever its DACL grants.
    if (!judgedas().empty() && runsabove(pid))
        return true;
    HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (h)
        CloseHandle(h);
    // A process that has just ended cannot be opened either; it refuses nothing.
    return !h && GetLastError() == ERROR_ACCESS_DENIED;
}

bool runsabove(unsigned pid) {
    unsigned task = tasklevel();
    return task && processlevel(pid) > task;
}

} // namespace check
