#include "logreport/options.h"
#include "logreport/clocktext.h"

#include <cstring>

namespace logreport {

bool parseoptions(int argc, char **argv, int first, options &o) {
    for (int i = first; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
            o.logs.push_back(a);
            continue;
        }
        if (i + 1 == argc)
            return false;
        std::string value = argv[++i];
        if (a == "--since") {
            // An empty window holds no run: a typo, not a wish.
            if (!parseduration(value, o.since) || o.since == 0)
                return false;
            o.sincetext = value;
        } else if (a == "--every") {
            if (value == "0")
                o.every = 0;
            else if (!parseduration(value, o.every))
                return false;
        } else if (a == "--flapping") {
            if (value.empty() || value.size() > 6 ||
                value.find_first_not_of("0123456789") != std::string::npos)
                return false;
            o.flapping = std::stoi(value);
            if (o.flapping < 1)
                return false;
        } else if (a == "--format") {
            if (value != "text" && value != "json" && value != "nagios" && value != "prometheus")
                return false;
            o.format = value;
        } else if (a == "--output") {
            if (value.empty())
                return false;
            o.output = value;
        } else {
            return false;
        }
    }
    return !o.logs.empty();
}

} // namespace logreport
