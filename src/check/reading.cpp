#include "check/reading.h"
#include "check/words.h"
#include "config/configuration.h"
#include "config/loader.h"

#include <string_view>

namespace check {

using namespace config;

namespace {

// Appended piece by piece, with no temporaries: the text of a large configuration is several
// times its size, and building it must not cost more than loading it.
struct writer {
    std::string &t;
    const std::function<void(const std::string &)> &put;

    // At the end of a line only.
    void flush(size_t atleast) {
        if (t.size() >= atleast) {
            put(t);
            t.clear();
        }
    }

    template <size_t n> writer &operator<<(const char (&s)[n]) {
        t.append(s, n - 1);
        return *this;
    }
    writer &operator<<(std::string_view s) {
        t += s;
        return *this;
    }
    writer &operator<<(long long n) {
        char digits[24];
        size_t k = sizeof digits;
        unsigned long long u = n < 0 ? 0ULL - (unsigned long long)n : (unsigned long long)n;
        do
            digits[--k] = (char)('0' + u % 10);
        while (u /= 10);
        if (n < 0)
            t += '-';
        t.append(digits + k, sizeof digits - k);
        return *this;
    }
    writer &where(position at) {
        return at.line ? *this << "line " << (long long)at.line : *this << "by default";
    }
    writer &quote(const std::string &s) {
        quoted(t, s);
        return *this;
    }
};

} // namespace

void writereading(const analysis &a, const std::function<void(const std::string &)> &put) {
    const size_t piece = 65536;
    std::string t;
    t.reserve(piece + 2048);
    const std::vector<startentry> &starts = configuration.starts;
    writer w{t, put};
    w << "configuration, as tessark.exe reads it:\n  mode " << keyword(configuration.mode) << " ("
      << (long long)configuration.mode << "), ";
    w.where(a.modeat) << "\n  restartdelay " << milliseconds(configuration.restartdelay) << ", ";
    w.where(a.delayat) << "\n";
    // Said only where the file names it: a configuration without it reads as it always has.
    if (a.hungat.line) {
        w << "  hungtimeout " << milliseconds(configuration.hungtimeout) << ", ";
        w.where(a.hungat)
            << (configuration.hungtimeout == 0
                    ? ": off\n"
                    : ": a program whose windows all stop responding is watched that long, then "
                      "ended and started again\n");
    }
    for (size_t k = 0; k < starts.size(); ++k) {
        const startentry &e = starts[k];
        w.flush(piece);
        w << "  start " << (long long)k << ", ";
        w.where(a.starts[k]) << ": ";
        w.quote(e.command) << "\n      looks for ";
        w.quote(a.names[k]) << ", starts in ";
        w.quote(a.directories[k]) << ", ";
        if (e.startdelay)
            w << "then waits " << milliseconds(e.startdelay) << "\n";
        else
            w << "no wait\n";
    }
    for (size_t j = 0; j < configuration.stops.size(); ++j) {
        const stopentry &s = configuration.stops[j];
        w.flush(piece);
        w << "  stop " << (long long)j << ", ";
        w.where(a.stops[j]) << ": closes start " << (long long)s.index << ", ";
        if ((unsigned)s.index < a.names.size())
            w.quote(a.names[s.index]);
        else
            w << "which does not exist";
        w << ": " << methodwords(s.method) << " (method " << (long long)s.method << "); closedelay "
          << milliseconds(s.closedelay) << "\n";
    }
    w.flush(0);
}

std::string readingtext(const analysis &a) {
    std::string all;
    writereading(a, [&](const std::string &piece) { all += piece; });
    return all;
}

} // namespace check
