#include "config/configuration.h"
#include "io/logfile.h"

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
