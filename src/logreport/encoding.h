#pragma once

#include <string>
#include <string_view>

namespace logreport {

// 8-bit text in the system's ANSI code page, as commands are logged, as UTF-8. A byte the code
// page has no character for becomes U+00XX: never dropped, never a '?'.
std::string ansitoutf8(std::string_view text);

} // namespace logreport
