#include "config/loader.h"
#include "config/configuration.h"
#include "io/bufreader.h"
#include "io/filestream.h"
#include "io/logfile.h"
#include "text/auxexception.h"
#include "text/lexer.h"

#include <climits>

namespace {

struct vocable {
    const char *text;
    unsigned value;
};

// Registered in this order; the flags are the high halves.
// clang-format off
const vocable vocabulary[] = {
    {" ", aux::skipflag},
    {"\t", aux::skipflag},
    {"\r", aux::skipflag},
    {"\n", aux::lineflag | 1},
    {";", aux::commentflag | 6},
    {"\"", aux::quoteflag | 2},
    {"start", starttoken},
    {"stop", stoptoken},
    {",", commatoken},
    {"juststart", juststart},
    {"restart", restart},
    {"invert", invert},
    {"justclose", justclose},
    {"restartdelay", restartdelaytoken},
};
// clang-format on

// A syntax error travels as a plain 0, like every other failure, to the loader's catch-all.
[[noreturn]] void syntaxerror() {
    throw 0;
}

// The leading digits, counting up to INT_MAX at most: a longer number must not wrap into a
// small, valid-looking index or delay.
int numbervalue(const char *text) {
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        int digit = *text - '0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return value;
}

class parser {
public:
    explicit parser(aux::lexer &lex) : lex(lex) {}

    // Runs to the end of the input; an entry cut short by it is dropped.
    void parsesections() {
        try {
            for (;;)
                parseitem(lex.nexttoken());
        } catch (aux::auxexception e) {
            if (e != aux::endofinput)
                syntaxerror();
        }
    }

private:
    enum section { none, starts, stops };

    void parseitem(int t) {
        if (t < 0)
            syntaxerror();
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
            break;
        case restartdelaytoken:
            configuration.restartdelay = readnumber();
            break;
        default:
            if (current == starts)
                parsestartline(t);
            else if (current == stops)
                parsestopline(t);
            else
                syntaxerror();
        }
    }

    void parsestartline(int t) {
        if (t != stringtoken)
            syntaxerror();
        startentry entry;
        entry.command = lex.text();
        expect(commatoken);
        entry.startdelay = readnumber();
        configuration.starts.push_back(std::move(entry));
    }

    void parsestopline(int t) {
        if (t != numbertoken)
            syntaxerror();
        stopentry entry;
        entry.index = numbervalue(lex.text());
        expect(commatoken);
        entry.closedelay = readnumber();
        expect(commatoken);
        entry.method = readnumber();
        configuration.stops.push_back(entry);
    }

    int readnumber() {
        expect(numbertoken);
        return numbervalue(lex.text());
    }

    void expect(int code) {
        if (lex.nexttoken() != code)
            syntaxerror();
    }

    aux::lexer &lex;
    section current = none;
};

void load(aux::lexer &lex, io::stream &source) {
    io::bufreader reader(source, 1024);
    configurelexer(lex, reader);
    parser(lex).parsesections();
}

bool fail(const aux::lexer &lex) {
    applog.printf("...not enough memory or syntax error at line %d in config file\n", lex.line);
    return false;
}

} // namespace

void configurelexer(aux::lexer &lex, io::bufreader &reader) {
    lex.setbuffer(512);
    lex.setinput(reader);
    for (const vocable &v : vocabulary)
        lex.addtoken(v.text, v.value);
    lex.identifiercode = identifiertoken;
    lex.numbercode = numbertoken;
    lex.stringcode = stringtoken;
    lex.symbolwindow = 2;
}

bool loadconfiguration(io::stream &source) {
    aux::lexer lex;
    try {
        load(lex, source);
        return true;
    } catch (...) {
        return fail(lex);
    }
}

bool loadconfiguration(const char *path) {
    aux::lexer lex;
    try {
        io::filestream file(path);
        load(lex, file);
        return true;
    } catch (...) {
        return fail(lex);
    }
}
