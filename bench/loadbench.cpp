// Load speed of generated configurations of growing size; the cost per entry should stay flat.
// Optimised, unsanitized build and run:
//   cmake --preset bench && cmake --build --preset bench && build/bench/bin/loadbench
#include "config/check.h"
#include "config/configuration.h"
#include "config/loader.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace config;

namespace {

std::string generate(int n) {
    std::string text = "; generated\nrestart\nrestartdelay 3000\nstart\n";
    for (int i = 0; i < n; ++i)
        text += "\"c:/programs/tool" + std::to_string(i) + "/run.exe\", " +
                std::to_string(i % 5000) + "   ; program " + std::to_string(i) + "\n";
    text += "stop\n";
    for (int i = 0; i < n; ++i)
        text += std::to_string(n - 1 - i) + ", 500, 5\n";
    return text;
}

} // namespace

int main() {
    const int sizes[] = {10, 1000, 100000};
    std::printf("%8s %10s %8s %12s %10s %12s %8s\n", "entries", "bytes", "loads", "ms/load", "MB/s",
                "ns/entry", "ratio");
    double previous = 0;
    for (int n : sizes) {
        std::string text = generate(n);
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tessark-bench-" + std::to_string(n) + ".cfg");
        std::ofstream(path, std::ios::binary) << text;
        // About 200 MB of input per size, so that small files are timed over many loads.
        int loads = (int)(200e6 / text.size()) + 1;
        double seconds = 0;
        for (int i = 0; i < loads; ++i) {
            configuration = config::settings();
            auto start = std::chrono::steady_clock::now();
            bool ok = loadconfiguration(path.string().c_str());
            seconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (!ok || (int)configuration.starts.size() != n || !checkconfiguration()) {
                std::fprintf(stderr, "load of %d entries failed\n", n);
                return 1;
            }
        }
        std::filesystem::remove(path);
        double perload = seconds / loads;
        double perentry = perload / (2.0 * n) * 1e9; // a start and a stop entry each
        std::printf("%8d %10zu %8d %12.3f %10.1f %12.1f", n, text.size(), loads, perload * 1e3,
                    text.size() / perload / 1e6, perentry);
        if (previous > 0)
            std::printf(" %8.2f", perentry / previous);
        std::printf("\n");
        previous = perentry;
    }
    std::printf("ratio: cost per entry against the size before; near 1 is linear growth\n");
    return 0;
}
