#pragma once

namespace process {

// Finds the running programs, writes the process dump and acts on the configured mode.
void applymode();

} // namespace process
