#pragma once

#include "../e2e/files.h"
#include "io/ioexception.h"
#include "io/stream.h"

#include <algorithm>
#include <cstring>

// -1 when op returns, else the ioexception it throws.
template <class F> int fails(F op) {
    try {
        op();
        return -1;
    } catch (io::ioexception e) {
        return e;
    }
}

// A stream over text whose read number failat (from 0) throws failure, or a non-ioexception
// if that is -1.
struct scriptedstream : io::stream {
    std::string text;
    int failat, failure, reads = 0;
    size_t at = 0;

    scriptedstream(std::string text, int failat = -1, int failure = io::readfailed)
        : text(std::move(text)), failat(failat), failure(failure) {}
    unsigned read(void *buffer, unsigned size) override {
        if (reads++ == failat)
            failure >= 0 ? throw(io::ioexception) failure : throw 42;
        size_t got = std::min<size_t>(size, text.size() - at);
        std::memcpy(buffer, text.data() + at, got);
        at += got;
        return (unsigned)got;
    }
    void close() override {}
};
