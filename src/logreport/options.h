#pragma once

#include <string>
#include <vector>

namespace logreport {

// The report's command line.
struct options {
    long long since = 86400;
    std::string sincetext = "24h";
    long long every = 300;
    int flapping = 3;
    std::string format = "text";
    std::string output; // empty: the console
    std::vector<std::string> logs;
};

// The report's command line, without "usage: ".
inline constexpr char usage[] = "tessarklog.exe [--since D] [--every D] [--flapping N] "
                                "[--format text|json|nagios|prometheus] [--output FILE] LOGFILE...";

// Reads argv[first..argc); false for a wrong command line.
bool parseoptions(int argc, char **argv, int first, options &o);

} // namespace logreport
