#pragma once

#include "process/methods.h"

namespace process {

// A hung program, or one that opens a "save changes?" dialog on WM_CLOSE, holds the run at
// most this long per window sent a message.
const unsigned messagetimeout = 5000;

// Applies one action, or sends one message, to every window of start entry index; false when
// it could not reach one of them.
bool closewindows(int index, unsigned action);
// Terminates process pid while it is still the one created then, as the lookup saw it; false
// when it runs on, refusing it. One that has ended since, its id perhaps another's now, is gone.
bool killprocess(unsigned pid, unsigned long long created);

} // namespace process
