#pragma once

#include "check/analysis.h"

namespace check {

// What this machine says about the configuration: programs and start directories that do not
// exist, and names in the wrong letter case. Reads files' names and processes' names only.
void askmachine(analysis &a);

// The process runs with rights this user lacks and refuses termination, as killprocess asks
// for it. Only opens the process.
bool refusestermination(unsigned pid);

// The process runs at a higher integrity level than the checker, as an elevated program does
// beside a normal one: its windows refuse other processes' messages, and keys typed for them
// are dropped. False when its level cannot be read.
bool runsabove(unsigned pid);
// The rule: the mandatory label theirs (a SID) stands above ours.
bool labelabove(void *theirs, void *ours);

// What a run would do now, on this machine: the process dump and every step in order, each
// with the line tessark.exe would log for it, and the longest time the run can take. Looks
// the programs up as a run does; starts, closes and sends nothing.
std::string plantext(const analysis &a);

} // namespace check
