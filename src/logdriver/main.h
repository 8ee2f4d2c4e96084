#pragma once

#include "logreport/options.h"
#include "rotate/rotate.h"

#include <string>

// tessarklog.exe: the report of what the runs did or, with --rotate first, the log's rotation;
// main.cpp picks the mode. Its usage gives both, the report first, without a final line end.
inline const std::string usageline =
    std::string("usage: ") + logreport::usage + "\n       " + rotate::usage;
