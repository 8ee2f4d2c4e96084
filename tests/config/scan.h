#pragma once

#include "config/loader.h"
#include "io/bufreader.h"
#include "io/memorystream.h"
#include "text/auxexception.h"
#include "text/lexer.h"

#include <functional>
#include <string>

// Every token of input as "code:text", space-separated, then "$" for the end of the input or
// "!" for lexerror. line gets the lexer's line at the end.
inline std::string scan(const std::string &input, int &line,
                        const std::function<void(aux::lexer &, io::bufreader &)> &setup) {
    io::memorystream source(input.data(), input.size());
    io::bufreader reader(source, 1024);
    aux::lexer lex;
    setup(lex, reader);
    std::string out;
    try {
        for (int i = 0; i < 100000; ++i) {
            int code = lex.nexttoken();
            out += std::to_string(code) + ":" + lex.text() + " ";
        }
        out += "(no end)";
    } catch (aux::auxexception e) {
        out += e == aux::endofinput ? "$" : e == aux::lexerror ? "!" : "?";
    }
    line = lex.line;
    return out;
}

// With the configuration's own vocabulary.
inline std::string scan(const std::string &input, int &line) {
    return scan(input, line, configurelexer);
}
