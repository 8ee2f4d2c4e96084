#pragma once

#include "check/analysis.h"

namespace check {

// What this machine says about the configuration: programs and start directories that do not
// exist, names in the wrong letter case, and programs the task lacks the rights to close. Reads
// files' names and processes' names only.
void askmachine(analysis &a);

} // namespace check
