#pragma once

#include <string>

namespace check {

// The rights below are the task's, as the shipped task runs them: without elevation. A check
// that runs elevated judges them at the level of its user without elevation (medium, as UAC
// gives it), not at its own, and says so.

// The process runs with rights the task lacks and refuses termination, as killprocess asks
// for it. Only opens the process.
bool refusestermination(unsigned pid);

// The process runs at a higher integrity level than the task, as an elevated program does
// beside a normal one: its windows refuse the task's messages. False when a level cannot be
// read.
bool runsabove(unsigned pid);

// The name of the level that the check judges at ("medium") when that is below its own, as
// it is elevated; else empty.
std::string judgedas();
// What the plan says of it then, a line; else empty.
std::string elevatednote();

// A token's integrity level, the label's last subauthority; 0 when it cannot be read.
unsigned tokenlevel(void *token);

} // namespace check
