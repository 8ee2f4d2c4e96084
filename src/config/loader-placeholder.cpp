#include "config/configuration.h"

bool loadconfiguration(const char *) {
    return true;
}

bool checkconfiguration() {
    return true;
}
