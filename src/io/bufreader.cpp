#include "io/bufreader.h"
#include "io/ioexception.h"
#include "io/stream.h"

#include <new>

namespace io {

namespace {

// A source may not hand back more than it was asked for; never index past the buffer if it does.
unsigned clamp(unsigned got, unsigned capacity) {
    return got > capacity ? capacity : got;
}

} // namespace

bufreader::bufreader(stream &source, unsigned capacity) : source(&source), capacity(capacity) {
    try {
        buffer = new char[capacity];
    } catch (...) {
        throw nomemory;
    }
    try {
        count = clamp(source.read(buffer, capacity), capacity);
    } catch (...) {
        delete[] buffer;
        throw readfailed;
    }
}

bufreader::~bufreader() {
    delete[] buffer;
}

void bufreader::refill() {
    unsigned got = clamp(source->read(buffer, capacity), capacity);
    position = 0;
    count = got;
    if (count == 0)
        throw endofdata;
}

} // namespace io
