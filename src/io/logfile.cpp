#include "io/logfile.h"
#include "io/clock.h"
#include "io/loglines.h"

#include <cstdarg>
#include <cstdio>

namespace io {

logfile::~logfile() {
    close();
}

void logfile::close() {
    f.close();
}

void logfile::open(const char *name, bool truncate) {
    // A log held by another run is waited for, so that runs log, and act, one after the other;
    // any other refusal goes on without a log at once.
    for (unsigned waited = 0;; waited += logretry) {
        try {
            // A log that is a link may be another's file: refused like one that cannot be
            // opened.
            f.open(name, truncate ? 2 : 1, true);
            if (!truncate)
                f.seek(0, fromend);
            return;
        } catch (...) {
            if (!refusedbysharing() || waited >= logwait)
                return;
        }
        pausefor(logretry);
    }
}

void logfile::printf(const char *fmt, ...) {
    if (!f.isopen())
        return;
    va_list args;
    va_start(args, fmt);
    int n = vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    if (n < 0)
        n = 0;
    // An overlong message is cut to what the buffer holds, never written past it.
    if (n > (int)sizeof buffer - 1)
        n = sizeof buffer - 1;
    f.write(buffer, (unsigned)n);
    f.flush();
}

void logfile::write(const std::string &text) {
    if (!f.isopen())
        return;
    f.write(text.data(), (unsigned)text.size());
    f.flush();
}

} // namespace io

void logline(const char *msg) {
    io::utctime t = io::utcnow();
    applog.printf(stampformat, t.day, t.month, t.year, t.hour, t.minute, t.second, msg);
}
