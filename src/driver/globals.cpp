#include "driver/globals.h"

// Defined together so that their order is fixed: the log is built after the configuration
// and so destroyed before it, closing the file once everything has been written.
config::settings config::configuration;
io::logfile applog;
