#pragma once

#include "io/logfile.h"
#include "scratchdir.h"

#include <string>

// What applog received since construction. applog cannot be closed, so it is opened once per
// process, on a file in the current directory.
struct logtail {
    static constexpr const char *name = "configtest.log";
    size_t mark;

    logtail() {
        static bool opened = (applog.open(name, true), true);
        (void)opened;
        mark = slurp(name).size();
    }
    std::string text() const { return slurp(name).substr(mark); }
};
