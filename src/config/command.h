#pragma once

#include <string>

namespace config {

// What a start entry's command names, cut at '/' only (a backslash is an ordinary character).

// name: the last non-empty piece, the process name looked for; empty when there is none.
// directory: the text before the last '/', arguments included; empty when there is none past
// the first character. The directory the program is started in.
void commandparts(const std::string &command, std::string &name, std::string &directory);

// Each of the two alone.
std::string namecomponent(const std::string &command);
std::string startdirectory(const std::string &command);

} // namespace config
