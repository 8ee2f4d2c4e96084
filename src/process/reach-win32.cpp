#include "process/reach.h"

#include "process/close.h"

namespace process {

bool sendreaches(HWND w, unsigned message) {
    DWORD_PTR result;
    if (SendMessageTimeoutA(w, message, 0, 0, SMTO_ABORTIFHUNG, messagetimeout, &result))
        return true;
    // A window of a higher integrity level refuses it so; a timeout or a window gone meanwhile
    // is no refusal.
    return GetLastError() != ERROR_ACCESS_DENIED;
}

bool bringtofront(HWND w) {
    // Refused, the call may still answer nonzero and only flash the taskbar: ask who is in front.
    SetForegroundWindow(w);
    return GetForegroundWindow() == w;
}

bool windowgone(HWND w) {
    return !IsWindow(w);
}

} // namespace process
