#include "io/memorystream.h"

#include <cstring>

namespace io {

memorystream::memorystream(const void *data, unsigned long long size)
    : data(static_cast<const unsigned char *>(data)), size(size) {}

unsigned memorystream::read(void *buffer, unsigned size) {
    unsigned long long left = this->size - position;
    unsigned n = left < size ? (unsigned)left : size;
    if (n)
        std::memcpy(buffer, data + position, n);
    position += n;
    return n;
}

void memorystream::close() {
    position = size;
}

} // namespace io
