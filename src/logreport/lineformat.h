#pragma once

#include <string_view>

// What a log line gave for the conversions of the text it matched.
struct matched {
    std::string_view text; // the %s, or empty
    unsigned long long numbers[6];
    int count = 0;
};

// Whether line is what tessark.exe writes for format (a text of io/loglines.h, its final line
// feed left out). Literals match themselves; %d matches digits (exactly as many as a width says)
// of at most 4294967295, so a number that does not fit is no match rather than a wrapped one;
// %s matches any text. The pieces after a %s are matched from the line's end, so a command
// holding " exist, pid " or " not exist" still reads right.
bool matchline(std::string_view line, std::string_view format, matched &m);
