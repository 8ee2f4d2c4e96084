#pragma once

// The loader's inner parts, open to its tests and the fuzzer.

namespace io {
class bufreader;
class stream;
} // namespace io

namespace aux {
class lexer;
}

namespace config {

// Token codes of the configuration vocabulary.
enum configtoken {
    identifiertoken = 3,
    numbertoken = 4,
    stringtoken = 5,
    starttoken = 7,
    stoptoken = 8,
    commatoken = 9,
    restartdelaytoken = 20,
};

// Sets the lexer up with the configuration's vocabulary, reading from reader.
void configurelexer(aux::lexer &lex, io::bufreader &reader);

// The configuration's vocabulary, in the order of registration.
struct vocable {
    const char *text;
    unsigned value;
};
const unsigned vocabularysize = 14;
extern const vocable vocabulary[vocabularysize];

// The text of a keyword's token code ("restart" for 11), or null.
const char *keyword(int code);

} // namespace config
