// The checker's analysis of generated configurations against loading them alone, in the same
// run, alternating: the check should cost at most twice the load and grow linearly.
// Optimised, unsanitized build and run:
//   cmake --preset bench && cmake --build --preset bench && build/bench/bin/checkbench
#include "check/analysis.h"
#include "check/reading.h"
#include "config/check.h"
#include "config/configuration.h"
#include "config/loader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace config;
using namespace check;

namespace {

// Mostly clean, with a trap now and then: a repeated name, a fraction, a method that does
// nothing much.
std::string generate(int n) {
    std::string text = "; generated\nrestart\nrestartdelay 3000\nstart\n";
    for (int i = 0; i < n; ++i)
        text += "\"c:/programs/tool" + std::to_string(i) + "/run" +
                std::to_string(i % 1000 == 999 ? 0 : i) + ".exe\", " + std::to_string(i % 5000) +
                (i % 700 == 0 ? ".5" : "") + "   ; program " + std::to_string(i) + "\n";
    text += "stop\n";
    for (int i = 0; i < n; ++i)
        text += std::to_string(n - 1 - i) + ", 500, " + (i % 900 == 0 ? "1" : "5") + "\n";
    return text;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    std::printf("%8s %10s %6s %10s %10s %8s %14s %8s\n", "entries", "bytes", "runs", "load ms",
                "check ms", "ratio", "check ns/entry", "growth");
    double previous = 0;
    for (int n : {1000, 10000, 100000}) {
        std::string text = generate(n);
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tessark-checkbench-" + std::to_string(n) + ".cfg");
        std::ofstream(path, std::ios::binary) << text;
        int runs = std::max(15, (int)(50e6 / text.size()));
        std::vector<double> loads, checks;
        for (int i = 0; i < runs; ++i) {
            configuration = config::settings();
            auto start = std::chrono::steady_clock::now();
            bool ok = loadconfiguration(path.string().c_str()) && checkconfiguration();
            loads.push_back(seconds(start));

            configuration =
                config::settings(); // what the last load left is not the check's to free
            start = std::chrono::steady_clock::now();
            analysis a;
            analysefile(a, path.string().c_str());
            // All that would be printed, made but not written.
            size_t out = 0;
            writereading(a, [&](const std::string &piece) { out += piece.size(); });
            for (const finding &f : a.warnings)
                out += findingline(path.string(), f).size();
            checks.push_back(seconds(start));
            if (!ok || !a.consistent || (int)configuration.starts.size() != n) {
                std::fprintf(stderr, "the configuration of %d entries did not load\n", n);
                return 1;
            }
        }
        std::filesystem::remove(path);
        double load = median(loads), check = median(checks);
        double perentry = check / (2.0 * n) * 1e9;
        std::printf("%8d %10zu %6d %10.2f %10.2f %8.2f %14.1f", n, text.size(), runs, load * 1e3,
                    check * 1e3, check / load, perentry);
        if (previous > 0)
            std::printf(" %8.2f", perentry / previous);
        std::printf("\n");
        previous = perentry;
    }
    std::printf("ratio: the check (load, analysis and the text it prints) against the load "
                "alone; growth: cost per entry against the size before, near 1 is linear\n");
    return 0;
}
