#pragma once

#include <string>

namespace io {

// Why a file operation failed, in the words the kit's tools print: error is the system's code
// (GetLastError on Windows, errno elsewhere); held is what to say of a sharing violation, whose
// meaning depends on how the file was opened.
std::string errortext(unsigned long error, const char *held);

} // namespace io
