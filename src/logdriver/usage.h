#pragma once

#include "logreport/options.h"
#include "rotate/rotate.h"

#include <string>

// tessarklog.exe's usage: both modes, the report first, without a final line end.
inline const std::string usageline =
    std::string("usage: ") + logreport::usage + "\n       " + rotate::usage;
