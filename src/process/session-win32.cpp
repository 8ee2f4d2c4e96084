#include "process/session.h"

#include <windows.h>

namespace process {

bool inoursession(unsigned pid) {
    DWORD ours = 0, theirs = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &ours);
    // A process that refuses the question, or has ended meanwhile, counts as ours: as before
    // sessions were asked about, it is still named and found by the rights it grants.
    return !ProcessIdToSessionId(pid, &theirs) || theirs == ours;
}

} // namespace process
