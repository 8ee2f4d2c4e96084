#include "process/reach.h"

#include "process/close.h"

namespace process {

bool sendreaches(HWND w, unsigned message, WPARAM wparam) {
    DWORD_PTR result;
    if (SendMessageTimeoutA(w, message, wparam, 0, SMTO_ABORTIFHUNG, messagetimeout, &result))
        return true;
    // A window of a higher integrity level refuses it so; a timeout or a window gone meanwhile
    // is no refusal.
    return GetLastError() != ERROR_ACCESS_DENIED;
}

} // namespace process
