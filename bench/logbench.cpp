// The log report against the least any reader of the log does: counting its lines with memchr,
// in the same blocks from the same file, in the same run. A generated log of a kiosk's runs
// every five minutes (with restarts, terminations and an error now and then) is written to a
// temporary directory and removed afterwards. The report is timed with the default window of
// 24 hours, where the years before it are passed over line by line, and with a window that
// holds the whole log, where every line is read in full. Also the peak memory after each size: a
// report that streams holds as much after 1 GiB as after 1 MiB. Natively:
//   cmake --preset bench && cmake --build --preset bench && build/bench/bin/logbench [MiB...]
// and under Wine with bench/run.
#include "logreport/clocktext.h"
#include "logreport/formats.h"
#include "logreport/logsource.h"
#include "logreport/reading.h"
#include "peakmemory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace logreport;

namespace {

double seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string stamp(long long t, const char *text) {
    std::string iso = isotime(t);
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4) + " " +
           iso.substr(11, 8) + " " + text + "\n";
}

// Runs every five minutes up to now, oldest first, until the log holds size bytes.
void generate(const std::string &path, long long size, long long now) {
    long long runs = size / 400 + 1;
    FILE *f = std::fopen(path.c_str(), "wb");
    std::string block;
    long long written = 0;
    for (long long k = runs; k > 0 && written < size; --k) {
        long long t = now - k * 300;
        block += stamp(t, "*** started");
        if (k % 997 == 0) {
            block += "...not enough memory or syntax error at line 3 in config file\n";
            block += stamp(t, "*** stop due to errors");
            continue;
        }
        block += "...loaded [3,3] records from config, mode 11\n...found 87 processes\n"
                 "process dump:\n   c:/kiosk/browser.exe exist, pid 4412 found 2 hwnds\n"
                 "   c:/kiosk/player.exe exist, pid 5120 failed to get hwnd\n";
        if (k % 7 == 0) {
            block += "   c:/kiosk/watch dog.exe not exist\n...not all processes exist, "
                     "restarting\n   trying to close c:/kiosk/browser.exe\n   trying to close "
                     "c:/kiosk/player.exe\n...failed to close process, trying to terminate\n"
                     "...starting all\n   starting c:/kiosk/browser.exe\n   starting "
                     "c:/kiosk/player.exe\n   starting c:/kiosk/watch dog.exe\n";
        } else {
            block += "   c:/kiosk/watch dog.exe exist, pid 6032 found 1 hwnds\n"
                     "...no need to restart, all runs fine\n";
        }
        block += stamp(t + 2, "*** normal shutdown");
        if (block.size() > (1 << 20)) {
            std::fwrite(block.data(), 1, block.size(), f);
            written += block.size();
            block.clear();
        }
    }
    std::fwrite(block.data(), 1, block.size(), f);
    std::fclose(f);
}

long long countlines(const std::string &path) {
    logsource source;
    source.open(path.c_str());
    std::vector<char> block(1 << 16);
    long long lines = 0;
    long got;
    while ((got = source.read(block.data(), (unsigned)block.size())) > 0)
        for (const char *p = block.data(), *end = p + got;
             (p = (const char *)std::memchr(p, '\n', end - p)); ++p)
            ++lines;
    return lines;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    std::vector<long long> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoll(argv[i]));
    if (sizes.empty())
        sizes = {1, 256, 1024};
    std::string dir = (std::filesystem::temp_directory_path() / "tessark-logbench").string();
    std::filesystem::create_directories(dir);
    std::string path = dir + "/tessark.log";
    long long now = epochseconds(2026, 12, 7, 12, 0, 0);
    std::printf("%8s %10s %10s %10s %7s %10s %7s %10s\n", "log MiB", "lines", "memchr s", "24h s",
                "ratio", "all s", "ratio", "peak KiB");
    for (long long mib : sizes) {
        generate(path, mib << 20, now);
        std::vector<double> counting, reporting, whole;
        long long lines = 0;
        std::string said;
        for (int round = 0; round < 3; ++round) {
            double t0 = seconds();
            lines = countlines(path);
            double t1 = seconds();
            settings s;
            s.now = now;
            history h(s);
            readlogs({path}, h);
            verdict v = judge(h, "24h");
            said = textreport({h, v, "24h"}).substr(0, 16);
            double t2 = seconds();
            s.window = 36525LL * 86400;
            history all(s);
            readlogs({path}, all);
            double t3 = seconds();
            counting.push_back(t1 - t0);
            reporting.push_back(t2 - t1);
            whole.push_back(t3 - t2);
        }
        double c = median(counting), r = median(reporting), w = median(whole);
        std::printf("%8lld %10lld %10.3f %10.3f %7.2f %10.3f %7.2f %10ld\n", mib, lines, c, r,
                    r / c, w, w / c, peakmemory());
        std::fflush(stdout);
        if (said.compare(0, 11, "TESSARK WAR") != 0)
            std::printf("unexpected verdict: %s\n", said.c_str());
    }
    std::filesystem::remove_all(dir);
    return 0;
}
