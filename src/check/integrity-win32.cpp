#include "check/machine.h"

#include <windows.h>

#include <vector>

namespace check {

using namespace config;

namespace {

// The process's integrity label, into buffer; null when it cannot be read.
void *label(HANDLE process, std::vector<char> &buffer) {
    HANDLE token;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token))
        return nullptr;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    buffer.resize(size + sizeof(TOKEN_MANDATORY_LABEL));
    bool read = GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size);
    CloseHandle(token);
    return read ? ((TOKEN_MANDATORY_LABEL *)buffer.data())->Label.Sid : nullptr;
}

} // namespace

bool labelabove(void *theirs, void *ours) {
    // The level is the label's last subauthority: 0x2000 medium, 0x3000 high, 0x4000 system.
    auto level = [](void *sid) {
        return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1);
    };
    return level(theirs) > level(ours);
}

bool refusestermination(unsigned pid) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (h)
        CloseHandle(h);
    // A process that has just ended cannot be opened either; it refuses nothing.
    return !h && GetLastError() == ERROR_ACCESS_DENIED;
}

bool runsabove(unsigned pid) {
    std::vector<char> theirs, ours;
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    void *their = label(h, theirs), *our = label(GetCurrentProcess(), ours);
    if (h)
        CloseHandle(h);
    return their && our && labelabove(their, our);
}

} // namespace check
