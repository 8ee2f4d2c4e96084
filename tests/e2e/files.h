#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

// Scratch directories and whole files, for every test, natively and under Wine.
namespace e2e {

inline std::string readfile(const std::string &path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

inline void writefile(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline bool exists(const std::string &path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// Every path under dir.
inline std::set<std::string> listing(const std::string &dir) {
    std::set<std::string> names;
    for (auto &f : std::filesystem::recursive_directory_iterator(dir))
        names.insert(f.path().string());
    return names;
}

// A fresh directory under the temp directory, removed with everything in it afterwards.
struct scratch {
    std::string path;
    scratch() {
        static int serial = 0; // the clock keeps test processes apart, serial the tests of one
        auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        path = (std::filesystem::temp_directory_path() /
                ("tessark-" + std::to_string(now) + "-" + std::to_string(serial++)))
                   .string();
        std::filesystem::create_directories(path);
    }
    ~scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    scratch(const scratch &) = delete;
    scratch &operator=(const scratch &) = delete;

    std::string file(const std::string &name) const {
        return (std::filesystem::path(path) / name).string();
    }
    // With '/', as configurations write paths.
    std::string slashed() const { return std::filesystem::path(path).generic_string(); }
};

} // namespace e2e
