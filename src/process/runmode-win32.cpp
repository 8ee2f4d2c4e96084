#include "process/runmode.h"

#include "config/configuration.h"
#include "io/logfile.h"
#include "process/close.h"
#include "process/dump.h"
#include "process/hang.h"
#include "process/lookup.h"
#include "process/runflow.h"
#include "process/snapshot.h"
#include "process/start.h"

#include <windows.h>

namespace process {

using namespace config;

namespace {

// Each step of the run done for real, through Win32.
struct win32actor {
    void log(const char *line) { applog.printf("%s", line); }
    void log(const char *format, const std::string &s) { applog.printf(format, s.c_str()); }
    void lookup() { lookupprocesses(); }
    bool snapshot() { return takesnapshot(); }
    void dump() { dumpprocesses(); }
    bool start(size_t k) { return startprogram(configuration.starts[k]); }
    bool reach(size_t k, const closeway &way) { return closewindows((int)k, way.action); }
    bool terminate(size_t k, bool) {
        const startentry &e = configuration.starts[k];
        return killprocess(e.pid, e.created);
    }
    void pause(int ms, wait) {
        if (ms != 0)
            Sleep((DWORD)ms);
    }
    std::vector<size_t> suspects() { return process::suspects(); }
    std::vector<size_t> watch(const std::vector<size_t> &suspects, int ms) {
        return hangs.watch(suspects, ms);
    }
    bool end(size_t k) { return hangs.end(k); }
    // A run has nothing to add at these moments.
    void chose(branch, int, int) {}
    void closing(size_t, const stopentry &) {}
    void restartfailed() {}
    void restarting() {}

    hangwatch hangs;
};

} // namespace

void applymode() {
    win32actor a;
    runflow<win32actor>(a).applymode();
}

void closeall() {
    win32actor a;
    runflow<win32actor>(a).closeall();
}

} // namespace process
