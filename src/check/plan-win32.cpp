#include "check/plan.h"
#include "check/rights.h"
#include "check/words.h"
#include "config/configuration.h"
#include "config/loader.h"
#include "io/loglines.h"
#include "process/close.h"
#include "process/dump.h"
#include "process/hang.h"
#include "process/logtext.h"
#include "process/lookup.h"
#include "process/runflow.h"
#include "process/session.h"
#include "process/snapshot.h"

#include <windows.h>

#include <cstdio>
#include <unordered_map>

namespace check {

using namespace config;
using namespace process;

namespace {

// Lines of the plan that a run does not log begin so.
const char note[] = "      > ";

std::string hex(void *window) {
    char s[32];
    std::snprintf(s, sizeof s, "%p", window);
    return s;
}

// The run walked through on what the lookup found, by the steps tessark.exe takes. A program
// counts as gone once a close that reaches it has been applied: a window message that closes
// (WM_CLOSE, or Alt+F4 as SC_CLOSE) to a window that answers, or termination. tessark.exe itself
// only learns so at its next look, and so does this plan: its look again finds what is still alive.
struct planner {
    const analysis &a;
    std::string text;
    std::vector<unsigned> found;  // the pid the lookup found
    std::vector<bool> alive;      // the program still runs
    std::vector<bool> refuses;    // its process refuses termination
    std::vector<bool> above;      // it runs above the checker's integrity level
    std::vector<std::string> why; // why a program outlives the closing
    std::vector<int> instances;   // processes that run by a found entry's name
    std::vector<int> elsewhere;   // processes by an entry's name in other sessions
    long long pauses = 0;
    int messaged = 0; // windows sent a message, each of which may hold the run 5 s

    explicit planner(const analysis &a) : a(a) {
        std::unordered_map<std::string, int> named, othersessions;
        for (unsigned i = 0; i < procsnapshot.count(); ++i) {
            unsigned pid = procsnapshot.pids[i];
            ++(inoursession(pid) ? named : othersessions)[processname(pid)];
        }
        for (size_t k = 0; k < configuration.starts.size(); ++k) {
            unsigned pid = configuration.starts[k].pid;
            found.push_back(pid);
            alive.push_back(pid != 0);
            refuses.push_back(pid != 0 && refusestermination(pid));
            above.push_back(pid != 0 && runsabove(pid));
            why.push_back("no stop entry closes it");
            instances.push_back(pid != 0 ? named[a.names[k]] : 0);
            elsewhere.push_back(a.names[k].empty() ? 0 : othersessions[a.names[k]]);
        }
    }

    const std::string &command(size_t e) const { return configuration.starts[e].command; }
    void say(const std::string &s) { text += note + s + "\n"; }

    // The steps.
    void log(const char *line) { text += line; }
    void log(const char *format, const std::string &s) { text += filled(format, s); }
    void dump() {
        text += dumptext();
        several();
        inactivehung();
    }
    // The first snapshot was read; whether a later one will be, no plan can tell.
    bool snapshot() { return true; }
    // What has gone is no longer found; what still runs is found again, also after a hang's end
    // counted it missing.
    void lookup() {
        for (size_t k = 0; k < alive.size(); ++k)
            configuration.starts[k].pid = alive[k] ? found[k] : 0;
    }

    bool start(size_t k) {
        auto unstartable = a.unstartable.find(k);
        if (unstartable != a.unstartable.end()) {
            say("the start fails, with no pause: " + unstartable->second);
            return false;
        }
        int delay = configuration.starts[k].startdelay;
        say("in " + quoted(a.directories[k]) +
            (delay ? ", then a pause of " + milliseconds(delay) : ""));
        return true;
    }

    bool reach(size_t e, const closeway &way) {
        const std::vector<void *> &windows = configuration.starts[e].windows;
        say(filled(way.sends, aux::counted(windows.size(), "window", "windows")));
        // Windows refuses it for another program's windows.
        if (way.action == destroyaction) {
            why[e] = way.fails;
            return windows.empty();
        }
        bool answered = message(e);
        if (way.fails)
            why[e] = way.fails;
        else if (answered)
            reached(e);
        return windows.empty() || !above[e];
    }

    bool terminate(size_t e, bool checked) {
        if (checked)
            say("it will still run: " + why[e]);
        return kill(e, checked ? "then termination" : "termination at once", "");
    }

    // What does not respond now, a run cannot tell from this plan whether it will answer in
    // time: the plan has it go on hanging.
    std::vector<size_t> suspects() { return process::suspects(); }
    std::vector<size_t> watch(const std::vector<size_t> &suspects, int ms) {
        for (size_t e : suspects)
            say(quoted(command(e)) + " does not respond now: its windows hang");
        bool one = suspects.size() == 1;
        say(std::string("a run watches ") + (one ? "it" : "them") + " for " + milliseconds(ms) +
            " (hungtimeout) and ends " + (one ? "it if it" : "each that") +
            " still does not respond then, as a missing program; one that answers meanwhile is "
            "left alone");
        pauses += ms;
        return suspects;
    }
    bool end(size_t e) { return kill(e, "termination", ", and Tessark waits until it is gone"); }

    void pause(int ms, wait w) {
        if (w == wait::afterstart) {
            pauses += ms; // said with the start
            return;
        }
        if (ms != 0) {
            say(std::string("then a pause of ") + milliseconds(ms) +
                (w == wait::grace     ? " to go"
                 : w == wait::restart ? " (restartdelay)"
                                      : ""));
            pauses += ms;
        }
        if (w == wait::grace)
            say(std::string("then Tessark looks again") + (ms ? "" : " at once") +
                ", and terminates it if it still runs" +
                (ms ? "" : ", even while it is still exiting"));
        else if (w == wait::restart && ms == 0)
            say("then Tessark looks again at once: a program still exiting counts as running");
    }

    // The moments.
    void chose(branch b, int running, int total) {
        if (b == allrunning)
            say("all " + std::to_string(total) + " run: nothing is closed or started");
        else if (b == restartset)
            say(std::to_string(running) + " of " + std::to_string(total) +
                " run: close them, wait, look again, and start all");
        else if (b == closesome)
            say(std::to_string(running) + " of " + std::to_string(total) +
                " run: they are closed, and the others are not started");
    }

    void closing(size_t e, const stopentry &s) {
        const closeway &way = wayof(methodof(s.method));
        if (way.action != noaction || way.terminates)
            return;
        say("method " + std::to_string(s.method) + ": nothing but this line");
        why[e] = "method " + std::to_string(s.method) + " does nothing";
    }

    void restartfailed() {
        std::string left;
        for (size_t k = 0; k < alive.size(); ++k)
            if (configuration.starts[k].pid != 0)
                left += (left.empty() ? "" : "; ") + quoted(command(k)) + ": " + why[k];
        say("still running then: " + left);
    }

    void restarting() {
        std::string failed = restartfailedline;
        say("only if nothing is left running when Tessark looks again; else it logs \"" +
            failed.substr(0, failed.size() - 1) + "\" and starts nothing");
    }

private:
    // Termination, what then follows it said after; a process that runs with rights the task
    // lacks refuses it, and stays.
    bool kill(size_t e, const std::string &what, const char *then) {
        if (refuses[e]) {
            // Elevated, the check weighs the task's rights, not its own.
            std::string as = judgedas();
            say(what + " is refused: the process runs with rights " +
                (as.empty() ? "this user lacks" : "the task, at " + as + " integrity, lacks"));
            why[e] = "it refuses termination";
            return false;
        }
        say(what + then);
        reached(e);
        return true;
    }

    // A program that does not respond now, where the file names hungtimeout but the rule is off:
    // the run leaves it so.
    void inactivehung() {
        int ms = configuration.hungtimeout;
        runmode m = configuration.mode;
        if (!a.hungat.line || (ms != 0 && (m == juststart || m == restart)))
            return;
        for (size_t e : process::suspects())
            say(quoted(command(e)) + " does not respond now, and a run leaves it so: " +
                (ms == 0 ? "hungtimeout is 0"
                         : "hungtimeout does not count in " + std::string(keyword(m))));
    }

    // A close reached the process found for entry e; another by the same name is found when
    // Tessark looks again.
    void reached(size_t e) {
        alive[e] = --instances[e] > 0;
        if (alive[e]) {
            why[e] = "another process runs by its name";
            say(why[e] + ", which Tessark finds when it looks again");
        }
    }

    // A message to every window of entry e; false when none answers.
    bool message(size_t e) {
        const std::vector<void *> &windows = configuration.starts[e].windows;
        size_t answering = 0;
        for (void *w : windows) {
            // The system's own test: it sends nothing.
            if (IsHungAppWindow((HWND)w))
                say("window " + hex(w) +
                    " does not answer now: Tessark passes over it, and the program stays");
            else
                ++answering;
        }
        messaged += (int)windows.size();
        if (windows.empty())
            why[e] = "it has no visible window for the message";
        else if (above[e])
            why[e] = "its windows refuse messages from a lower integrity level";
        else if (answering == 0)
            why[e] = "its windows do not answer";
        return answering > 0 && !above[e];
    }

    // Which of several processes by an entry's name Tessark acts on; those of other sessions
    // it never does.
    void several() {
        for (size_t k = 0; k < alive.size(); ++k) {
            const startentry &e = configuration.starts[k];
            if (elsewhere[k] > 0)
                say(quoted(e.command) + ": " + aux::counted(elsewhere[k], "process", "processes") +
                    " by its name " + (elsewhere[k] > 1 ? "run" : "runs") +
                    " in other sessions, for other users; Tessark leaves " +
                    (elsewhere[k] > 1 ? "them" : "it") + " alone");
            if (instances[k] > 1)
                say(quoted(e.command) + ": " + std::to_string(instances[k]) +
                    " processes run by its name; Tessark acts on pid " + std::to_string(e.pid) +
                    (e.windows.empty() ? ", the last listed, as none has a visible window"
                                       : ", the last listed that has a visible window") +
                    ", and the others end only if it takes them along");
        }
    }
};

} // namespace

std::string plantext(const analysis &a) {
    if (!takesnapshot())
        return "a run now: the process list cannot be read, and the run stops there\n";
    lookupprocesses();
    planner p(a);
    p.text = elevatednote() + "a run now, with " +
             aux::counted(procsnapshot.count(), "process", "processes") +
             " on this machine, would log:\n";
    runflow<planner>(p).applymode();
    // The plan's later looks forget what it closed; the entries keep what the lookup found.
    for (size_t k = 0; k < p.found.size(); ++k)
        configuration.starts[k].pid = p.found[k];
    char longest[200];
    double pauses = p.pauses / 1000.0, total = pauses + p.messaged * (messagetimeout / 1000.0);
    if (p.messaged)
        std::snprintf(longest, sizeof longest,
                      "longest run: %.1f s: %.1f s of pauses, and %u s for each of %s sent a "
                      "message, should it not answer\n",
                      total, pauses, messagetimeout / 1000,
                      aux::counted(p.messaged, "window", "windows").c_str());
    else
        std::snprintf(longest, sizeof longest,
                      "longest run: %.1f s, all of it pauses, no window sent a message\n", pauses);
    return p.text + longest;
}

} // namespace check
