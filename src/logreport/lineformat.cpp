#include "logreport/lineformat.h"

#include <cstring>

namespace logreport {

namespace {

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

bool number(const char *digits, size_t n, int width, unsigned long long &value) {
    if (n == 0 || (width > 0 && (int)n != width) || n > 10)
        return false;
    value = 0;
    for (size_t i = 0; i < n; ++i)
        value = value * 10 + (digits[i] - '0');
    return value <= 4294967295ull;
}

// Most literals are a character or two, where a loop beats a call of memcmp; the endings of a
// dump line are a dozen and more.
bool same(const char *a, std::string_view b) {
    if (b.size() > 4)
        return std::memcmp(a, b.data(), b.size()) == 0;
    for (size_t i = 0; i < b.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

} // namespace

lineformat::lineformat(std::string_view format) {
    if (!format.empty() && format.back() == '\n')
        format.remove_suffix(1);
    std::vector<piece> *pieces = &before;
    size_t start = 0;
    for (size_t i = 0; i <= format.size(); ++i) {
        if (i < format.size() && format[i] != '%')
            continue;
        if (i > start)
            pieces->push_back({format.substr(start, i - start), 0});
        if (i == format.size())
            break;
        int width = 0;
        while (++i < format.size() && isdigit(format[i]))
            width = width * 10 + (format[i] - '0');
        if (i < format.size() && format[i] == 's') {
            hastext = true;
            pieces = &after;
        } else {
            pieces->push_back({{}, width});
        }
        start = i + 1;
    }
    for (size_t k = 0; k < before.size(); ++k) {
        const piece &c = before[k];
        if (!c.literal.empty()) {
            shape += c.literal;
            slack.append(c.literal.size(), 0);
            continue;
        }
        // Digits right after a number would make it longer than its width: no match, which
        // only the scan below sees, as it does a number of any width.
        bool next = k + 1 < before.size();
        if (c.width == 0 || c.width > 10 || fields.size() == 6 ||
            (next && (before[k + 1].literal.empty() || isdigit(before[k + 1].literal[0]))))
            fixedhead = false;
        fields.push_back({shape.size(), c.width});
        shape.append(c.width, '0');
        slack.append(c.width, 9);
    }
}

bool lineformat::match(std::string_view line, matched &m) const {
    m.count = 0;
    m.text = {};
    const char *p = line.data();
    size_t i = 0, end = line.size();
    if (fixedhead) {
        if (end < shape.size())
            return false;
        // No branch per byte: a literal allows no difference, a digit up to 9 from '0'.
        // Held in locals: the line's bytes could alias the members, which would be read anew
        // for every byte.
        const char *s = shape.data(), *most = slack.data();
        size_t n = shape.size();
        bool bad = false;
        for (size_t k = 0; k < n; ++k)
            bad |= (unsigned char)(p[k] - s[k]) > most[k];
        if (bad)
            return false;
        for (const field &f : fields) {
            unsigned long long value = 0;
            for (const char *d = p + f.at, *stop = d + f.width; d < stop; ++d)
                value = value * 10 + (*d - '0');
            if (value > 4294967295ull)
                return false;
            m.numbers[m.count++] = value;
        }
        i = shape.size();
        if (!before.empty() && before.back().literal.empty() && i < end && isdigit(p[i]))
            return false;
    } else {
        for (const piece &c : before) {
            if (!c.literal.empty()) {
                if (end - i < c.literal.size() || !same(p + i, c.literal))
                    return false;
                i += c.literal.size();
                continue;
            }
            size_t start = i;
            while (i < end && isdigit(p[i]) && i - start <= 10)
                ++i;
            if (m.count == 6 || !number(p + start, i - start, c.width, m.numbers[m.count++]))
                return false;
        }
    }
    if (!hastext)
        return i == end;
    size_t textstart = i;
    int first = m.count;
    for (auto c = after.rbegin(); c != after.rend(); ++c) {
        if (!c->literal.empty()) {
            size_t n = c->literal.size();
            if (end - textstart < n || !same(p + end - n, c->literal))
                return false;
            end -= n;
            continue;
        }
        size_t stop = end;
        while (end > textstart && isdigit(p[end - 1]) && stop - end <= 10)
            --end;
        if (m.count == 6 || !number(p + end, stop - end, c->width, m.numbers[m.count++]))
            return false;
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

} // namespace logreport
