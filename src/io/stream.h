#pragma once

namespace io {

// A source of bytes, read in blocks.
class stream {
public:
    virtual ~stream() {}
    // Reads at most size bytes; returns how many, 0 once the source is exhausted.
    virtual unsigned read(void *buffer, unsigned size) = 0;
    virtual void close() = 0;
};

} // namespace io
