#include "logreport/verdict.h"
#include "logreport/clocktext.h"
#include "text/counted.h"

namespace logreport {

namespace {

std::string times(int n) {
    return n == 1 ? "once" : std::to_string(n) + " times";
}

const char rightsadvice[] = "run the task with the program's rights";

} // namespace

const char *statusname(status code) {
    static const char *const names[] = {"OK", "WARNING", "CRITICAL", "UNKNOWN"};
    return names[code];
}

const char *outcomename(outcome result) {
    static const char *const names[] = {"normal", "errors", "cutoff", "running"};
    return names[result];
}

verdict judge(const history &h, const std::string &sincetext) {
    verdict v;
    const settings &s = h.s;
    const runinfo &last = h.last;
    if (h.runsinwindow() == 0)
        v.reasons.push_back("no run began in the last " + sincetext);
    if (last.started >= 0 && s.every > 0 && s.now - last.started > 3 * s.every)
        v.reasons.push_back("the last run began " + durationtext(s.now - last.started) +
                            " ago, more than three intervals of " + durationtext(s.every) +
                            ": the scheduled task no longer runs");
    if (last.started >= 0 && last.result == errorsrun)
        v.reasons.push_back("the last run, at " + isotime(last.started) +
                            ", stopped due to errors" +
                            (last.why.empty() ? "" : ": \"" + last.why + "\""));
    if (!v.reasons.empty())
        v.code = criticalstatus;

    std::vector<std::string> warnings;
    for (const program *shown : h.programs.shown()) {
        const program &p = *shown;
        // Only its own recoveries: a set restarted for another program's sake is no fault
        // of this one.
        if (p.recoveries >= s.flapping)
            warnings.push_back(p.command + " was found not running" +
                               (p.hangs ? " or not responding" : "") + " and started again " +
                               times(p.recoveries) +
                               (p.lost ? ", and " + std::to_string(p.lost) +
                                             " of its starts did not last to the next run"
                                       : ""));
        // Ended, unless a termination of it was refused, which has a reason of its own.
        if (p.hangs > 0)
            warnings.push_back(p.command + " stopped responding" +
                               (p.refused ? " " : " and was ended ") + times(p.hangs));
        if (p.terminations > 0)
            warnings.push_back(p.command + " outlived its close and was terminated " +
                               times(p.terminations));
        // Both mean the task lacks the rights the program runs with (an elevated program, or
        // another user's).
        if (p.refused > 0)
            warnings.push_back(p.command + " refused its termination " + times(p.refused) +
                               " and still runs: " + rightsadvice);
        if (p.unreached > 0)
            warnings.push_back(p.command + " was not reached by its close " + times(p.unreached) +
                               ": " + rightsadvice);
    }
    if (h.restartfailures > 0)
        warnings.push_back(aux::counted(h.restartfailures, "restart", "restarts") +
                           " failed: a program outlived the closing, and nothing was started");
    if (h.runs[errorsrun] > 0)
        warnings.push_back(aux::counted(h.runs[errorsrun], "run", "runs") +
                           " stopped due to errors");
    if (h.runs[cutoffrun] > 0)
        warnings.push_back(h.runs[cutoffrun] == 1
                               ? "1 run was cut off before its end line (killed, crashed or "
                                 "power lost)"
                               : aux::counted(h.runs[cutoffrun], "run", "runs") +
                                     " were cut off before their end lines (killed, crashed or "
                                     "power lost)");
    if (h.enumfailures > 0)
        warnings.push_back(aux::counted(h.enumfailures, "time", "times") +
                           " the list of processes could not be read");
    if (v.code == okstatus && !warnings.empty())
        v.code = warningstatus;
    v.reasons.insert(v.reasons.end(), warnings.begin(), warnings.end());
    return v;
}

verdict unreadable(const std::string &what) {
    return {unknownstatus, {"cannot read " + what}};
}

} // namespace logreport
