// tessarkcheck.exe: what a configuration means, and what a run of tessark.exe would do now,
// told on the console before anything acts. It starts, closes and signals nothing, and
// writes no file: the log stays closed, so the loader's own lines go nowhere.
#include "check/analysis.h"
#include "check/machine.h"
#include "check/plan.h"
#include "check/reading.h"
#include "io/loglines.h"
#include "text/counted.h"

#include <cstdio>
#include <cstring>
#include <string>

using check::analysis;
using check::finding;

namespace {

void say(const std::string &text) {
    std::fputs(text.c_str(), stdout);
}

std::string counts(size_t errors, size_t warnings) {
    return aux::counted((long long)errors, "error", "errors") + ", " +
           aux::counted((long long)warnings, "warning", "warnings") + "\n";
}

} // namespace

int main(int argc, char **argv) {
    bool offline = false;
    const char *path = nullptr;
    bool wrong = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--offline") == 0 && !offline)
            offline = true;
        else if (argv[i][0] == '-' || path)
            wrong = true;
        else
            path = argv[i];
    }
    if (wrong || !path) {
        say("usage: tessarkcheck.exe [--offline] CONFIGFILE\n");
        return 3;
    }
    analysis a;
    check::analysefile(a, path);
    if (a.loaded && !offline)
        check::askmachine(a);
    for (const finding &f : a.errors)
        say(check::findingline(path, f) + "\n");
    if (a.loaded) {
        say(a.errors.empty() ? "" : "\n");
        check::writereading(a, say);
    }
    if (!a.warnings.empty())
        say("\n");
    for (const finding &f : a.warnings)
        say(check::findingline(path, f) + "\n");
    if (!offline && a.consistent)
        say("\n" + check::plantext(a));
    else if (!offline)
        say(std::string("\na run now: tessark.exe stops at the configuration, with \"") +
            errorendline + "\", and starts or closes nothing\n");
    say("\n" + counts(a.errors.size(), a.warnings.size()));
    std::fflush(stdout);
    return !a.errors.empty() ? 2 : !a.warnings.empty() ? 1 : 0;
}
