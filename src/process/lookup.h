#pragma once

#include <windows.h>

#include <vector>

namespace process {

// Assigns the snapshot's processes to start entries and collects the visible top-level
// windows of each entry's process, in enumeration order. Of several processes by one entry's
// name the entry takes the last listed that owns such a window, else the last listed. Every
// lookup starts from empty window lists, so each holds exactly the windows this lookup saw.
void lookupprocesses();

// A visible top-level window and the process that owns it.
struct ownedwindow {
    HWND window;
    DWORD pid;
};
// The EnumWindows callback of the lookup: appends each visible window to the
// std::vector<ownedwindow> that list points to; never stops the enumeration.
BOOL CALLBACK collectwindow(HWND window, LPARAM list);

} // namespace process
