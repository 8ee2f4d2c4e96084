#pragma once

namespace process {

// Finds the running programs, writes the process dump and acts on the configured mode.
void applymode();
// Closes the running programs in the order of the stop section, each by its method.
void closeall();

} // namespace process
