#include "config/command.h"

namespace config {

void commandparts(const std::string &command, std::string &name, std::string &directory) {
    // Runs of '/' and a '/' at the end cut out no empty piece: the name is the last piece that
    // holds something.
    size_t last = command.find_last_not_of('/');
    if (last == std::string::npos) {
        name.clear();
    } else {
        size_t cut = command.rfind('/', last);
        size_t first = cut == std::string::npos ? 0 : cut + 1;
        name = command.substr(first, last + 1 - first);
    }
    size_t cut = command.rfind('/');
    directory = cut == std::string::npos ? "" : command.substr(0, cut);
}

std::string namecomponent(const std::string &command) {
    std::string name, directory;
    commandparts(command, name, directory);
    return name;
}

std::string startdirectory(const std::string &command) {
    std::string name, directory;
    commandparts(command, name, directory);
    return directory;
}

} // namespace config
