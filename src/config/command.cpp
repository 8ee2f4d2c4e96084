#include "config/command.h"
#include "text/splitter.h"

namespace config {

void commandparts(const std::string &command, std::string &name, std::string &directory) {
    aux::splitter s(command.c_str(), '/');
    const char *last = nullptr;
    while (const char *piece = s.next())
        last = piece;
    name = last ? last : "";
    directory = s.directory();
}

} // namespace config
