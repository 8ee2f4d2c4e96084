#include "logreport/history.h"

#include <cstring>

namespace logreport {

// A run still without its end line this long after it began has died, for the shipped task
// stops a run after ten minutes.
static const long long runninglimit = 600;

void history::endrun(outcome result) {
    current.result = result;
    if (inwindow)
        ++runs[result];
    last = current;
    open = inwindow = indump = false;
    trail.clear();
}

void history::finish() {
    if (open)
        endrun(s.now - current.started < runninglimit ? runningrun : cutoffrun);
    // What a run closed after the latest dump naming it is gone, as far as this log knows, also
    // when later runs did not look again (stopped by errors, cut off, still running).
    for (program *p : programs.shown()) {
        // After a failed restart something still runs, and the log does not say which.
        p->closedbylastrun =
            (p->closedin >= 0 && p->closedin != restartfailedin) || p->endedin >= 0;
        p->running = p->running && !p->closedbylastrun;
    }
}

void history::overlong(std::string_view tail) {
    unplaced();
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
            unplaced();
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
        unplaced();
        indump = false;
        return;
    }
    programs.follow(l.kind);
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
        unplaced();
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
        program &p = programs.named(l.command, inwindow);
        if (p.pending > 0) {
            --p.pending;
            p.lost += !l.running;
        }
        if (inwindow) {
            p.running = l.running;
            p.lastseen = l.running ? current.started : p.lastseen;
        }
        p.missingin = l.running ? -1 : runnumber;
        p.closedin = p.endedin = -1; // this dump tells what it is now
        break;
    }
    case linekind::starting: {
        program &p = programs.named(l.command, inwindow);
        p.starts += inwindow;
        p.pending += inwindow;
        // A program that was running and is only restarted with the set has not recovered.
        p.recoveries += inwindow && p.missingin == runnumber;
        p.closedin = p.endedin = -1;
        break;
    }
    case linekind::closing: {
        program &p = programs.named(l.command, inwindow);
        p.closes += inwindow;
        p.closedin = runnumber;
        trail.closing(p);
        break;
    }
    case linekind::notresponding: {
        // Ended after the dump found it running: missing now, so that starting it again is a
        // recovery, and a program that keeps hanging flaps.
        program &p = programs.named(l.command, inwindow);
        p.hangs += inwindow;
        p.missingin = p.endedin = runnumber;
        trail.hanging(p);
        break;
    }
    case linekind::terminating:
        if (program *p = trail.terminating()) {
            p->terminations += inwindow;
            p->closedin = runnumber;
        } else {
            unplaced();
        }
        break;
    case linekind::unreached:
        if (program *p = trail.unreached(l.command)) {
            p->unreached += inwindow;
            p->closedin = -1; // it still runs
        } else {
            unplaced();
        }
        break;
    case linekind::refused: {
        closetrail::step was;
        if (program *p = trail.refused(l.command, was)) {
            p->refused += inwindow;
            // A termination refused is no termination.
            p->terminations -= was == closetrail::terminated && inwindow;
            p->closedin = -1; // it still runs
            if (was == closetrail::hung)
                p->missingin = p->endedin = -1; // the hang did not make it missing
        } else {
            unplaced();
        }
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
