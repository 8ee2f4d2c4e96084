#include "check/machine.h"
#include "check/words.h"
#include "config/configuration.h"
#include "io/loglines.h"
#include "process/branch.h"
#include "process/close.h"
#include "process/dump.h"
#include "process/logtext.h"
#include "process/lookup.h"
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

// The run walked through on what the lookup found. A program counts as gone once a close
// method that reaches it has been applied: a window message (WM_CLOSE, or Alt+F4 as SC_CLOSE)
// to a window that answers, or termination. tessark.exe itself only learns so at its next look.
struct planner {
    const analysis &a;
    std::string text;
    std::vector<bool> found, alive; // pid set as tessark.exe sees it; the program still runs
    std::vector<bool> refuses;      // its process refuses termination
    std::vector<bool> above;        // it runs above the checker's integrity level
    std::vector<std::string> why;   // why a program outlives the closing
    std::vector<int> instances;     // processes that run by a found entry's name
    std::vector<int> elsewhere;     // processes by an entry's name in other sessions
    long long pauses = 0;
    int messaged = 0; // windows sent a message, each of which may hold the run 5 s

    explicit planner(const analysis &a) : a(a) {
        std::unordered_map<std::string, int> named, othersessions;
        for (unsigned i = 0; i < procsnapshot.count(); ++i) {
            unsigned pid = procsnapshot.pids[i];
            ++(inoursession(pid) ? named : othersessions)[processname(pid)];
        }
        for (size_t k = 0; k < configuration.starts.size(); ++k) {
            found.push_back(configuration.starts[k].pid != 0);
            refuses.push_back(found[k] && refusestermination(configuration.starts[k].pid));
            above.push_back(found[k] && runsabove(configuration.starts[k].pid));
            why.push_back("no stop entry closes it");
            instances.push_back(found[k] ? named[a.names[k]] : 0);
            elsewhere.push_back(a.names[k].empty() ? 0 : othersessions[a.names[k]]);
        }
        alive = found;
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

    // Termination; a process that runs with rights this user lacks refuses it, and stays.
    void terminate(size_t e, const std::string &what) {
        if (!refuses[e]) {
            say(what);
            return reached(e);
        }
        say(what + " is refused: the process runs with rights this user lacks");
        text += filled(terminatefailedline, configuration.starts[e].command);
        why[e] = "it refuses termination";
    }

    // The close could not get to the windows of entry e, and tessark.exe logs so.
    void unreached(size_t e, const std::string &because) {
        text += filled(unreachedline, configuration.starts[e].command);
        why[e] = because;
    }

    // Which of several processes by an entry's name Tessark acts on; those of other sessions
    // it never does.
    void several() {
        for (size_t k = 0; k < found.size(); ++k) {
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

    void say(const std::string &s) { text += note + s + "\n"; }

    void pause(int ms, const char *what) {
        if (ms == 0)
            return;
        say(std::string("then a pause of ") + milliseconds(ms) + what);
        pauses += ms;
    }

    // A message to every window of entry e; false when none answers.
    bool message(size_t e, const char *what, const char *more) {
        const std::vector<void *> &windows = configuration.starts[e].windows;
        size_t answering = 0;
        say(std::string(what) + " to " + aux::counted(windows.size(), "window", "windows") + more);
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
            unreached(e, "its windows refuse messages from a lower integrity level");
        else if (answering == 0)
            why[e] = "its windows do not answer";
        return answering > 0 && !above[e];
    }

    void close(const stopentry &s) {
        size_t e = (size_t)s.index;
        text += filled(closingline, configuration.starts[e].command);
        size_t windows = configuration.starts[e].windows.size();
        const closeway &way = wayof(methodof(s.method));
        switch (methodof(s.method)) {
        case closemethod::wmclose:
        case closemethod::closethenterminate:
            if (message(e, "WM_CLOSE", ""))
                reached(e);
            break;
        case closemethod::wmquit:
            message(e, "WM_QUIT", ", which most programs ignore");
            why[e] = "WM_QUIT (method 1) does not close it";
            break;
        case closemethod::destroy:
            say("DestroyWindow on " + aux::counted(windows, "window", "windows") +
                ", which Windows refuses for another program's windows");
            why[e] = "DestroyWindow (method 2) cannot close it";
            if (windows)
                unreached(e, why[e]);
            break;
        case closemethod::terminate:
            terminate(e, "termination at once");
            break;
        case closemethod::altf4:
            if (message(e, "WM_SYSCOMMAND SC_CLOSE (Alt+F4)", ""))
                reached(e);
            break;
        case closemethod::none:
            say("method " + std::to_string(s.method) + ": nothing but this line");
            why[e] = "method " + std::to_string(s.method) + " does nothing";
        }
        if (!way.looksagain) {
            pause(s.closedelay, "");
            return;
        }
        pause(s.closedelay, " to go");
        // A fresh look at every program: what has gone is no longer found.
        say(std::string("then Tessark looks again") + (s.closedelay ? "" : " at once") +
            ", and terminates it if it still runs" +
            (s.closedelay ? "" : ", even while it is still exiting"));
        found = alive;
        if (found[e]) {
            text += terminatingline;
            say("it will still run: " + why[e]);
            terminate(e, "then termination");
        }
    }

    void closeall() {
        for (const stopentry &s : configuration.stops)
            if (found[(size_t)s.index])
                close(s);
    }

    void startall() {
        for (size_t k = 0; k < configuration.starts.size(); ++k) {
            if (found[k])
                continue;
            const startentry &e = configuration.starts[k];
            text += filled(startingline, e.command);
            auto unstartable = a.unstartable.find(k);
            if (unstartable != a.unstartable.end()) {
                say("the start fails, with no pause: " + unstartable->second);
                continue;
            }
            say("in " + quoted(a.directories[k]) +
                (e.startdelay ? ", then a pause of " + milliseconds(e.startdelay) : ""));
            pauses += e.startdelay;
        }
    }

    void restartall(int running) {
        closeall();
        if (running != 0)
            pause(configuration.restartdelay, " (restartdelay)");
        if (running != 0 && configuration.restartdelay == 0)
            say("then Tessark looks again at once: a program still exiting counts as running");
        found = alive;
        std::string left;
        for (size_t k = 0; k < found.size(); ++k)
            if (found[k])
                left += (left.empty() ? "" : "; ") + quoted(configuration.starts[k].command) +
                        ": " + why[k];
        if (!left.empty()) {
            text += restartfailedline;
            say("still running then: " + left);
            return;
        }
        text += startingallline;
        std::string failed = restartfailedline;
        say("only if nothing is left running when Tessark looks again; else it logs \"" +
            failed.substr(0, failed.size() - 1) + "\" and starts nothing");
        startall();
    }

    void run() {
        int running = countrunning(), total = (int)configuration.starts.size();
        branch b = choosebranch(configuration.mode, running, total);
        text += branchline(b);
        switch (b) {
        case startmissing:
        case startset:
            startall();
            break;
        case allrunning:
            say("all " + std::to_string(total) + " run: nothing is closed or started");
            break;
        case restartset:
            say(std::to_string(running) + " of " + std::to_string(total) +
                " run: close them, wait, look again, and start all");
            restartall(running);
            break;
        case closesome:
            say(std::to_string(running) + " of " + std::to_string(total) +
                " run: they are closed, and the others are not started");
            closeall();
            break;
        case closeset:
        case closeexisting:
            closeall();
            break;
        case nobranch:
            break;
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
             " on this machine, would log:\n" + dumptext();
    p.several();
    p.run();
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
