#include "io/file.h"
#include "io/ioexception.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The same contract as the Win32 file, on a file descriptor kept in the handle.
namespace io {

namespace {

int fd(oshandle handle) {
    return (int)handle;
}

} // namespace

bool refusedbysharing() {
    return false;
}

void pausefor(unsigned ms) {
    usleep((useconds_t)ms * 1000);
}

file::~file() {}

bool linked(oshandle handle) {
    struct stat st;
    // A symbolic link is never opened here: the open that cares refuses to follow one.
    return fstat(fd(handle), &st) != 0 || st.st_nlink > 1;
}

void file::open(const char *name, int mode, bool plainonly) {
    int flags = O_WRONLY | O_CREAT;
    if (mode == 0)
        flags = O_RDONLY;
    else if (mode == 2)
        flags = O_WRONLY | O_CREAT | (plainonly ? 0 : O_TRUNC);
    else if (mode == 3)
        flags = O_RDWR;
    int d = ::open(name, flags | O_CLOEXEC | (plainonly ? O_NOFOLLOW : 0), 0644);
    if (d < 0)
        throw openfailed;
    // Windows cannot open a directory as a file; keep both builds alike.
    struct stat st;
    if (fstat(d, &st) != 0 || S_ISDIR(st.st_mode) ||
        (plainonly && (linked(d) || (mode == 2 && ftruncate(d, 0) != 0)))) {
        ::close(d);
        throw openfailed;
    }
    handle = d;
}

bool file::isopen() const {
    return handle != closedhandle;
}

unsigned file::read(void *buffer, unsigned size) {
    ssize_t got = ::read(fd(handle), buffer, size);
    if (got < 0)
        throw readfailed;
    return (unsigned)got;
}

void file::write(const void *buffer, unsigned size) {
    ssize_t put = ::write(fd(handle), buffer, size);
    if (put < 0 || (unsigned)put != size)
        throw writefailed;
}

long long file::seek(long long distance, int method) {
    int whence = method == fromcurrent ? SEEK_CUR : method == fromend ? SEEK_END : SEEK_SET;
    off_t at = lseek(fd(handle), (off_t)distance, whence);
    return at < 0 ? -1 : (long long)at;
}

void file::flush() {
    if (fsync(fd(handle)) != 0)
        throw writefailed;
}

void file::close() {
    if (handle == closedhandle)
        return;
    ::close(fd(handle));
    handle = closedhandle;
}

} // namespace io
