#include "logreport/linereader.h"

#include <cstring>

namespace logreport {

void linereader::keeptail(const char *data, size_t size) {
    size_t n = size < startedlength ? size : startedlength;
    tail.append(data + size - n, n);
    if (tail.size() > startedlength)
        tail.erase(0, tail.size() - startedlength);
}

void linereader::feed(const char *data, size_t size) {
    while (size > 0) {
        const char *feed = (const char *)std::memchr(data, '\n', size);
        if (!feed) {
            if (skipping) {
                keeptail(data, size);
                return;
            }
            if (held.size() + size > limit) {
                skipping = true;
                keeptail(held.data(), held.size());
                keeptail(data, size);
                held.clear();
                return;
            }
            held.append(data, size);
            return;
        }
        size_t n = feed - data;
        if (skipping || (!held.empty() && held.size() + n > limit)) {
            keeptail(held.data(), held.size());
            keeptail(data, n);
            h.overlong(tail);
            skipping = false;
            held.clear();
            tail.clear();
        } else if (held.empty()) {
            if (n > limit) {
                size_t t = n < startedlength ? n : startedlength;
                h.overlong({data + n - t, t});
            } else
                h.line({data, n}, true);
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
    tail.clear();
}

} // namespace logreport
