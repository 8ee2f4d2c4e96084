#include "check/analysis.h"
#include "config/command.h"
#include "config/configuration.h"
#include "config/grammar.h"

namespace {

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
    }
}

template <class L> void analyse(analysis &a, L load, const char *path) {
    configuration = config();
    a = analysis();
    a.record.marks.reserve(1024);
    a.loaded = load();
    a.consistent = a.loaded && checkconfiguration();
    place(a);
    a.names.resize(configuration.starts.size());
    a.directories.resize(configuration.starts.size());
    for (size_t k = 0; k < configuration.starts.size(); ++k)
        commandparts(configuration.starts[k].command, a.names[k], a.directories[k]);
    bool openfailed = !a.loaded && a.record.failure.wanted == unreadable;
    finderrors(a, openfailed && path ? whyunreadable(path) : "");
    if (a.loaded)
        findtraps(a);
    sortbyposition(a.warnings);
}

} // namespace

void analysefile(analysis &a, const char *path) {
    analyse(
        a, [&] { return loadconfiguration(path, a.record); }, path);
}

void analysestream(analysis &a, io::stream &source) {
    analyse(
        a, [&] { return loadconfiguration(source, a.record); }, nullptr);
}
