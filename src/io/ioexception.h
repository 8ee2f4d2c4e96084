#pragma once

namespace io {

// Thrown by value, with no text: the catcher picks the wording.
enum ioexception { nomemory = 0, readfailed = 1, writefailed = 2, endofdata = 3, openfailed = 4 };

} // namespace io
