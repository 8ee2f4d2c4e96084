#pragma once

#include "io/ioexception.h"
#include "io/stream.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A fresh directory per test, removed afterwards.
struct scratchdir {
    std::filesystem::path path;
    scratchdir() {
        static int serial = 0; // the clock keeps test processes apart, serial the tests of one
        auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() /
               ("tessark-" + std::to_string(now) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path);
    }
    ~scratchdir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const char *name) const { return (path / name).string(); }
};

inline std::string slurp(const std::string &name) {
    std::stringstream s;
    s << std::ifstream(name, std::ios::binary).rdbuf();
    return s.str();
}

inline void spit(const std::string &name, const std::string &text) {
    std::ofstream(name, std::ios::binary) << text;
}

// -1 when op returns, else the ioexception it throws.
template <class F> int fails(F op) {
    try {
        op();
        return -1;
    } catch (io::ioexception e) {
        return e;
    }
}

// A stream over text whose read number n (from 0) returns at most script[n] bytes, all it can
// once the script is used up; read number failat throws failure, or a non-ioexception if -1.
struct scriptedstream : io::stream {
    std::string text;
    std::vector<unsigned> script, asked, returned;
    int failat, failure;
    size_t at = 0;

    scriptedstream(std::string text, std::vector<unsigned> script = {}, int failat = -1,
                   int failure = io::readfailed)
        : text(std::move(text)), script(std::move(script)), failat(failat), failure(failure) {}
    unsigned read(void *buffer, unsigned size) override {
        size_t n = asked.size();
        asked.push_back(size);
        if ((int)n == failat)
            failure >= 0 ? throw(io::ioexception) failure : throw 42;
        size_t want = n < script.size() ? std::min(script[n], size) : size;
        size_t got = std::min(want, text.size() - at);
        std::memcpy(buffer, text.data() + at, got);
        at += got;
        returned.push_back((unsigned)got);
        return (unsigned)got;
    }
    void close() override {}
};
