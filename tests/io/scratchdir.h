#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A fresh directory per test, removed afterwards.
struct scratchdir {
    std::filesystem::path path;

    scratchdir() {
        static int serial = 0;
        // The clock keeps concurrent test processes apart, the serial the tests of one.
        auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() /
               ("tessark-" + std::to_string(now) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~scratchdir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const char *name) const { return (path / name).string(); }
};

inline std::string slurp(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void spit(const std::string &name, const std::string &text) {
    std::ofstream(name, std::ios::binary) << text;
}
