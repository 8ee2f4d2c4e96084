#pragma once

// The steps of a run, written once. tessark.exe's actor does each step through Win32; the
// checker's actor records what a run would do now, with its notes, so that its plan and a run's
// log come from the same code and cannot part.

#include "config/configuration.h"
#include "io/loglines.h"
#include "process/branch.h"
#include "process/methods.h"
#include "process/snapshot.h"

#include <string>
#include <vector>

namespace process {

// The pauses of a run, for an actor that tells one from another.
enum class wait { afterstart, afterclose, grace, restart };

// An actor has these steps:
//   void log(const char *line);                          a log line as it stands
//   void log(const char *format, const std::string &s);  a log line about one program
//   void lookup();                     assigns the processes to the entries, collects windows
//   bool snapshot();                   a fresh process list; false when it was not read
//   void dump();                       the process dump
//   bool start(size_t k);              starts entry k; true when it started
//   bool reach(size_t k, const closeway &way);  way's action to each window of entry k; false
//                                      when a window refused it
//   bool terminate(size_t k, bool checked);  ends entry k's process, at once or after method
//                                      5's check; false when it runs on, refusing
//   void pause(int ms, wait why);      holds the run; nothing for 0
//   std::vector<size_t> suspects();    the entries whose program does not respond now
//   std::vector<size_t> watch(const std::vector<size_t> &suspects, int ms);  watches them
//                                      for ms: those that answer are left, those that end lose
//                                      their pid; returns those still hung then
//   bool end(size_t k);                ends a hung program and waits until it is gone; false
//                                      when it runs on, refusing
// and these moments, at which only the checker has something to say:
//   void chose(branch b, int running, int total);  after the branch's first line
//   void closing(size_t k, const stopentry &s);    after the line that names the close
//   void restartfailed();  void restarting();      after the line of each
template <class actor> class runflow {
public:
    explicit runflow(actor &a) : a(a) {}

    // Finds the running programs, writes the process dump and acts on the configured mode.
    void applymode() {
        a.lookup();
        a.dump();
        endhung();
        int running = countrunning();
        branch b = choosebranch(config::configuration.mode, running,
                                (int)config::configuration.starts.size());
        if (b == nobranch)
            return;
        a.log(branchline(b));
        a.chose(b, running, (int)config::configuration.starts.size());
        switch (b) {
        case startmissing:
        case startset:
            startall();
            break;
        case restartset:
            restartall(running);
            break;
        case closeset:
        case closesome:
        case closeexisting:
            closeall();
            break;
        default:
            break;
        }
    }

    // Every entry that is not running, in the order of the start section.
    void startall() {
        for (size_t k = 0; k < config::configuration.starts.size(); ++k) {
            const config::startentry &e = config::configuration.starts[k];
            if (e.pid != 0)
                continue;
            a.log(startingline, e.command);
            if (a.start(k))
                a.pause(e.startdelay, wait::afterstart);
        }
    }

    // The running programs in the order of the stop section, each by its method.
    void closeall() {
        for (const config::stopentry &s : config::configuration.stops) {
            size_t k = (size_t)s.index;
            const config::startentry &e = config::configuration.starts[k];
            if (e.pid == 0)
                continue;
            a.log(closingline, e.command);
            a.closing(k, s);
            const closeway &way = wayof(methodof(s.method));
            if (way.action != noaction && !a.reach(k, way))
                a.log(unreachedline, e.command);
            if (way.terminates && !a.terminate(k, false))
                a.log(terminatefailedline, e.command);
            if (!way.looksagain) {
                a.pause(s.closedelay, wait::afterclose);
                continue;
            }
            // The grace time, then a fresh look: what is still there is terminated.
            a.pause(s.closedelay, wait::grace);
            if (!lookagain() || e.pid == 0)
                continue;
            a.log(terminatingline);
            if (!a.terminate(k, true))
                a.log(terminatefailedline, e.command);
        }
    }

private:
    // A program that stopped responding is ended, and the mode goes on as for one that is
    // missing; only in the modes that keep programs running. It is watched first, for
    // hungtimeout, with every other suspect at once, since one only busy answers meanwhile.
    void endhung() {
        const config::settings &c = config::configuration;
        if (c.hungtimeout == 0 || (c.mode != config::juststart && c.mode != config::restart))
            return;
        std::vector<size_t> suspects = a.suspects();
        if (suspects.empty())
            return;
        for (size_t k : a.watch(suspects, c.hungtimeout)) {
            config::startentry &e = config::configuration.starts[k];
            a.log(notrespondingline, e.command);
            if (a.end(k))
                e.pid = 0;
            else
                a.log(terminatefailedline, e.command);
        }
    }

    // A fresh process list and lookup; false, and said, when the list was not read.
    bool lookagain() {
        if (!a.snapshot()) {
            a.log(enumfailedline);
            return false;
        }
        a.lookup();
        return true;
    }

    // The set is incomplete: close what runs, wait, and start all only when nothing is left
    // running. running is the count from before the closing.
    void restartall(int running) {
        closeall();
        if (running != 0)
            a.pause(config::configuration.restartdelay, wait::restart);
        if (!lookagain())
            return;
        if (countrunning() != 0) {
            a.log(restartfailedline);
            a.restartfailed();
            return;
        }
        a.log(startingallline);
        a.restarting();
        startall();
    }

    actor &a;
};

} // namespace process
