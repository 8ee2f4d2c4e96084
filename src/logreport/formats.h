#pragma once

#include "logreport/history.h"
#include "logreport/verdict.h"

#include <string>

namespace logreport {

// What the report shows, in each of its four forms. Every form ends in a line feed and uses
// LF alone; text and nagios keep the commands' bytes as logged (the console's code page), json
// and prometheus are UTF-8.
struct report {
    const history &h;
    const verdict &v;
    std::string sincetext; // the window as the command line gave it
};

std::string textreport(const report &r);
std::string jsonreport(const report &r);
std::string nagiosreport(const report &r);
std::string prometheusreport(const report &r);

} // namespace logreport
