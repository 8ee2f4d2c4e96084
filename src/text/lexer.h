#pragma once

#include <map>
#include <string>
#include <string_view>

namespace io {
class bufreader;
}

namespace aux {

// Flag halves of a registered value; its low 16 bits are the token code.
enum tokenflag : unsigned {
    skipflag = 0x10000,    // dropped (whitespace)
    lineflag = 0x20000,    // dropped, and counts a line
    commentflag = 0x40000, // drops everything up to the next line end
    quoteflag = 0x80000,   // opens a string that the same character closes
};

// A tokenizer whose vocabulary its owner registers. Symbols are matched by the longest
// registered prefix shorter than symbolwindow; a flagged prefix acts as soon as it matches.
// Failures throw auxexception: endofinput ends the scan, lexerror is a token or push-back
// overflow. A failed read passes through as the reader threw it.
class lexer {
public:
    lexer();
    ~lexer();
    lexer(const lexer &) = delete;
    lexer &operator=(const lexer &) = delete;

    void setbuffer(unsigned size); // tokens hold at most size - 1 characters
    void setinput(io::bufreader &reader);
    void addtoken(const char *text, unsigned value); // the first registration of a text wins

    // The code of the next token: a registered code, one of the three codes below, or -2 for
    // a character that begins no symbol and for a string cut off by the end of the input.
    int nexttoken();
    const char *text() const { return buffer ? buffer : ""; } // of the token just returned

    int numbercode = 0;
    int identifiercode = 0;
    int stringcode = 0;
    unsigned symbolwindow = 0;
    int line = 1;
    // Column of the first character of the token just returned, counted from 1 after the last
    // line end that line counted; what stands inside a string moves it on like any character.
    unsigned column = 1;
    // The scan stopped inside a string: right after a string token, or at the end of the
    // input inside one (that string comes back as -2, or is dropped when it held nothing).
    bool instring() const { return state == quoted; }
    // True after a lexerror for a token that reached the buffer's capacity.
    bool full() const { return length + 1 >= capacity; }

private:
    enum scanstate { begin, comment, symbol, number, identifier, quoted };
    struct found {
        bool ok;
        unsigned code, flags;
    };

    int scan();
    char take();
    void append(char c);
    void push(char c);
    void pushbackfrom(unsigned k);
    found lookup(const char *text, unsigned size) const;
    found find(const char *text, unsigned size) const;
    void tablesingles();
    int decide();
    int finish(int result);
    int endofdata();
    void countline();

    int state = begin;
    unsigned length = 0;
    unsigned pushcount = 0;
    unsigned capacity = 0;
    int matchlength = -1;
    unsigned matchflags = 0;
    unsigned matchcode = 0;
    bool haspoint = false; // the number being read holds its one point already
    char *buffer = nullptr;
    io::bufreader *input = nullptr;
    char quote = 0;
    unsigned nextcolumn = 1; // of the next character to take
    std::map<std::string, unsigned, std::less<>> tokens;
    char pushback[256];
    // Every blank and every byte of a comment is looked up as a one-character text; their
    // answers are kept here, made again after a registration.
    bool singlesready = false;
    found singles[256];
};

} // namespace aux
