#include "config/check.h"
#include "config/configuration.h"
#include "io/logfile.h"
#include "io/loglines.h"

namespace config {

size_t wrongindex(size_t from) {
    // Taken as unsigned, so that no index below zero could pass.
    while (from < configuration.stops.size() &&
           (unsigned)configuration.stops[from].index < configuration.starts.size())
        ++from;
    return from;
}

bool checkconfiguration() {
    size_t count = configuration.starts.size();
    if (configuration.stops.size() != count) {
        applog.printf("%s", sectionsizesline);
        return false;
    }
    if (wrongindex(0) < count) {
        applog.printf("%s", wrongindexline);
        return false;
    }
    return true;
}

} // namespace config
