#pragma once

// Finds the running programs, writes the process dump and acts on the configured mode.
void applymode();
