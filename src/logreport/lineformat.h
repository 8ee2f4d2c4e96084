#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace logreport {

// What a log line gave for the conversions of the text it matched.
struct matched {
    std::string_view text; // the %s, or empty
    unsigned long long numbers[6];
    int count = 0;
};

// A text of io/loglines.h (its final line feed left out), cut once at its conversions, so that
// each line is matched against it piece by piece. Literals match themselves; %d matches digits
// (exactly as many as a width says) of at most 4294967295, so a number that does not fit is no
// match rather than a wrapped one; %s matches any text. The pieces after a %s are matched from
// the line's end, so a command holding " exist, pid " or " not exist" still reads right.
class lineformat {
public:
    explicit lineformat(std::string_view format);
    bool match(std::string_view line, matched &m) const;

private:
    struct piece {
        std::string_view literal; // empty for a number
        int width;                // of a number: 0 any
    };
    std::vector<piece> before, after; // around the %s, if there is one
    bool hastext = false;
    // When every piece before the %s has a fixed length, as the stamp's do, the head is matched
    // in one pass over its shape: the literal bytes, with a '0' for each digit of a number,
    // and how far each byte may lie above the shape's: 0 for a literal, 9 for a digit.
    bool fixedhead = true;
    std::string shape, slack;
    struct field {
        size_t at;
        int width;
    };
    std::vector<field> fields;
};

} // namespace logreport
