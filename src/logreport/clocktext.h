#pragma once

#include <string>

namespace logreport {

// Seconds since 1970-01-01 UTC for a date and time, or -1 when no such moment exists
// (a 31 April, a 25th hour, a year before 1970).
long long epochseconds(long long year, long long month, long long day, long long hour,
                       long long minute, long long second);
// "2026-12-07T15:00:00Z".
std::string isotime(long long seconds);
// A duration as digits and a unit s, m, h or d ("90m", "7d"); false for anything else or more
// than a hundred years.
bool parseduration(const std::string &text, long long &seconds);
// A duration for a person: "2d 3h", "1h 20m", "4m 10s", "42s".
std::string durationtext(long long seconds);

} // namespace logreport
