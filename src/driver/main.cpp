#include "config/check.h"
#include "config/configuration.h"
#include "config/loader.h"
#include "driver/version.h"
#include "io/logfile.h"
#include "io/loglines.h"
#include "process/runmode.h"
#include "process/snapshot.h"

#include <cstdio>

using config::checkconfiguration;
using config::configuration;
using config::loadconfiguration;
using process::applymode;
using process::procsnapshot;
using process::takesnapshot;

namespace {

void say(const char *text) {
    std::fputs(text, stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void run(const char *path) {
    applog.open("tessark.log", false);
    logline(startedline);
    if (!loadconfiguration(path) || !checkconfiguration()) {
        logline(errorendline);
        return;
    }
    applog.printf(loadedline, (int)configuration.starts.size(), (int)configuration.stops.size(),
                  (int)configuration.mode);
    if (!takesnapshot()) {
        applog.printf("%s", enumallfailedline);
        logline(errorendline);
        return;
    }
    applog.printf(foundline, (int)procsnapshot.count());
    applymode();
    logline(normalendline);
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
