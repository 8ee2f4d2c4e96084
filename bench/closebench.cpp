// Closes 10 and 50 running programs with tessark.exe (justclose, WM_CLOSE) and with Wine's
// own taskkill (one /im per program, no /f, so it closes politely too), alternating and
// repeated, in the same run. Not a test: it prints figures and ratios.
//
//   closebench [rounds]   rounds per size and tool (default 3)
#include "fixtures.h"
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double now() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER r;
        QueryPerformanceFrequency(&r);
        return r;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / f.QuadPart;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

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

// Runs line in dir with its output in a file (never a pipe: Wine children inherit
// descriptors), and times it and the end of the programs.
timing close(const e2e::scratch &dir, const std::string &line,
             const std::vector<const e2e::program *> &programs, const std::string &out) {
    timing t;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = INVALID_HANDLE_VALUE;
    si.hStdOutput = file;
    si.hStdError = file;
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back(0);
    double t0 = now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.path.c_str(),
                        &si, &pi)) {
        CloseHandle(file);
        t.left = (int)programs.size();
        return t;
    }
    CloseHandle(file);
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, 60000);
    t.run = now() - t0;
    CloseHandle(pi.hProcess);
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
    const std::string tools[2] = {"tessark", "taskkill"};
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
                timing t = close(dir, lines[tool], started, dir.file(tools[tool] + ".out"));
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
    std::string said = e2e::readfile(dir.file("taskkill.out"));
    std::printf("taskkill's last output, first lines:\n%s\n",
                said.substr(0, said.find('\n', said.find('\n') + 1)).c_str());
    return 0;
}
