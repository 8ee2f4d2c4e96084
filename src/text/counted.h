#pragma once

#include <string>

namespace aux {

// A number and the word for that many: "1 window", "2 windows".
inline std::string counted(long long n, const char *one, const char *many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace aux
