#include "check/words.h"
#include "config/configuration.h"
#include "config/loader.h"

#include <cstdio>

std::string counted(size_t n, const char *one, const char *many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string milliseconds(int ms) {
    std::string s = std::to_string(ms) + " ms";
    char more[48];
    if (ms >= 86400000)
        std::snprintf(more, sizeof more, " (%.1f days)", ms / 86400000.0);
    else if (ms >= 3600000)
        std::snprintf(more, sizeof more, " (%.1f hours)", ms / 3600000.0);
    else if (ms >= 60000)
        std::snprintf(more, sizeof more, " (%.1f minutes)", ms / 60000.0);
    else
        return s;
    return s + more;
}

std::string quoted(const std::string &text) {
    std::string s = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            s += (char)c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            s += hex;
        }
    }
    return s + "\"";
}

namespace {

// "START" for "start": a keyword written in another letter case is a plain word.
bool keywordincase(const std::string &word) {
    std::string w = word;
    for (char &c : w)
        c = (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    for (int code = starttoken; code <= restartdelaytoken; ++code)
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

std::string methodwords(int method) {
    switch (method) {
    case 0:
        return "WM_CLOSE to its windows (method 0)";
    case 1:
        return "WM_QUIT to its windows (method 1)";
    case 2:
        return "DestroyWindow on its windows (method 2)";
    case 3:
        return "terminates it (method 3)";
    case 4:
        return "Alt+F4 to each of its windows, brought to the front (method 4)";
    case 5:
        return "WM_CLOSE to its windows, then, after closedelay, terminates it if it still runs "
               "(method 5)";
    default:
        return "nothing but the log line (method " + std::to_string(method) + ")";
    }
}
