#pragma once

// The process's globals, each declared with its part and defined together in globals.cpp, so
// that their order is fixed.
#include "config/configuration.h" // config::configuration
#include "io/logfile.h"           // applog
