#pragma once

#include "io/handle.h"

namespace io {

// Seek origins; the values are those of FILE_BEGIN, FILE_CURRENT and FILE_END.
enum seekmethod { frombegin = 0, fromcurrent = 1, fromend = 2 };

// A thin owner of one file handle. Failures throw io::ioexception values.
// The destructor does not close: the classes that hold a file close it themselves.
class file {
public:
    file() = default;
    virtual ~file();
    file(const file &) = delete;
    file &operator=(const file &) = delete;

    // mode 0 read existing, 2 create or empty for writing, 3 read and write existing,
    // anything else (1) open or create for writing. Others may read, never write.
    // plainonly refuses (openfailed) a file that is linked (below), judged on the opened
    // handle so that nothing can change between the look and the use, and empties it (mode 2)
    // only after that look.
    void open(const char *name, int mode, bool plainonly = false);
    bool isopen() const;
    unsigned read(void *buffer, unsigned size);
    void write(const void *buffer, unsigned size);
    long long seek(long long distance, int method); // new position, or -1
    void flush();
    void close();

protected:
    oshandle handle = closedhandle;
};

// Whether an open file has another name (a hard link) or is a link itself (a symbolic link or
// junction, on Windows a reparse point): a log written through it may be another user's file.
// Also when that cannot be told.
bool linked(oshandle handle);

// Whether the last open that failed was refused because another handle holds the file without
// sharing it for writing: a holder that lets go soon. POSIX has no share modes: never there.
bool refusedbysharing();
// Waits that many milliseconds.
void pausefor(unsigned ms);

} // namespace io
