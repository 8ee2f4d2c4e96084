// The configuration loader, and the checker's analysis of what it loaded, on arbitrary bytes:
// they must fail cleanly or load, never crash, hang, leak or read out of bounds. Run by ctest
// briefly; for a longer run:
//   build/native/bin/loadfuzz -max_total_time=1800 -rss_limit_mb=2048 -dict=fuzz/config.dict \
//       WORKDIR fuzz/corpus
#include "check/analysis.h"
#include "check/reading.h"
#include "config/check.h"
#include "config/configuration.h"
#include "config/loader.h"
#include "io/memorystream.h"

#include <cstddef>
#include <cstdint>

using namespace config;
using namespace check;

namespace {

void require(bool ok) {
    if (!ok)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    configuration = config::settings();
    io::memorystream source(data, size);
    bool loaded = loadconfiguration(source);
    // What a load can leave, even a failed one: no number below zero, no command over the
    // token limit, a mode that is one of the four.
    require(configuration.mode >= juststart && configuration.mode <= justclose);
    require(configuration.restartdelay >= 0);
    for (const startentry &e : configuration.starts)
        require(e.command.size() <= 510 && e.startdelay >= 0 && e.pid == 0 && e.windows.empty());
    for (const stopentry &e : configuration.stops)
        require(e.index >= 0 && e.closedelay >= 0 && e.method >= 0);
    if (checkconfiguration()) {
        require(configuration.stops.size() == configuration.starts.size());
        for (const stopentry &e : configuration.stops)
            require((size_t)e.index < configuration.starts.size());
    }

    // The checker loads the same configuration, and finds an error exactly where tessark.exe
    // would stop; every finding has a place in the file.
    size_t starts = configuration.starts.size(), stops = configuration.stops.size();
    bool consistent = loaded && checkconfiguration();
    io::memorystream again(data, size);
    analysis a;
    analysestream(a, again);
    require(a.loaded == loaded && a.consistent == consistent && a.errors.empty() == consistent);
    require(configuration.starts.size() == starts && configuration.stops.size() == stops);
    if (a.loaded)
        require(a.starts.size() == starts && a.stops.size() == stops && !readingtext(a).empty());
    else
        require(a.errors.size() == 1);
    for (const std::vector<finding> *list : {&a.errors, &a.warnings})
        for (const finding &f : *list)
            require(f.at.line >= 1 && f.at.column >= 1 && !f.text.empty());
    return 0;
}
