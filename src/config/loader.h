#pragma once

// The configuration's loader. The grammar that it and the checker share is in config/grammar.h.

namespace io {
class bufreader;
class stream;
} // namespace io

namespace aux {
class lexer;
}

namespace config {

// Reads the file into configuration; on failure logs the line and returns false.
bool loadconfiguration(const char *path);
// The same from any source of bytes; the source is not closed.
bool loadconfiguration(io::stream &source);

// Its inner parts, open to its tests, the fuzzer and the checker.

// Token codes of the configuration vocabulary.
enum configtoken {
    identifiertoken = 3,
    numbertoken = 4,
    stringtoken = 5,
    starttoken = 7,
    stoptoken = 8,
    commatoken = 9,
    restartdelaytoken = 20,
    hungtimeouttoken = 21,
};

// Sets the lexer up with the configuration's vocabulary, reading from reader.
void configurelexer(aux::lexer &lex, io::bufreader &reader);

// The configuration's vocabulary, in the order of registration.
struct vocable {
    const char *text;
    unsigned value;
};
const unsigned vocabularysize = 15;
extern const vocable vocabulary[vocabularysize];

// The text of a keyword's token code ("restart" for 11), or null.
const char *keyword(int code);

} // namespace config
