#include "io/errortext.h"
#include "logreport/logsource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace logreport {

logsource::~logsource() {
    if (handle != io::closedhandle)
        close((int)handle);
}

std::string logsource::open(const char *path) {
    int d = ::open(path, O_RDONLY | O_CLOEXEC);
    if (d < 0)
        return io::errortext(errno, "");
    struct stat st;
    if (fstat(d, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(d);
        return "it is a directory";
    }
    handle = d;
    return "";
}

long logsource::read(char *buffer, unsigned size) {
    ssize_t got;
    do
        got = ::read((int)handle, buffer, size);
    while (got < 0 && errno == EINTR);
    return (long)got;
}

} // namespace logreport
