#include "logreport/clocktext.h"

#include <cstdio>

namespace logreport {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long daysfromcivil(long long y, long long m, long long d) {
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool leap(long long y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

} // namespace

long long epochseconds(long long year, long long month, long long day, long long hour,
                       long long minute, long long second) {
    static const int monthdays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || hour > 23 ||
        minute > 59 || second > 59)
        return -1;
    if (day > monthdays[month - 1] + (month == 2 && leap(year)))
        return -1;
    return daysfromcivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::string isotime(long long seconds) {
    long long z = (seconds >= 0 ? seconds : seconds - 86399) / 86400 + 719468;
    long long rest = seconds - (z - 719468) * 86400;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long d = doy - (153 * mp + 2) / 5 + 1;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    long long y = yoe + era * 400 + (m <= 2);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ", y, m, d,
                  rest / 3600, rest / 60 % 60, rest % 60);
    return text;
}

bool parseduration(const std::string &text, long long &seconds) {
    if (text.size() < 2 || text.size() > 12)
        return false;
    long long value = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    const char units[] = "smhd";
    const long long sizes[] = {1, 60, 3600, 86400};
    for (int u = 0; u < 4; ++u) {
        if (text.back() != units[u])
            continue;
        // A hundred years is more history than any log holds; beyond it a typo is likelier.
        if (value > 36525LL * 86400 / sizes[u])
            return false;
        seconds = value * sizes[u];
        return true;
    }
    return false;
}

std::string durationtext(long long seconds) {
    const char units[] = "dhms";
    const long long sizes[] = {86400, 3600, 60, 1};
    for (int u = 0; u < 3; ++u) {
        if (seconds < sizes[u])
            continue;
        std::string text = std::to_string(seconds / sizes[u]) + units[u];
        long long rest = seconds % sizes[u] / sizes[u + 1];
        return rest ? text + " " + std::to_string(rest) + units[u + 1] : text;
    }
    return std::to_string(seconds) + "s";
}

} // namespace logreport
