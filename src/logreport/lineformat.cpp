#include "logreport/lineformat.h"

namespace {

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// The width of the conversion whose '%' is at f, and where its letter is.
size_t conversion(std::string_view format, size_t f, int &width) {
    width = 0;
    size_t i = f + 1;
    while (i < format.size() && isdigit(format[i]))
        width = width * 10 + (format[i++] - '0');
    return i;
}

bool number(std::string_view digits, int width, unsigned long long &value) {
    if (digits.empty() || (width > 0 && (int)digits.size() != width) || digits.size() > 10)
        return false;
    value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value <= 4294967295ull;
}

bool store(matched &m, unsigned long long value) {
    if (m.count == 6)
        return false;
    m.numbers[m.count++] = value;
    return true;
}

} // namespace

bool matchline(std::string_view line, std::string_view format, matched &m) {
    if (!format.empty() && format.back() == '\n')
        format.remove_suffix(1);
    m.count = 0;
    m.text = {};
    size_t i = 0, f = 0;
    while (f < format.size() && format[f] != '%') {
        if (i == line.size() || line[i] != format[f])
            return false;
        ++i, ++f;
    }
    while (f < format.size()) {
        int width;
        size_t letter = conversion(format, f, width);
        if (letter == format.size())
            return false;
        if (format[letter] == 's')
            break;
        size_t start = i;
        while (i < line.size() && isdigit(line[i]) && i - start <= 10)
            ++i;
        unsigned long long value;
        if (!number(line.substr(start, i - start), width, value) || !store(m, value))
            return false;
        f = letter + 1;
        while (f < format.size() && format[f] != '%') {
            if (i == line.size() || line[i] != format[f])
                return false;
            ++i, ++f;
        }
    }
    if (f == format.size())
        return i == line.size();

    // A %s: what follows it is matched backwards from the end of the line.
    size_t textstart = i;
    size_t after = format.find('s', f) + 1;
    size_t end = line.size();
    size_t g = format.size();
    int first = m.count;
    while (g > after) {
        char c = format[g - 1];
        size_t pct = c == 'd' ? format.rfind('%', g - 1) : std::string_view::npos;
        if (pct != std::string_view::npos && pct >= after) {
            int width;
            if (conversion(format, pct, width) == g - 1) {
                size_t stop = end;
                while (end > textstart && isdigit(line[end - 1]) && stop - end <= 10)
                    --end;
                unsigned long long value;
                if (!number(line.substr(end, stop - end), width, value) || !store(m, value))
                    return false;
                g = pct;
                continue;
            }
        }
        if (end == textstart || line[end - 1] != c)
            return false;
        --end, --g;
    }
    // The numbers after the text were found last to first.
    for (int a = first, b = m.count - 1; a < b; ++a, --b) {
        unsigned long long t = m.numbers[a];
        m.numbers[a] = m.numbers[b];
        m.numbers[b] = t;
    }
    m.text = line.substr(textstart, end - textstart);
    return true;
}
