#include "check/unreadable.h"
#include "io/errortext.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace check {

std::string whyunreadable(const char *path) {
    struct stat st;
    if (stat(path, &st) != 0)
        return io::errortext(errno, "");
    if (S_ISDIR(st.st_mode))
        return "it is a directory";
    int d = open(path, O_RDONLY | O_CLOEXEC);
    if (d < 0)
        return io::errortext(errno, "");
    close(d);
    return "";
}

} // namespace check
