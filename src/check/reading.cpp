#include "check/reading.h"
#include "check/words.h"
#include "config/command.h"
#include "config/configuration.h"
#include "config/loader.h"

namespace {

std::string where(position at) {
    return at.line ? "line " + std::to_string(at.line) : "by default";
}

std::string pause(int ms) {
    return ms ? "then waits " + milliseconds(ms) : "no wait";
}

} // namespace

std::string readingtext(const analysis &a) {
    std::string t = "configuration, as tessark.exe reads it:\n";
    t += "  mode " + std::string(keyword(configuration.mode)) + " (" +
         std::to_string(configuration.mode) + "), " + where(a.modeat) + "\n";
    t += "  restartdelay " + milliseconds(configuration.restartdelay) + ", " + where(a.delayat) +
         "\n";
    for (size_t k = 0; k < configuration.starts.size(); ++k) {
        const startentry &e = configuration.starts[k];
        t += "  start " + std::to_string(k) + ", " + where(a.starts[k]) + ": " + quoted(e.command) +
             "\n      looks for " + quoted(namecomponent(e.command)) + ", starts in " +
             quoted(startdirectory(e.command)) + ", " + pause(e.startdelay) + "\n";
    }
    for (size_t j = 0; j < configuration.stops.size(); ++j) {
        const stopentry &s = configuration.stops[j];
        t += "  stop " + std::to_string(j) + ", " + where(a.stops[j]) + ": closes start " +
             std::to_string(s.index);
        if ((unsigned)s.index < configuration.starts.size())
            t += ", " + quoted(namecomponent(configuration.starts[s.index].command));
        else
            t += ", which does not exist";
        t += ": " + methodwords(s.method) + "; closedelay " + milliseconds(s.closedelay) + "\n";
    }
    return t;
}
