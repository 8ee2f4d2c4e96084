#include "text/lexer.h"
#include "io/bufreader.h"
#include "io/ioexception.h"
#include "text/auxexception.h"

#include <climits>
#include <cstring>

namespace aux {

namespace {

// Classes of bytes taken as unsigned, whatever the locale.
bool isletter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isdecimal(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

lexer::lexer() {}

lexer::~lexer() {
    delete[] buffer;
}

void lexer::setbuffer(unsigned size) {
    char *fresh = new char[size ? size : 1];
    fresh[0] = 0;
    delete[] buffer;
    buffer = fresh;
    capacity = size;
    line = 1;
    column = nextcolumn = 1;
}

void lexer::setinput(io::bufreader &reader) {
    input = &reader;
    pushcount = 0;
}

void lexer::addtoken(const char *text, unsigned value) {
    tokens.emplace(text, value);
    singlesready = false;
}

int lexer::nexttoken() {
    matchlength = -1;
    length = 0;
    state = begin;
    haspoint = false;
    if (!singlesready)
        tablesingles();
    return scan();
}

int lexer::scan() {
    for (;;) {
        char c;
        if (pushcount) {
            c = pushback[--pushcount];
            ++nextcolumn;
        } else {
            if (!input)
                return endofdata();
            try {
                c = input->getbyte();
                ++nextcolumn;
            } catch (io::ioexception e) {
                // Any other failure of the input is not the lexer's to word: it passes on as
                // the reader threw it.
                if (e != io::endofdata)
                    throw;
                return endofdata();
            }
        }
        switch (state) {
        case begin:
            column = nextcolumn - 1;
            if (isletter(c)) {
                state = identifier;
                append(c);
            } else if (isdecimal(c) || c == '.') {
                state = number;
                haspoint = c == '.';
                append(c);
            } else {
                // Taken again from the stack, as the first character of a symbol.
                push(c);
                state = symbol;
            }
            break;
        case comment: {
            found f = lookup(&c, 1);
            if (f.ok && f.flags == lineflag) {
                countline();
                state = begin;
            }
            break;
        }
        case symbol: {
            append(c);
            if (length >= symbolwindow)
                return finish(decide());
            found f = lookup(buffer, length);
            if (!f.ok)
                break;
            matchlength = (int)length;
            matchflags = f.flags;
            matchcode = f.code;
            switch (matchflags) {
            case lineflag:
                countline();
                [[fallthrough]];
            case skipflag:
                state = begin;
                length = 0;
                matchlength = -1;
                break;
            case commentflag:
                state = comment;
                length = 0;
                matchlength = -1;
                break;
            case quoteflag:
                quote = buffer[0];
                state = quoted;
                length = 0;
                matchlength = -1;
                break;
            }
            break;
        }
        case number:
            if (isdecimal(c) || (c == '.' && !haspoint)) {
                haspoint = haspoint || c == '.';
                append(c);
                break;
            }
            push(c);
            return finish(numbercode);
        case identifier:
            if (isletter(c) || isdecimal(c)) {
                append(c);
                break;
            }
            push(c);
            return finish(identifiercode);
        case quoted:
            // No escapes: everything up to the closing character is text, line ends included.
            append(c);
            if (c == quote) {
                --length;
                return finish(stringcode);
            }
            break;
        }
    }
}

// The input is used up: what is pending becomes the last token.
int lexer::endofdata() {
    if (length == 0 || state == comment)
        throw endofinput;
    switch (state) {
    case symbol:
        return finish(decide());
    case number:
        return finish(numbercode);
    case identifier:
        return finish(identifiercode);
    default:
        return finish(-2); // a string that was never closed
    }
}

void lexer::append(char c) {
    // The last place is kept for the terminating NUL.
    if (length + 1 >= capacity)
        throw lexerror;
    buffer[length++] = c;
}

void lexer::push(char c) {
    if (pushcount == sizeof pushback)
        throw lexerror;
    pushback[pushcount++] = c;
    --nextcolumn;
}

// Pushes buffer[k..length) so that it is read again in the same order.
void lexer::pushbackfrom(unsigned k) {
    for (unsigned i = length; i > k; --i)
        push(buffer[i - 1]);
}

// A text is looked up as far as its first NUL.
lexer::found lexer::lookup(const char *text, unsigned size) const {
    // A lone NUL cuts to the empty text, which is what singles[0] holds.
    if (size <= 1)
        return singles[size ? (unsigned char)text[0] : 0];
    if (const void *nul = std::memchr(text, 0, size))
        size = (unsigned)(static_cast<const char *>(nul) - text);
    return size <= 1 ? singles[size ? (unsigned char)text[0] : 0] : find(text, size);
}

void lexer::tablesingles() {
    for (found &f : singles)
        f = {false, 0, 0};
    for (auto &t : tokens)
        if (t.first.size() <= 1)
            singles[t.first.empty() ? 0 : (unsigned char)t.first[0]] =
                find(t.first.data(), (unsigned)t.first.size());
    singlesready = true;
}

lexer::found lexer::find(const char *text, unsigned size) const {
    auto at = tokens.find(std::string_view(text, size));
    if (at == tokens.end())
        return {false, 0, 0};
    return {true, at->second & 0xFFFF, at->second & 0xFFFF0000};
}

// The longest registered prefix is the symbol; without one, the first character alone.
int lexer::decide() {
    if (matchlength >= 0) {
        pushbackfrom((unsigned)matchlength);
        length = (unsigned)matchlength;
        matchlength = -1;
        return (int)matchcode;
    }
    pushbackfrom(1);
    length = 1;
    return -2;
}

int lexer::finish(int result) {
    buffer[length] = 0;
    // Keywords are identifiers that are registered, matched whole and in the same case.
    if (result >= 0 && result == identifiercode) {
        found f = lookup(buffer, length);
        if (f.ok)
            result = (int)f.code;
    }
    return result;
}

void lexer::countline() {
    if (line < INT_MAX)
        ++line;
    nextcolumn = 1;
}

} // namespace aux
