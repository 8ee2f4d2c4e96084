#pragma once

#include "config/configuration.h"
#include "io/loglines.h"

namespace process {

// What a run mode does, decided from how many of the configured programs run.
enum branch {
    nobranch,      // a mode no configuration gives: nothing, not even a line
    startmissing,  // juststart: start what does not run
    allrunning,    // restart with everything running: nothing
    restartset,    // restart with something missing: close, wait, look again, start all
    startset,      // invert with nothing running: start all
    closeset,      // invert with everything running: close all
    closesome,     // invert with some running: close those, start nothing
    closeexisting, // justclose: close what runs
};

// The one decision, for tessark.exe's run and the checker's plan alike.
inline branch choosebranch(int mode, int running, int total) {
    switch (mode) {
    case config::juststart:
        return startmissing;
    case config::restart:
        return running == total ? allrunning : restartset;
    case config::invert:
        return running == 0 ? startset : running == total ? closeset : closesome;
    case config::justclose:
        return closeexisting;
    }
    return nobranch;
}

// The line a branch writes first, before it starts or closes anything; empty for nobranch.
inline const char *branchline(branch b) {
    static const char *const lines[] = {
        "",           startmissingline, allrunningline, restartsetline,
        startsetline, closesetline,     closesomeline,  closeexistingline,
    };
    return lines[b];
}

} // namespace process
