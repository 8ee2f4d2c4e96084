#pragma once

namespace process {

// False only when pid is known to run in another session than Tessark's own (another user's
// desktop). In a file of its own, so that a test can say which processes are elsewhere.
bool inoursession(unsigned pid);

} // namespace process
