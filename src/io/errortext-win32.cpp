#include "io/errortext.h"

#include <windows.h>

namespace io {

std::string errortext(unsigned long error, const char *held) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "it does not exist";
    case ERROR_ACCESS_DENIED:
        return "access is denied";
    case ERROR_SHARING_VIOLATION:
        return held;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return "the name is taken";
    default:
        return "Windows error " + std::to_string(error);
    }
}

} // namespace io
