#include "io/errortext.h"
#include "logreport/output.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace logreport {

std::string writeatomically(const std::string &path, const std::string &text) {
    std::string temporary = path + "." + std::to_string(getpid()) + ".tmp";
    int d = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (d < 0)
        return io::errortext(errno, "");
    size_t done = 0;
    while (done < text.size()) {
        ssize_t put = write(d, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += (size_t)put;
    }
    int error = done == text.size() && fsync(d) == 0 ? 0 : errno;
    if (close(d) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return io::errortext(error, "");
    }
    return "";
}

void rawconsole() {}

} // namespace logreport
