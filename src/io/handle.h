#pragma once

#include <cstdint>

namespace io {

// An open file as the system names it: a HANDLE on Windows, a descriptor elsewhere. Both fit an
// integer the size of a pointer, and -1 is the closed one on both (INVALID_HANDLE_VALUE).
using oshandle = std::intptr_t;
inline constexpr oshandle closedhandle = -1;

} // namespace io
