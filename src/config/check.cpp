#include "config/configuration.h"
#include "io/logfile.h"

bool checkconfiguration() {
    size_t count = configuration.starts.size();
    if (configuration.stops.size() != count) {
        applog.printf("...size of sections in cfg file is different\n");
        return false;
    }
    // Taken as unsigned, so that no index below zero could pass.
    for (const stopentry &s : configuration.stops) {
        if ((unsigned)s.index >= count) {
            applog.printf("...wrong index in stop section\n");
            return false;
        }
    }
    return true;
}
