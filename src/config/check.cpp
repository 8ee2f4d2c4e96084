#include "config/configuration.h"
#include "io/logfile.h"
#include "io/loglines.h"

namespace config {

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
