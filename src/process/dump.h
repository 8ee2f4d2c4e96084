#pragma once

// Writes to the log, for every start entry, whether its program runs, its pid and how many
// windows the lookup found for it.
void dumpprocesses();
