#pragma once

#include "check/analysis.h"

#include <string>

// The loaded configuration as tessark.exe reads it: the mode, restartdelay, and each entry
// with its line and what it means.
std::string readingtext(const analysis &a);
