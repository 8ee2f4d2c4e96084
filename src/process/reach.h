#pragma once

#include <windows.h>

namespace process {

// Whether a close gets to a window. What decides it shows only on real Windows: a window of a
// process at a higher integrity level refuses messages, and the foreground is granted only in
// some conditions. Each fact is read here and nowhere else.

// Sends message to w, waiting at most messagetimeout; false only when the window refused it.
// A hung window that lets the time run out was reached all the same.
bool sendreaches(HWND w, unsigned message);
// Brings w to the foreground; false when it is not the foreground window right after.
bool bringtofront(HWND w);
// Whether w is gone, closed meanwhile (as a second window goes with the first): no refusal.
bool windowgone(HWND w);

} // namespace process
