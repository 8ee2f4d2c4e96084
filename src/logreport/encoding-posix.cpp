#include "logreport/encoding.h"

namespace logreport {

namespace {

// Windows-1252, the ANSI code page of western Windows, for 0x80 to 0x9F; the five bytes it
// leaves undefined keep their own value, as every other byte does.
const unsigned short cp1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
};

void put(std::string &out, unsigned c) {
    if (c < 0x80) {
        out += (char)c;
    } else if (c < 0x800) {
        out += (char)(0xC0 | c >> 6);
        out += (char)(0x80 | (c & 0x3F));
    } else {
        out += (char)(0xE0 | c >> 12);
        out += (char)(0x80 | (c >> 6 & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string ansitoutf8(std::string_view text) {
    std::string out;
    for (unsigned char c : text)
        put(out, c >= 0x80 && c < 0xA0 ? cp1252[c - 0x80] : c);
    return out;
}

} // namespace logreport
