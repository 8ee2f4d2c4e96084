#pragma once

#include <cstddef>

namespace aux {

// Cuts a borrowed text into its non-empty pieces at one separator character. The pieces are
// returned in the splitter's own buffer, valid until the next call.
class splitter {
public:
    splitter(const char *text, char separator);
    splitter(const splitter &) = delete;
    splitter &operator=(const splitter &) = delete;

    // The next non-empty piece, or null when the text is used up; the buffer then still holds
    // the last piece. Throws splitoverflow for a piece longer than 4094 characters.
    const char *next();
    // The text before the last separator behind the position, without that separator; empty
    // when there is none past the first character. Meant for after next has returned null.
    const char *directory();

private:
    static const size_t buffersize = 4096;

    size_t position = 0;
    size_t tokenlength = 0;
    size_t textlength;
    char token[buffersize];
    const char *text;
    char separator;
};

} // namespace aux
