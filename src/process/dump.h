#pragma once

#include <string>

// Writes to the log, for every start entry, whether its program runs, its pid and how many
// windows the lookup found for it.
void dumpprocesses();
// The text of that dump, as the lookup left the start entries.
std::string dumptext();
