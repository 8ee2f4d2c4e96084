#pragma once

#include <string>

// What a start entry's command names, cut at '/' only (a backslash is an ordinary character).

// The last non-empty piece: the process name looked for. Empty when there is none.
std::string namecomponent(const std::string &command);
// The text before the last '/', arguments included; empty when there is none past the first
// character. The directory the program is started in.
std::string startdirectory(const std::string &command);
// Both, from one pass over the command.
void commandparts(const std::string &command, std::string &name, std::string &directory);
