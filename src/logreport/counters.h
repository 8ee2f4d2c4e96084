#pragma once

#include "logreport/programindex.h"

namespace logreport {

// A count kept per program, as each form of the report names it: the text table's column
// (as wide as its header), the JSON key, the Nagios performance data's label (a total over the
// programs) and the Prometheus metric with its help. Every form shows every count; where one
// leaves a count out, its name is null and the row says why (the text table and JSON, which
// are for reading it all, leave none out: their names are never null).
struct counter {
    int program::*count;
    const char *column, *key, *perfdata, *metric, *help;
    // Prometheus: written after the other counts, where the first reports put it, so that a
    // report compared with an older one differs only in its numbers.
    bool metriclast = false;
    // Shown only once a program in the window has one: the report of a set that never earns
    // the count stays as it was before the count existed.
    bool whenseen = false;
};

inline constexpr counter counters[] = {
    {&program::starts, "starts", "starts", "starts", "tessark_program_starts",
     "Starts of the program in the window."},
    // The plugin's data are totals over the programs, while --flapping judges each program's
    // own recoveries: a total would read as that count and is none, for a set of programs that
    // each recovered once adds up to the count of one that flaps. The check's status and its
    // reason, which names the program, carry the rule.
    {&program::recoveries, "recoveries", "recoveries", nullptr, "tessark_program_recoveries",
     "Starts of the program after a run found it not running.", true},
    {&program::lost, "lost", "lost", "lost", "tessark_program_lost",
     "Starts after which the next run did not find the program."},
    // Every attempt is a close, also the routine ones of justclose, invert and restart: their
    // number follows from the configuration and the number of runs, not from the programs'
    // health, and a close that went wrong shows in the three counts after it. Monitoring graphs
    // and alerts on health, so its two forms leave closes out.
    {&program::closes, "closes", "closes", nullptr, nullptr, nullptr},
    {&program::terminations, "terminations", "terminations", "terminations",
     "tessark_program_terminations", "Times the program outlived its close and was terminated."},
    {&program::refused, "refused", "refused", "refused", "tessark_program_refused",
     "Times the program refused its termination."},
    {&program::unreached, "unreached", "unreached", "unreached", "tessark_program_unreached",
     "Closes that did not reach the program."},
    // Only a configuration with hungtimeout earns hangs.
    {&program::hangs, "hangs", "hangs", "hangs", "tessark_program_hangs",
     "Times a run found the program not responding.", false, true},
};

} // namespace logreport
