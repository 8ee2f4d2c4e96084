#pragma once

#include "logreport/history.h"

#include <string>
#include <vector>

namespace logreport {

// The monitoring plugins' codes, which every format gives alike.
enum status { okstatus, warningstatus, criticalstatus, unknownstatus };

struct verdict {
    status code = okstatus;
    std::vector<std::string> reasons; // in words, the critical ones first
};

// sincetext is the window as the command line gave it ("24h").
verdict judge(const history &h, const std::string &sincetext);
// A log that cannot be read: "tessark.log: it does not exist".
verdict unreadable(const std::string &what);

const char *statusname(status code);
const char *outcomename(outcome result);

} // namespace logreport
