// Times one whole lookup (snapshot, lookup, dump) against a floor: a loop making only the same
// system calls, measured in the same run; and the look for programs that stopped responding,
// which a run with hungtimeout adds, when none has. Not a test: it prints figures and ratios.
//
//   lookupbench [programs]   runs that many fixture programs (default 50) while it measures
#include "clock.h"
#include "config/configuration.h"
#include "harness.h"
#include "io/logfile.h"
#include "process/dump.h"
#include "process/hang.h"
#include "process/lookup.h"
#include "process/snapshot.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace config;
using namespace process;

namespace {

unsigned sink; // keeps the floor's results alive

BOOL CALLBACK floorwindow(HWND h, LPARAM) {
    if (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        sink += pid;
    }
    return TRUE;
}

// The system calls of a lookup and nothing else: no matching, no lists, no log.
void floorrun() {
    static DWORD ids[4096];
    DWORD bytes = 0;
    EnumProcesses(ids, sizeof ids, &bytes);
    for (DWORD i = 0; i < bytes / 4; ++i) {
        DWORD session;
        sink += ProcessIdToSessionId(ids[i], &session);
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ids[i]);
        if (!h)
            continue;
        char path[MAX_PATH];
        DWORD size = sizeof path;
        sink += QueryFullProcessImageNameA(h, 0, path, &size);
        CloseHandle(h);
    }
    EnumWindows(floorwindow, 0);
}

struct times {
    double lookup; // snapshot and lookup
    double dump;
    double hung; // the look for suspects, none of which hangs
};

times realrun() {
    double t0 = now();
    takesnapshot();
    lookupprocesses();
    double t1 = now();
    dumpprocesses();
    double t2 = now();
    sink += (unsigned)suspects().size();
    return {t1 - t0, t2 - t1, now() - t2};
}

} // namespace

int main(int argc, char **argv) {
    int programs = argc > 1 ? std::atoi(argv[1]) : 50;
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    std::printf("starting %d fixture programs...\n", programs);
    for (int i = 1; i <= programs; ++i) {
        if (!fixtures.start("onewin-" + std::to_string(i) + ".exe").ready) {
            std::printf("fixture %d did not come up\n", i);
            return 1;
        }
    }
    applog.open(dir.file("tessark.log").c_str(), true);

    std::printf("%7s %9s %9s %9s %9s %9s %8s %8s %8s %8s\n", "entries", "processes", "floor ms",
                "lookup ms", "dump ms", "total ms", "lookup/f", "total/f", "hung ms", "hung/tot");
    for (int entries : {1, 100, 1000}) {
        // The running programs first, then programs that do not run.
        configuration.starts.clear();
        for (int i = 0; i < entries; ++i) {
            startentry e;
            e.command = i < programs ? dir.slashed() + "/onewin-" + std::to_string(i + 1) + ".exe"
                                     : "c:/bench/absent-" + std::to_string(i) + ".exe";
            configuration.starts.push_back(e);
        }
        int rounds = entries >= 1000 ? 9 : 21; // the legend below names these
        std::vector<double> floor, lookup, dump, total, hung;
        floorrun();
        realrun();
        for (int r = 0; r < rounds; ++r) {
            double t0 = now();
            floorrun();
            floor.push_back(now() - t0);
            times t = realrun();
            lookup.push_back(t.lookup);
            dump.push_back(t.dump);
            total.push_back(t.lookup + t.dump);
            hung.push_back(t.hung);
        }
        double f = median(floor), l = median(lookup), d = median(dump), all = median(total),
               h = median(hung);
        std::printf("%7d %9u %9.2f %9.2f %9.2f %9.2f %8.3f %8.3f %8.2f %8.3f\n", entries,
                    procsnapshot.count(), f * 1e3, l * 1e3, d * 1e3, all * 1e3, l / f, all / f,
                    h * 1e3, h / all);
    }
    std::printf(
        "floor: the lookup's system calls alone; lookup: takesnapshot and lookupprocesses;\n"
        "dump: dumpprocesses (one flushed log write); total: lookup and dump;\n"
        "hung: the look for programs that stopped responding (none has), which hungtimeout adds;\n"
        "medians of %d rounds (%d at 1000 entries), floor and run interleaved\n",
        21, 9);
    applog.close();
    configuration.starts.clear();
    return 0;
}
