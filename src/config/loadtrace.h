#pragma once

namespace config {

// What the loader tells the configuration checker: where it found each item, and why a
// load failed.

// An item, or a number worth a word, at a line and column as the lexer counts them.
struct loadmark {
    enum kind { start, stop, mode, restartdelay, hungtimeout, fraction, clipped, cutoff };
    kind what;
    int line;
    unsigned column;
    int value; // mode: its code; restartdelay, hungtimeout, fraction, clipped: the value read;
               // cutoff: the code of the item's first token
};

// What the grammar wanted where a load failed.
enum class expectation {
    nofailure,
    unreadable,  // the file could not be opened or read, or memory ran out
    wantkeyword, // nothing but a keyword may stand before the first start or stop
    wantcommand, // a start entry begins with its quoted command
    wantindex,   // a stop entry begins with a number
    wantcommaaftercommand,
    wantcommaafterindex,
    wantcommaafterclosedelay,
    wantstartdelay,
    wantclosedelay,
    wantmethod,
    wantrestartdelay,
    wanthungtimeout,
    toolong, // a token reached 512 characters
};

// Where and why a load failed.
struct loadfailure {
    expectation wanted;
    int line;
    unsigned column;
    int found;        // the token code found there; 0 when the failure was no token's
    bool foundcut;    // that token is a string cut off by the end of the file
    const char *text; // its text
};

// A listener for loadconfiguration(source, listener) in config/grammar.h has
//     void mark(const loadmark &);
//     void failed(const loadfailure &);

} // namespace config
