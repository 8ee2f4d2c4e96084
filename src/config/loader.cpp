#include "config/loader.h"
#include "config/grammar.h"

namespace config {

// Registered in this order; the flags are the high halves.
// clang-format off
const vocable vocabulary[vocabularysize] = {
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
    {"hungtimeout", hungtimeouttoken},
};
// clang-format on

namespace {

// tessark.exe is told nothing of where the items stand.
struct silent {
    void mark(const loadmark &) {}
    void failed(const loadfailure &) {}
};

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

const char *keyword(int code) {
    for (const vocable &v : vocabulary)
        if ((int)v.value == code && code != commatoken)
            return v.text;
    return nullptr;
}

bool loadconfiguration(io::stream &source) {
    silent tell;
    return loadconfiguration(source, tell);
}

bool loadconfiguration(const char *path) {
    silent tell;
    return loadconfiguration(path, tell);
}

} // namespace config
