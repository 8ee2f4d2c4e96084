#include "logreport/history.h"

#include <cstring>

namespace logreport {

// A run still without its end line this long after it began has died, for the shipped task
// stops a run after ten minutes.
static const long long runninglimit = 600;

program &history::named(std::string_view command) {
    size_t i = place < hints.size() ? hints[place] : programs.size();
    if (i >= programs.size() || programs[i].command != command) {
        auto at = index.find(command);
        if (at == index.end()) {
            at = index.emplace(std::string(command), programs.size()).first;
            programs.push_back({});
            programs.back().command = at->first;
            hints.resize(programs.size(), programs.size());
        }
        i = at->second;
        if (place < hints.size())
            hints[place] = i;
    }
    program &p = programs[i];
    if (inwindow && !p.inwindow) {
        p.inwindow = true;
        shown.push_back(i);
    }
    return p;
}

void history::endrun(outcome result) {
    current.result = result;
    if (inwindow)
        ++runs[result];
    last = current;
    open = inwindow = indump = false;
    lastclosed = lastterminated = -1;
}

void history::finish() {
    if (open)
        endrun(s.now - current.started < runninglimit ? runningrun : cutoffrun);
    // What a run closed after the latest dump naming it is gone, as far as this log knows, also
    // when later runs did not look again (stopped by errors, cut off, still running).
    for (size_t i : shown) {
        program &p = programs[i];
        // After a failed restart something still runs, and the log does not say which.
        p.closedbylastrun = p.closedin >= 0 && p.closedin != restartfailedin;
        p.running = p.running && !p.closedbylastrun;
    }
}

int history::total(int program::*count) const {
    int sum = 0;
    for (size_t i : shown)
        sum += programs[i].*count;
    return sum;
}

void history::overlong(std::string_view tail) {
    unrecognisedlines += counting;
    indump = false;
    if (tail.size() == startedlength && classify(tail, false).kind == linekind::started)
        line(tail, true);
}

void history::line(std::string_view text, bool whole) {
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    // A run that died mid-line left no line feed, so the next run's start line follows the torn
    // text on the same line: the torn text is passed over, and the run still begins.
    if (whole && text.size() > startedlength &&
        text.back() == startedline[sizeof startedline - 2]) {
        std::string_view tail = text.substr(text.size() - startedlength);
        if (tail[0] >= '0' && tail[0] <= '9' && classify(tail, false).kind == linekind::started) {
            unrecognisedlines += counting;
            indump = false;
            text = tail;
        }
    }
    // Before the window only the stamped lines matter, which tell where runs begin and end: the
    // years of a long log cost a look at the first byte of each line.
    if (!counting && (text.empty() || text[0] < '0' || text[0] > '9'))
        return;
    // A torn line is what a dying run left half written; a NUL is in no line tessark.exe writes.
    // Of a line that matched, only its command can hold one: its other bytes are the text's.
    lineinfo l = whole ? classify(text, indump) : lineinfo();
    std::string_view unmatched = l.kind == linekind::unrecognised ? text : l.command;
    if (!whole || (!unmatched.empty() && std::memchr(unmatched.data(), 0, unmatched.size()))) {
        unrecognisedlines += counting;
        indump = false;
        return;
    }
    place = l.kind == previous ? place + 1 : 0;
    previous = l.kind;
    // A command holding a line end breaks its dump line in two, neither of them a dump line;
    // the dump goes on after them.
    indump = l.kind == linekind::dumpheading ||
             (indump && (l.kind == linekind::dumpline || l.kind == linekind::unrecognised));
    if (l.kind == linekind::started) {
        if (open)
            endrun(cutoffrun);
        open = true;
        ++runnumber;
        current = {l.stamp, normalrun, ""};
        counting = inwindow = l.stamp >= s.now - s.window;
        return;
    }
    // Outside a run only a run's start line has a place.
    if (l.kind == linekind::unrecognised || !open) {
        unrecognisedlines += counting;
        return;
    }
    switch (l.kind) {
    case linekind::normalend:
        endrun(normalrun);
        break;
    case linekind::errorend:
        endrun(errorsrun);
        break;
    case linekind::enumallfailed:
        enumfailures += inwindow;
        current.why = text;
        break;
    case linekind::syntaxerror:
    case linekind::sectionsizes:
    case linekind::wrongindex:
        current.why = text;
        break;
    case linekind::dumpline: {
        program &p = named(l.command);
        if (p.pending > 0) {
            --p.pending;
            p.lost += !l.running;
        }
        if (inwindow) {
            p.running = l.running;
            p.lastseen = l.running ? current.started : p.lastseen;
        }
        p.missingin = l.running ? -1 : runnumber;
        p.closedin = -1; // this dump tells what it is now
        break;
    }
    case linekind::starting: {
        program &p = named(l.command);
        p.starts += inwindow;
        p.pending += inwindow;
        // A program that was running and is only restarted with the set has not recovered.
        p.recoveries += inwindow && p.missingin == runnumber;
        p.closedin = -1;
        break;
    }
    case linekind::closing: {
        program &p = named(l.command);
        p.closes += inwindow;
        p.closedin = runnumber;
        lastclosed = &p - programs.data();
        lastterminated = -1;
        toldunreached = false;
        break;
    }
    case linekind::terminating:
        if (lastclosed < 0) {
            unrecognisedlines += counting;
        } else {
            programs[lastclosed].terminations += inwindow;
            programs[lastclosed].closedin = runnumber;
        }
        // One close, at most one termination: a second such line belongs to no close.
        lastterminated = lastclosed;
        lastclosed = -1;
        break;
    case linekind::unreached:
    case linekind::refused: {
        // Only after the close of the same program: "failed to reach" before any termination
        // was tried, once; "failed to terminate" right after the termination, or after a close
        // that terminates at once.
        auto is = [&](long long i) { return i >= 0 && programs[i].command == l.command; };
        bool fits = l.kind == linekind::unreached ? is(lastclosed) && !toldunreached
                                                  : is(lastterminated) || is(lastclosed);
        if (!fits) {
            unrecognisedlines += counting;
            break;
        }
        program &p = programs[is(lastterminated) ? lastterminated : lastclosed];
        p.closedin = -1; // it still runs
        if (l.kind == linekind::unreached) {
            p.unreached += inwindow;
            toldunreached = true;
            break;
        }
        p.refused += inwindow;
        p.terminations -= is(lastterminated) && inwindow;
        lastclosed = lastterminated = -1;
        break;
    }
    case linekind::restartfailed:
        restartfailures += inwindow;
        restartfailedin = runnumber;
        break;
    case linekind::enumfailed:
        enumfailures += inwindow;
        break;
    default:
        break;
    }
}

} // namespace logreport
