#pragma once

// The configuration's grammar, for tessark.exe's loader and the checker's alike.

#include "config/configuration.h"
#include "config/loader.h"
#include "config/loadtrace.h"
#include "io/bufreader.h"
#include "io/filestream.h"
#include "io/logfile.h"
#include "io/loglines.h"
#include "text/auxexception.h"
#include "text/lexer.h"

#include <climits>

namespace config {

// A syntax error of the file, thrown by the grammar to the loader's one catch site.
enum loadexception { syntaxerror };

namespace grammar {

// The leading digits, counting up to INT_MAX at most: a longer number must not wrap into a
// small, valid-looking index or delay. clipped tells that it was held there; text is left
// where the digits end.
inline int numbervalue(const char *&text, bool &clipped) {
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        int digit = *text - '0';
        clipped = clipped || value > (INT_MAX - digit) / 10;
        value = clipped ? INT_MAX : value * 10 + digit;
    }
    return value;
}

// The grammar, told to listener as it reads: tessark.exe's listener hears nothing and so
// carries no code for it, the checker's keeps every item and the reason of a failure.
template <class listener> class parser {
public:
    parser(aux::lexer &lex, listener &tell) : lex(lex), tell(tell) {}

    // Runs to the end of the input; an entry cut short by it is dropped.
    void parsesections() {
        try {
            for (;;)
                parseitem(lex.nexttoken());
        } catch (aux::auxexception e) {
            // lexerror: a token that filled the buffer, or the push-back stack full.
            if (e != aux::endofinput)
                reject(lex.full() ? expectation::toolong : expectation::unreadable, 0);
            if (open || lex.instring())
                note(loadmark::cutoff, open ? itemcode : (int)stringtoken, open);
        }
    }

private:
    enum section { none, starts, stops };

    void parseitem(int t) {
        itemline = lex.line;
        itemcolumn = lex.column;
        itemcode = t;
        open = true;
        switch (t) {
        case starttoken:
            current = starts;
            break;
        case stoptoken:
            current = stops;
            break;
        case juststart:
        case restart:
        case invert:
        case justclose:
            configuration.mode = (runmode)t;
            note(loadmark::mode, t, true);
            break;
        case restartdelaytoken:
            configuration.restartdelay = readnumber(expectation::wantrestartdelay);
            note(loadmark::restartdelay, configuration.restartdelay, true);
            break;
        case hungtimeouttoken:
            configuration.hungtimeout = readnumber(expectation::wanthungtimeout);
            note(loadmark::hungtimeout, configuration.hungtimeout, true);
            break;
        default:
            // Also a character that begins no symbol, or a string left open, neither of
            // which is a string or a number.
            if (current == starts)
                parsestartline(t);
            else if (current == stops)
                parsestopline(t);
            else
                reject(expectation::wantkeyword, t);
        }
        open = false;
    }

    void parsestartline(int t) {
        if (t != stringtoken)
            reject(expectation::wantcommand, t);
        startentry entry;
        entry.command = lex.text();
        expect(commatoken, expectation::wantcommaaftercommand);
        entry.startdelay = readnumber(expectation::wantstartdelay);
        configuration.starts.push_back(std::move(entry));
        note(loadmark::start, (int)configuration.starts.size() - 1, true);
    }

    void parsestopline(int t) {
        if (t != numbertoken)
            reject(expectation::wantindex, t);
        stopentry entry;
        entry.index = number();
        expect(commatoken, expectation::wantcommaafterindex);
        entry.closedelay = readnumber(expectation::wantclosedelay);
        expect(commatoken, expectation::wantcommaafterclosedelay);
        entry.method = readnumber(expectation::wantmethod);
        configuration.stops.push_back(entry);
        note(loadmark::stop, (int)configuration.stops.size() - 1, true);
    }

    int readnumber(expectation wanted) {
        expect(numbertoken, wanted);
        return number();
    }

    // The number just read; the checker hears of a fraction dropped or a value held at INT_MAX.
    int number() {
        bool clipped = false;
        const char *end = lex.text();
        int value = numbervalue(end, clipped);
        if (clipped)
            note(loadmark::clipped, value, false);
        // A number is digits with at most one point: what stops them is the point.
        if (*end == '.')
            note(loadmark::fraction, value, false);
        return value;
    }

    void expect(int code, expectation wanted) {
        int t = lex.nexttoken();
        if (t != code)
            reject(wanted, t);
    }

    // Marks the item begun last, or the token just read.
    void note(loadmark::kind what, int value, bool item) {
        tell.mark({what, item ? itemline : lex.line, item ? itemcolumn : lex.column, value});
    }

    // A syntax error: the checker is told what was wanted, the loader only that the load failed.
    [[noreturn]] void reject(expectation wanted, int found) {
        // A token that overran the buffer has no end.
        tell.failed(
            {wanted, lex.line, lex.column, found, lex.instring(), found == 0 ? "" : lex.text()});
        throw syntaxerror;
    }

    aux::lexer &lex;
    listener &tell;
    section current = none;
    // The item being read: where it began and its first token, while it is open.
    int itemline = 0;
    unsigned itemcolumn = 0;
    int itemcode = 0;
    bool open = false;
};

template <class listener> void load(aux::lexer &lex, io::stream &source, listener &tell) {
    io::bufreader reader(source, 1024);
    configurelexer(lex, reader);
    parser<listener>(lex, tell).parsesections();
}

template <class listener> bool fail(const aux::lexer &lex, listener &tell) {
    // A listener keeps the failure told first: a syntax error the parser told stands, and any
    // other failure (the file could not be opened or read, memory ran out) is told here, where
    // the lexer stood (line 1, column 1 before it began).
    tell.failed({expectation::unreadable, lex.line, lex.column, 0, lex.instring(), ""});
    applog.printf(syntaxerrorline, lex.line);
    return false;
}

} // namespace grammar

// loadconfiguration, telling tell.
template <class listener> bool loadconfiguration(io::stream &source, listener &tell) {
    aux::lexer lex;
    try {
        grammar::load(lex, source, tell);
        return true;
    } catch (...) {
        return grammar::fail(lex, tell);
    }
}

template <class listener> bool loadconfiguration(const char *path, listener &tell) {
    aux::lexer lex;
    try {
        io::filestream file(path);
        grammar::load(lex, file, tell);
        return true;
    } catch (...) {
        return grammar::fail(lex, tell);
    }
}

} // namespace config
