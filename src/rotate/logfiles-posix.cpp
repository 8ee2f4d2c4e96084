#include "io/errortext.h"
#include "io/file.h"
#include "rotate/logfiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rotate {

// POSIX has no share modes: a writer that holds the log cannot be seen, and a rotation
// renames the log under it, which then goes on writing to LOGFILE.1. Only the native build
// of the portable core, for the sanitizers, uses this twin.
const bool detectsheld = false;

namespace {

bool taken(const std::string &name) {
    struct stat st;
    return lstat(name.c_str(), &st) == 0;
}

} // namespace

heldlog::~heldlog() {
    if (handle != io::closedhandle)
        close((int)handle);
}

heldlog::state heldlog::open(const std::string &name, std::string &why) {
    int d = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (d < 0) {
        if (errno == ENOENT)
            return missing;
        if (errno == ELOOP)
            return linked;
        why = io::errortext(errno, "");
        return failed;
    }
    if (io::linked(d)) {
        close(d);
        return linked;
    }
    handle = d;
    current = name;
    return opened;
}

unsigned long long heldlog::size() const {
    struct stat st;
    return fstat((int)handle, &st) == 0 ? (unsigned long long)st.st_size : 0;
}

std::string heldlog::renameto(const std::string &name) {
    std::string why = movefile(current, name);
    if (why.empty())
        current = name;
    return why;
}

namekind kindof(const std::string &name) {
    struct stat st;
    if (lstat(name.c_str(), &st) != 0)
        return errno == ENOENT ? nothing : othername;
    if (!S_ISREG(st.st_mode))
        return othername;
    return st.st_nlink > 1 ? linkedfile : plainfile;
}

unsigned long long lengthof(const std::string &name) {
    struct stat st;
    return stat(name.c_str(), &st) == 0 ? (unsigned long long)st.st_size : 0;
}

std::string movefile(const std::string &from, const std::string &to) {
    // rename(2) replaces a file silently; the look before it keeps that from happening
    // unless another process takes the name in between.
    if (taken(to))
        return "the name is taken";
    if (rename(from.c_str(), to.c_str()) == 0)
        return "";
    return io::errortext(errno, "");
}

std::string removefile(const std::string &name) {
    if (unlink(name.c_str()) == 0)
        return "";
    return io::errortext(errno, "");
}

} // namespace rotate
