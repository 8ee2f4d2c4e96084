#pragma once

#include "logreport/classify.h"

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace logreport {

// One program, keyed by its command as logged, and what the runs in the window did to it.
struct program {
    std::string command;
    // As the latest dump in the window that names it says, unless the last run closed it.
    bool running = false;
    bool closedbylastrun = false; // closed or terminated after its latest dump, not started again
    long long lastseen = -1;      // the start of the latest run in the window that found it running
    // closes are the attempts; a refused termination is not one of the terminations.
    int starts = 0, lost = 0, closes = 0, terminations = 0, refused = 0, unreached = 0;
    int recoveries = 0; // starts in a run whose dump found it not running, or that ended it hung
    int hangs = 0;      // times a run found it not responding
    int pending = 0;    // starts in the window that no later dump has judged yet
    bool inwindow = false;
    // The run (by number) that last found it missing, and whose close of it still stands.
    long long missingin = -1, closedin = -1;
    // The run that ended it as not responding, and waited until it was gone, while that stands:
    // unlike a close, known to have worked, whatever else that run failed to close.
    long long endedin = -1;
};

// Every program a history names, found by its command; memory grows with the number of
// programs, never with the log's length.
class programindex {
public:
    // What it hands out points into it: never copied.
    programindex() = default;
    programindex(const programindex &) = delete;
    programindex &operator=(const programindex &) = delete;

    // Every whole line of a run, before the program it names is looked up.
    void follow(linekind kind);
    // The program of a command, added when new; inwindow: named by a run in the window, which
    // shows it.
    program &named(std::string_view command, bool inwindow);
    // Those the window names, by their first appearance there.
    const std::vector<program *> &shown() const { return window; }

private:
    std::deque<program> programs; // never moved, so what points into it stays valid
    std::vector<program *> window;
    std::map<std::string, program *, std::less<>> index;
    // A dump, and the closes and starts after it, name the programs in the same order run after
    // run: the program at the same place of the last such lines is tried before the index.
    std::vector<program *> hints; // by place, never more than there are programs
    size_t place = 0;
    linekind previous = linekind::unrecognised;
};

} // namespace logreport
