#include "config/configuration.h"
#include "driver/version.h"
#include "io/logfile.h"
#include "process/runmode.h"
#include "process/snapshot.h"

#include <cstdio>

namespace {

void say(const char *text) {
    std::fputs(text, stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void run(const char *path) {
    applog.open("tessark.log", false);
    logline("*** started");
    if (!loadconfiguration(path) || !checkconfiguration()) {
        logline("*** stop due to errors");
        return;
    }
    applog.printf("...loaded [%d,%d] records from config, mode %d\n",
                  (int)configuration.starts.size(), (int)configuration.stops.size(),
                  (int)configuration.mode);
    if (!takesnapshot()) {
        applog.printf("...failed to enumerate all processes\n");
        logline("*** stop due to errors");
        return;
    }
    applog.printf("...found %d processes\n", (int)(procsnapshot.bytesreturned / 4));
    applymode();
    logline("*** normal shutdown");
}

} // namespace

int main(int argc, char **argv) {
    std::fputs("Tessark, version ", stdout);
    say(version);
    say("keeps the configured programs in the state you want");
    if (argc != 2) {
        say("please give me config file from command line !");
        return 0;
    }
    // A failed log write or exhausted memory ends the run; the exit code stays 0 and the
    // console shows no more than the banner, as on every other path.
    try {
        run(argv[1]);
    } catch (...) {
    }
    return 0;
}
