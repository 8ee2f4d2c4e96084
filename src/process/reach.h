#pragma once

#include <windows.h>

namespace process {

// Whether a close gets to a window. What decides it shows only on real Windows: a window of a
// process at a higher integrity level refuses messages. The fact is read here and nowhere else.

// Sends message with wparam to w, waiting at most messagetimeout; false only when the window
// refused it. A hung window that lets the time run out, or one gone meanwhile, was reached all
// the same.
bool sendreaches(HWND w, unsigned message, WPARAM wparam);

} // namespace process
