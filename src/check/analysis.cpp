#include "check/analysis.h"
#include "check/errors.h"
#include "check/traps.h"
#include "check/unreadable.h"
#include "config/check.h"
#include "config/command.h"
#include "config/configuration.h"
#include "config/grammar.h"

#include <memory>

namespace check {

using namespace config;

namespace {

// The source's first bytes, kept as they pass to the loader: the file is read once.
struct headkeeper : io::stream {
    io::stream &source;
    std::string &head;

    headkeeper(io::stream &source, std::string &head) : source(source), head(head) {}
    unsigned read(void *buffer, unsigned size) override {
        unsigned n = source.read(buffer, size);
        head.append((const char *)buffer, std::min<size_t>(n, 3 - head.size()));
        return n;
    }
    void close() override { source.close(); }
};

// The loader's positions, entry by entry.
void place(analysis &a) {
    for (const loadmark &m : a.record.marks) {
        position at = {m.line, m.column};
        if (m.what == loadmark::start)
            a.starts.push_back(at);
        else if (m.what == loadmark::stop)
            a.stops.push_back(at);
        else if (m.what == loadmark::mode)
            a.modeat = at;
        else if (m.what == loadmark::restartdelay)
            a.delayat = at;
        else if (m.what == loadmark::hungtimeout)
            a.hungat = at;
    }
}

template <class L> void analyse(analysis &a, L load, const char *path) {
    configuration = settings();
    a = analysis();
    a.record.marks.reserve(1024);
    a.loaded = load();
    a.consistent = a.loaded && checkconfiguration();
    place(a);
    a.names.resize(configuration.starts.size());
    a.directories.resize(configuration.starts.size());
    for (size_t k = 0; k < configuration.starts.size(); ++k)
        commandparts(configuration.starts[k].command, a.names[k], a.directories[k]);
    bool openfailed = !a.loaded && a.record.failure.wanted == expectation::unreadable;
    finderrors(a, openfailed && path ? whyunreadable(path) : "");
    if (a.loaded)
        findtraps(a);
    sortbyposition(a.warnings);
}

} // namespace

void analysefile(analysis &a, const char *path) {
    analyse(
        a,
        [&] {
            std::unique_ptr<io::filestream> file;
            try {
                file.reset(new io::filestream(path));
            } catch (...) {
                // Fails as tessark.exe's load fails, telling where.
                return loadconfiguration(path, a.record);
            }
            headkeeper source(*file, a.head);
            return loadconfiguration(source, a.record);
        },
        path);
}

void analysestream(analysis &a, io::stream &source) {
    analyse(
        a,
        [&] {
            headkeeper kept(source, a.head);
            return loadconfiguration(kept, a.record);
        },
        nullptr);
}

} // namespace check
