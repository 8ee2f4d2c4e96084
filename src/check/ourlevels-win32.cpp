#include "check/ourlevels.h"

#include "check/rights.h"

#include <windows.h>

namespace check {

tokenlevels ourlevels() {
    tokenlevels levels = {0, 0};
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return levels;
    levels.own = tokenlevel(token);
    // A limited token links to the elevated one: only an elevated token's link is unelevated.
    TOKEN_ELEVATION_TYPE type;
    TOKEN_LINKED_TOKEN linked;
    DWORD size;
    if (GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) &&
        type == TokenElevationTypeFull &&
        GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size)) {
        levels.unelevated = tokenlevel(linked.LinkedToken);
        CloseHandle(linked.LinkedToken);
    }
    CloseHandle(token);
    return levels;
}

} // namespace check
