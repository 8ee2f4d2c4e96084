#include "io/errortext.h"

#include <cerrno>

namespace io {

std::string errortext(unsigned long error, const char *) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "it does not exist";
    case EACCES:
    case EPERM:
        return "access is denied";
    case EEXIST:
    case ENOTEMPTY:
        return "the name is taken";
    default:
        return "error " + std::to_string(error);
    }
}

} // namespace io
