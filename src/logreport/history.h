#pragma once

#include "io/loglines.h"
#include "logreport/classify.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace logreport {

// How a run ended.
enum outcome { normalrun, errorsrun, cutoffrun, runningrun };

// A run's start line: a stamp of 20 bytes, then its text.
inline constexpr size_t startedlength = 20 + sizeof startedline - 1;

// What the report asks of the history: the moment it is read at, the window back from it, and
// the task's interval (0: do not judge staleness), and when a program flaps.
struct settings {
    long long now = 0;
    long long window = 86400;
    long long every = 300;
    int flapping = 3;
};

struct program {
    std::string command;
    // As the latest dump in the window that names it says, unless the last run closed it.
    bool running = false;
    bool closedbylastrun = false; // closed or terminated after its latest dump, not started again
    long long lastseen = -1;      // the start of the latest run in the window that found it running
    // closes are the attempts; a refused termination is not one of the terminations.
    int starts = 0, lost = 0, closes = 0, terminations = 0, refused = 0, unreached = 0;
    int recoveries = 0; // starts in a run whose dump found it not running
    int pending = 0;    // starts in the window that no later dump has judged yet
    bool inwindow = false;
    // The run (by number) that last found it missing, and whose close of it still stands.
    long long missingin = -1, closedin = -1;
};

struct runinfo {
    long long started = -1; // -1: there was no run
    outcome result = normalrun;
    std::string why; // the line before the end line of a run stopped due to errors, if any
};

// The runs of one history of logs, read line by line, oldest first; memory grows with the
// number of programs, never with the log's length.
class history {
public:
    explicit history(const settings &s) : s(s) {}
    // One line without its line feed; whole is false for a last line that has none.
    void line(std::string_view text, bool whole);
    // A line longer than the reader holds, passed over; tail is its last startedlength bytes,
    // where a run's start line appended to torn text stands.
    void overlong(std::string_view tail = {});
    // After the last line of the last log.
    void finish();

    settings s;
    int runs[4] = {};        // in the window, by outcome
    runinfo last;            // the last run of the whole history
    int restartfailures = 0; // in the window
    int enumfailures = 0;
    long long unrecognisedlines = 0; // from the first run in the window on
    std::vector<program> programs;   // every program the history names
    std::vector<size_t> shown;       // those the window names, by first appearance there

    int total(int program::*count) const;
    int runsinwindow() const {
        return runs[normalrun] + runs[errorsrun] + runs[cutoffrun] + runs[runningrun];
    }

private:
    program &named(std::string_view command);
    void endrun(outcome result);

    std::map<std::string, size_t, std::less<>> index;
    // A dump, and the closes and starts after it, name the programs in the same order run after
    // run: the program at the same place of the last such lines is tried before the index.
    std::vector<size_t> hints; // by place, never more than there are programs
    size_t place = 0;
    linekind previous = linekind::unrecognised;
    bool open = false, inwindow = false, indump = false;
    bool counting = false; // the latest run began in the window
    runinfo current;
    long long runnumber = 0, restartfailedin = -1; // the latest run begun, by number
    // The latest close, while a line about its outcome may follow: the program closed, or the
    // one whose termination was tried since, and whether a failure to reach it was told.
    long long lastclosed = -1, lastterminated = -1;
    bool toldunreached = false;
};

} // namespace logreport
