#include "logreport/linereader.h"

#include <cstring>

void linereader::feed(const char *data, size_t size) {
    while (size > 0) {
        const char *feed = (const char *)std::memchr(data, '\n', size);
        if (!feed) {
            if (skipping)
                return;
            if (held.size() + size > limit) {
                skipping = true;
                held.clear();
                return;
            }
            held.append(data, size);
            return;
        }
        size_t n = feed - data;
        if (skipping) {
            h.overlong();
            skipping = false;
        } else if (held.empty()) {
            if (n > limit)
                h.overlong();
            else
                h.line({data, n}, true);
        } else if (held.size() + n > limit) {
            h.overlong();
            held.clear();
        } else {
            held.append(data, n);
            h.line(held, true);
            held.clear();
        }
        data = feed + 1;
        size -= n + 1;
    }
}

void linereader::end() {
    if (skipping)
        h.overlong();
    else if (!held.empty())
        h.line(held, false);
    skipping = false;
    held.clear();
}
