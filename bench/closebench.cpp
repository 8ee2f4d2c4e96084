// Closes 10 and 50 running programs with tessark.exe (justclose, WM_CLOSE) and with Wine's
// own taskkill (one /im per program, no /f, so it closes politely too), alternating and
// repeated, in the same run. Not a test: it prints figures and ratios.
//
//   closebench [rounds]   rounds per size and tool (default 3)
#include "clock.h"
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string name(int i) {
    return "onewin-" + std::to_string(i) + ".exe";
}

struct timing {
    double run = 0;  // until the closing program has ended
    double gone = 0; // until every closed program has ended too
    int left = 0;    // programs still running after 30 s
    int rude = 0;    // programs that ended without a WM_CLOSE, or not by themselves
};

bool has(const std::vector<std::string> &events, const char *line) {
    return std::find(events.begin(), events.end(), line) != events.end();
}

// Runs line in dir, and times it and the end of the programs.
timing close(const e2e::scratch &dir, const std::string &line,
             const std::vector<const e2e::program *> &programs, std::string &out) {
    timing t;
    double t0 = now();
    e2e::result r = e2e::run(dir.path, line);
    if (!r.finished) {
        t.left = (int)programs.size();
        return t;
    }
    t.run = r.seconds;
    out = r.out;
    std::vector<HANDLE> handles;
    for (const e2e::program *p : programs)
        handles.push_back((HANDLE)p->process);
    WaitForMultipleObjects((DWORD)handles.size(), handles.data(), TRUE, 30000);
    t.gone = now() - t0;
    for (const e2e::program *p : programs) {
        std::vector<std::string> events = p->events();
        t.left += !p->waitexit(0);
        t.rude += p->waitexit(0) && !(has(events, "WM_CLOSE main") && has(events, "exit"));
    }
    return t;
}

std::string config(const e2e::scratch &dir, int programs) {
    std::string text = "justclose\nstart\n";
    for (int i = 1; i <= programs; ++i)
        text += "\"" + dir.slashed() + "/" + name(i) + "\", 0\n";
    text += "stop\n";
    for (int i = 0; i < programs; ++i)
        text += std::to_string(i) + ", 0, 0\n";
    return text;
}

std::string taskkill(int programs) {
    std::string line = "c:\\windows\\system32\\taskkill.exe";
    for (int i = 1; i <= programs; ++i)
        line += " /im " + name(i);
    return line;
}

} // namespace

int main(int argc, char **argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    e2e::scratch dir;
    std::string said[2]; // each tool's last output
    std::printf("%8s %8s %12s %12s %12s %12s %9s %9s\n", "programs", "rounds", "tessark ms",
                "+gone ms", "taskkill ms", "+gone ms", "run t/k", "gone t/k");
    for (int programs : {10, 50}) {
        e2e::writefile(dir.file("close.cfg"), config(dir, programs));
        std::string lines[2] = {"\"" + e2e::bindir() + "\\tessark.exe\" close.cfg",
                                taskkill(programs)};
        std::vector<double> run[2], gone[2];
        int left[2] = {0, 0}, rude[2] = {0, 0};
        for (int r = 0; r < rounds; ++r) {
            for (int k = 0; k < 2; ++k) {
                int tool = (r + k) % 2; // each goes first in turn
                e2e::guard fixtures(dir);
                std::vector<const e2e::program *> started;
                for (int i = 1; i <= programs; ++i) {
                    started.push_back(&fixtures.start(name(i)));
                    if (!started.back()->ready) {
                        std::printf("%s did not come up\n", name(i).c_str());
                        return 1;
                    }
                }
                timing t = close(dir, lines[tool], started, said[tool]);
                run[tool].push_back(t.run);
                gone[tool].push_back(t.gone);
                left[tool] += t.left;
                rude[tool] += t.rude;
                DeleteFileA(dir.file("tessark.log").c_str());
            }
        }
        double tr = median(run[0]), tg = median(gone[0]);
        double kr = median(run[1]), kg = median(gone[1]);
        std::printf("%8d %8d %12.1f %12.1f %12.1f %12.1f %9.3f %9.3f\n", programs, rounds, tr * 1e3,
                    tg * 1e3, kr * 1e3, kg * 1e3, tr / kr, tg / kg);
        if (left[0] || left[1])
            std::printf("still running after 30 s: %d after tessark, %d after taskkill\n", left[0],
                        left[1]);
    }
    std::printf(
        "tessark: the run of tessark.exe; taskkill: the run of taskkill.exe; +gone: until\n"
        "every closed program has ended too; medians of the rounds, both tools alternating;\n"
        "t/k: tessark's time over taskkill's\n");
    std::printf("taskkill's last output, first lines:\n%s\n",
                said[1].substr(0, said[1].find('\n', said[1].find('\n') + 1)).c_str());
    return 0;
}
