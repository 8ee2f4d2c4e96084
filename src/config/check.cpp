#include "config/configuration.h"
#include "io/logfile.h"

size_t wrongindex(size_t from) {
    size_t count = configuration.starts.size();
    // Taken as unsigned, so that no index below zero could pass.
    while (from < configuration.stops.size() && (unsigned)configuration.stops[from].index < count)
        ++from;
    return from;
}

bool checkconfiguration() {
    size_t count = configuration.starts.size();
    if (configuration.stops.size() != count) {
        applog.printf("...size of sections in cfg file is different\n");
        return false;
    }
    if (wrongindex(0) < count) {
        applog.printf("...wrong index in stop section\n");
        return false;
    }
    return true;
}
