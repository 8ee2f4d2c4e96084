#pragma once

#include <windows.h>

// Assigns the snapshot's processes to start entries and collects the visible top-level
// windows of each entry's process, in enumeration order. Every lookup starts from empty
// window lists, so each holds exactly the windows this lookup saw.
void lookupprocesses();
// The EnumWindows callback of the lookup; never stops the enumeration.
BOOL CALLBACK collectwindow(HWND window, LPARAM unused);
