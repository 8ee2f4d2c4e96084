#pragma once

#include "io/file.h"
#include "io/stream.h"

namespace io {

// A file opened for reading, as a stream. Unlike a bare file it closes itself when destroyed.
class filestream : public stream, public file {
public:
    // Throws openfailed when the file cannot be opened.
    explicit filestream(const char *path);
    ~filestream() override;

    unsigned read(void *buffer, unsigned size) override;
    void close() override;
};

} // namespace io
