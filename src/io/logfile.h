#pragma once

#include "io/file.h"

#include <string>

namespace io {

// How often and how long the open tries again while another run holds the log, in ms.
const unsigned logretry = 100, logwait = 10000;

// The run's log. Every message is one write, flushed to disk before printf returns,
// so a run that dies leaves everything it said.
class logfile {
public:
    logfile() = default;
    ~logfile();
    logfile(const logfile &) = delete;
    logfile &operator=(const logfile &) = delete;

    // Never throws: a log that cannot be opened, or is linked (io::linked), stays closed and
    // silent. One that another handle holds is tried again every logretry ms for up to
    // logwait ms.
    void open(const char *name, bool truncate);
    // Ends the log early; later writes do nothing, as before open.
    void close();
    // Does nothing while closed; throws writefailed when the write or flush fails.
    void printf(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    // Writes text as it stands, of any length, in one write and one flush.
    void write(const std::string &text);

private:
    file f;
    char buffer[1024];
};

} // namespace io

// The one log of the process. Defined in driver/globals.cpp, after the configuration.
extern io::logfile applog;

// One line of applog stamped with the UTC date and time.
void logline(const char *msg);
