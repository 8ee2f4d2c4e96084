#include "check/words.h"
#include "config/configuration.h"
#include "config/loader.h"
#include "process/methods.h"

#include <cstdio>

namespace check {

using namespace config;

std::string milliseconds(int ms) {
    std::string s = std::to_string(ms) + " ms";
    // In tenths, cut rather than rounded: 2147483647 ms is 24.8 days, not yet 24.9.
    struct {
        int ms;
        const char *name;
    } units[] = {{86400000, "days"}, {3600000, "hours"}, {60000, "minutes"}};
    for (auto &u : units) {
        if (ms >= u.ms) {
            long long tenths = ms * 10LL / u.ms;
            return s + " (" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
                   " " + u.name + ")";
        }
    }
    return s;
}

void quoted(std::string &out, const std::string &text) {
    out += '"';
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = (unsigned char)text[i];
        if (c >= 0x20 && c < 0x7F)
            continue;
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out.append(text, from, i - from);
        out += hex;
        from = i + 1;
    }
    out.append(text, from, std::string::npos);
    out += '"';
}

std::string quoted(const std::string &text) {
    std::string s;
    quoted(s, text);
    return s;
}

std::string lower(std::string s) {
    for (char &c : s)
        c = (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    return s;
}

namespace {

// "START" for "start": a keyword written in another letter case is a plain word.
bool keywordincase(const std::string &word) {
    std::string w = lower(word);
    for (int code = starttoken; code <= hungtimeouttoken; ++code)
        if (keyword(code) && w == keyword(code))
            return true;
    return false;
}

} // namespace

std::string tokenwords(int code, bool cut, const std::string &text) {
    switch (code) {
    case identifiertoken:
        return "the word '" + text + "'" +
               (keywordincase(text) ? " (keywords are written in lower case)" : "");
    case numbertoken:
        return "the number " + text;
    case stringtoken:
        return "the string " + quoted(text.size() > 40 ? text.substr(0, 40) + "..." : text);
    case commatoken:
        return "','";
    case -2:
        if (cut)
            return "a string that the end of the file cuts off (its closing '\"' is missing)";
        return "the character " + quoted(text.empty() ? std::string(1, 0) : text) +
               ", which begins no token";
    default:
        return "the keyword '" + text + "'";
    }
}

const char *methodwords(int method) {
    return process::wayof(process::methodof(method)).words;
}

} // namespace check
