#pragma once

#include "text/counted.h"

#include <string>

namespace check {

// How the checker names things in its messages.

// "500 ms", "15 minutes" for long ones: "900000 ms (15 minutes)".
std::string milliseconds(int ms);
// A token as found by the loader: "the number 12", "','", "the word 'Start'".
std::string tokenwords(int code, bool cut, const std::string &text);
// What a close method does, for the reading: "WM_CLOSE to its windows".
const char *methodwords(int method);
// A command or name, quoted, with unprintable bytes written as \xNN.
std::string quoted(const std::string &text);
// The same, appended to out.
void quoted(std::string &out, const std::string &text);
// ASCII letters in lower case: enough to tell a name written in another letter case.
std::string lower(std::string s);

} // namespace check
