#pragma once

#include "io/ioexception.h"
#include "io/stream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// A stream over a text that answers each read with the next scripted count (at most what was
// asked, and what is left); once the script is used up, each read gives what is left.
// failat: the read with this number (from 0) throws failure instead.
struct scriptedstream : io::stream {
    std::string text;
    std::vector<unsigned> script;
    int failat = -1;
    int failure = io::readfailed;
    size_t at = 0;
    int reads = 0;
    std::vector<unsigned> asked, returned;
    bool closed = false;

    scriptedstream(std::string text, std::vector<unsigned> script = {})
        : text(std::move(text)), script(std::move(script)) {}

    unsigned read(void *buffer, unsigned size) override {
        int n = reads++;
        asked.push_back(size);
        if (n == failat) {
            if (failure >= 0)
                throw(io::ioexception) failure;
            throw 42; // something that is no ioexception at all
        }
        size_t want = n < (int)script.size() ? std::min<size_t>(script[n], size) : size;
        size_t got = std::min(want, text.size() - at);
        std::memcpy(buffer, text.data() + at, got);
        at += got;
        returned.push_back((unsigned)got);
        return (unsigned)got;
    }
    void close() override { closed = true; }
};
