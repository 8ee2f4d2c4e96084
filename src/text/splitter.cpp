#include "text/splitter.h"
#include "text/auxexception.h"

#include <cstring>

namespace aux {

splitter::splitter(const char *text, char separator)
    : textlength(std::strlen(text)), text(text), separator(separator) {
    token[0] = 0;
}

const char *splitter::next() {
    tokenlength = 0;
    // The end is tested before the separator, so that not even a NUL separator reads past it.
    while (position < textlength) {
        char c = text[position];
        if (c == separator) {
            if (tokenlength != 0) {
                token[tokenlength] = 0;
                ++position;
                return token;
            }
        } else {
            token[tokenlength++] = c;
            if (tokenlength == buffersize - 1)
                throw splitoverflow;
        }
        ++position;
    }
    if (tokenlength == 0)
        return nullptr;
    token[tokenlength] = 0;
    tokenlength = 0;
    return token;
}

const char *splitter::directory() {
    size_t k = position;
    // Index 0 is never looked at: a leading separator names no directory.
    while (k > 0 && text[k] != separator)
        --k;
    // The same bound as for a piece: a long text of short pieces must not overrun the buffer.
    if (k >= buffersize - 1)
        throw splitoverflow;
    std::memcpy(token, text, k);
    token[k] = 0;
    return token;
}

} // namespace aux
