// tessarklog.exe: what the runs in tessark.log did, and whether the set is healthy, for a
// person at the console or for the monitoring a fleet already runs. It only reads the logs.
#include "logdriver/main.h"
#include "logreport/formats.h"
#include "logreport/options.h"
#include "logreport/output.h"
#include "logreport/reading.h"
#include "rotate/rotate.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

using namespace logreport;

int reportmode(int argc, char **argv) {
    options o;
    if (!parseoptions(argc, argv, 1, o)) {
        std::printf("%s\n", usageline.c_str());
        return 3;
    }
    settings s;
    s.now = (long long)std::time(nullptr);
    s.window = o.since;
    s.every = o.every;
    s.flapping = o.flapping;
    history h(s);
    std::string failed = readlogs(o.logs, h);
    verdict v = failed.empty() ? judge(h, o.sincetext) : unreadable(failed);
    report r{h, v, o.sincetext};
    std::string text = o.format == "json"         ? jsonreport(r)
                       : o.format == "nagios"     ? nagiosreport(r)
                       : o.format == "prometheus" ? prometheusreport(r)
                                                  : textreport(r);
    if (!o.output.empty()) {
        std::string why = writeatomically(o.output, text);
        if (!why.empty()) {
            std::fprintf(stderr, "cannot write %s: %s\n", o.output.c_str(), why.c_str());
            return 3;
        }
        return v.code;
    }
    if (o.format == "json" || o.format == "prometheus")
        rawconsole();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return v.code;
}

} // namespace

// Each mode of the tool is one function, chosen by the first argument; the report is the one
// without a mode word of its own.
int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--rotate") == 0)
        return rotate::rotatecommand(argc, argv);
    return reportmode(argc, argv);
}
