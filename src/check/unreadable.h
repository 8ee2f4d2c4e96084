#pragma once

#include <string>

namespace check {

// Why a file cannot be read, in words ("it does not exist"), or empty when it can be opened.
std::string whyunreadable(const char *path);

} // namespace check
