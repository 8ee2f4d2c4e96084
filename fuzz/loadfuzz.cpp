// The configuration loader on arbitrary bytes: it must fail cleanly or load, never crash,
// hang, leak or read out of bounds. Run by ctest briefly; for a longer run:
//   build/native/bin/loadfuzz -max_total_time=1800 -rss_limit_mb=2048 -dict=fuzz/config.dict \
//       WORKDIR fuzz/corpus
#include "config/configuration.h"
#include "config/loader.h"
#include "io/memorystream.h"

#include <cstddef>
#include <cstdint>

namespace {

void require(bool ok) {
    if (!ok)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    configuration = config();
    io::memorystream source(data, size);
    loadconfiguration(source);
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
    return 0;
}
