#pragma once

#include "io/stream.h"

namespace io {

// Bytes already in memory, as a stream. The bytes are not copied and must outlive it.
class memorystream : public stream {
public:
    memorystream(const void *data, unsigned long long size);

    unsigned read(void *buffer, unsigned size) override;
    void close() override;

private:
    const unsigned char *data;
    unsigned long long size;
    unsigned long long position = 0;
};

} // namespace io
