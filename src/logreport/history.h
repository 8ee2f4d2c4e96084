#pragma once

#include "io/loglines.h"
#include "logreport/classify.h"
#include "logreport/closetrail.h"
#include "logreport/programindex.h"

#include <string>
#include <string_view>

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
    history(const history &) = delete;
    history &operator=(const history &) = delete;
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
    programindex programs;           // every program the history names

    int runsinwindow() const {
        return runs[normalrun] + runs[errorsrun] + runs[cutoffrun] + runs[runningrun];
    }

private:
    void endrun(outcome result);
    // A line the run cannot place; counted from the window on.
    void unplaced() { unrecognisedlines += counting; }

    closetrail trail;
    bool open = false, inwindow = false, indump = false;
    bool counting = false; // the latest run began in the window
    runinfo current;
    long long runnumber = 0, restartfailedin = -1; // the latest run begun, by number
};

} // namespace logreport
